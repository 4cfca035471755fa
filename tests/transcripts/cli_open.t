$ # Opening and sizing the record. Without a mode the record is only opened: silence and exit 0.
$ orvantis
[exit 0]
$ orvantis -i 0x100
[exit 0]
$ # The lookup uses the low byte of -i; its failure message shows all 32 bits.
$ orvantis -i 0x105
Failed to fetch orvantis(105) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 5
[exit 1]
$ orvantis -i -1
Failed to fetch orvantis(ffffffff) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 255
[exit 1]
$ orvantis -n -i 5
Failed to fetch orvantis(5) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 5
[exit 1]
$ # FRU 4 is not present; FRU 5 names a missing device file, FRU 6 a directory.
$ orvantis -i 4
Failed to fetch vpd data!
2> orvantis: ROOT/inventory: FRU 4 is marked not present
[exit 1]
$ line inventory 5 yes full 0x2000 nodev missing device file
$ orvantis -p -i 5
Failed to fetch vpd data!
2> orvantis: ROOT/dev/nodev: cannot open: No such file or directory
[exit 1]
$ mkdir dev/dirdev
$ line inventory 6 yes full 0x2000 dirdev directory as device
$ orvantis -i 6
Failed to fetch vpd data!
2> orvantis: ROOT/dev/dirdev: not a file or device that can hold VPD
[exit 1]
$ # Full length word stored FE 03 instead of 03 FE: shown first byte high; -y skips the test.
$ copy dev/mb_vpd dev/bad7
$ patch dev/bad7 0 fe 03
$ line inventory 7 yes full 0x2000 bad7 swapped length word
$ orvantis -n -i 7
VPD Length is invalid! Got 0xfe03 expected 0x3fe
[exit 1]
$ orvantis -i 7 -y 256
[exit 0]
$ # Brief length word is little-endian FE 00; stored 00 FE it reads 0xfe00.
$ copy dev/ocp_vpd dev/bad8
$ patch dev/bad8 0 00 fe
$ line inventory 8 yes brief 0x100 bad8 big-endian length word
$ orvantis -i 8
VPD Length is invalid! Got 0xfe00 expected 0xfe
[exit 1]
$ orvantis -i 8 -y 1024
[exit 0]
$ # Cff3 length must be 1 to max_size (0x200 here); the block size is that length, as the dump shows.
$ copy dev/psu1_vpd dev/bad9
$ line inventory 9 yes cff3 0x200 bad9 compact record
$ patch dev/bad9 0 00 00
$ orvantis -i 9
VPD Length is invalid! Got 0x0 expected less than 0x200
[exit 1]
$ orvantis -i 9 -y 256
[exit 0]
$ patch dev/bad9 0 01 02
$ orvantis -i 9
VPD Length is invalid! Got 0x201 expected less than 0x200
[exit 1]
$ patch dev/bad9 0 00 02
$ orvantis -i 9 -r whole.raw
[exit 0]
$ cmp whole.raw dev/bad9
same
$ patch dev/bad9 0 01 00
$ orvantis -i 9 -r one.raw
[exit 0]
$ xxd one.raw
000000: 01
$ # Unsupported format codes: a second line unless -y skipped the size read.
$ line inventory 10 yes 7 0x800 riser_vpd format seven
$ line inventory 11 yes -1 0x800 riser_vpd format minus one
$ orvantis -i 10
VPD format 7 not supported.
Error reading vpd size!
[exit 1]
$ orvantis -i 11 -n
VPD format -1 not supported.
Error reading vpd size!
[exit 1]
$ orvantis -i 10 -y 256
VPD format 7 not supported.
[exit 1]
$ # No record for FRU 0 and no -i: the message shows 0.
$ rm inventory
$ line inventory 3 yes full 0x2000 mb_vpd only FRU 3
$ orvantis
Failed to fetch orvantis(0) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 0
[exit 1]
