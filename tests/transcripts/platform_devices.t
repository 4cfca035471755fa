$ # Bytes past max_size are no part of the record: a command that shows them fails, naming the range.
$ # The riser's 0x800 bytes hold blocks 0 and 1, the backup copy's 0x400 block 0 alone.
$ orvantis -i 1 -b 3 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/riser_vpd: 274 bytes at offset 0xc00 pass the FRU's max_size 0x800
[exit 1]
$ orvantis -i 1 -b 3 -e 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/riser_vpd: 274 bytes at offset 0xc00 pass the FRU's max_size 0x800
[exit 1]
$ orvantis -B -g uefiid 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd.backup: 16 bytes at offset 0x405 pass the FRU's max_size 0x400
[exit 1]
$ orvantis -B -b 1 -f 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd.backup: 1024 bytes at offset 0x400 pass the FRU's max_size 0x400
[exit 1]
$ orvantis -B -P
0x01120034
[exit 0]
$ # The serial number (field 57) ends at 0x220: a max_size one byte short of it fails.
$ line inventory 12 yes full 0x220 mb_vpd
$ line inventory 13 yes full 0x21f mb_vpd
$ orvantis -i 12 -o 57
J30A4F7K  
[exit 0]
$ orvantis -i 13 -o 57 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd: 10 bytes at offset 0x216 pass the FRU's max_size 0x21f
[exit 1]
$ orvantis -i 13 -g sn 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd: 10 bytes at offset 0x216 pass the FRU's max_size 0x21f
[exit 1]
$ # The length word is shown data too; the block-0 CRC alone is computed over a block 0 cut at
$ # max_size, so -s on a brief record of 0x100 bytes keeps its answer.
$ line inventory 14 yes full 1 mb_vpd
$ orvantis -i 14 -n 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd: 2 bytes at offset 0x0 pass the FRU's max_size 0x1
[exit 1]
$ orvantis -i 13 -s
Calculated CRC = 0xabb99126
Stored CRC     = 0x0
[exit 0]
$ orvantis -i 2 -s
Calculated CRC = 0xf5a0f415
Stored CRC     = 0x0
[exit 0]
$ # A FRU's record loads only when it is present and its device is a readable, non-empty file.
$ # FRU 4 is marked not present; give it a device all the same.
$ copy dev/psu1_vpd dev/psu2_vpd
$ orvantis -i 4 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/inventory: FRU 4 is marked not present
[exit 1]
$ rm dev/ocp_vpd
$ orvantis -i 2 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/ocp_vpd: cannot open: No such file or directory
[exit 1]
$ rm dev/psu1_vpd
$ mkdir dev/psu1_vpd
$ orvantis -i 3 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/psu1_vpd: not a file or device that can hold VPD
[exit 1]
$ truncate dev/riser_vpd 0
$ orvantis -i 1 -p
Failed to fetch vpd data!
2> orvantis: ROOT/dev/riser_vpd: only 0 of 1024 bytes at offset 0x0 could be read
[exit 1]
$ # A FRU missing from the inventory has no record at all.
$ orvantis -i 5 -p
Failed to fetch orvantis(5) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 5
[exit 1]
$ # -B on FRU 0 (device mb_vpd) reads and writes the backup copy mb_vpd.backup; the main device stays.
$ orvantis -o 15
L1HF94C00AB 
[exit 0]
$ orvantis -B -o 15
L1HF93B07QZ 
[exit 0]
$ copy dev/mb_vpd mb_vpd.before
$ orvantis -B -O "15 s BACKUP000001"
[exit 0]
$ orvantis -B -o 15
BACKUP000001
[exit 0]
$ xxd dev/mb_vpd.backup 6c c
00006c: 42 41 43 4b 55 50 30 30 30 30 30 31
$ cmp dev/mb_vpd mb_vpd.before
same
$ # The backup copy is one block: -B sets max_size 0x400, so block 1 is out of reach.
$ orvantis -B -b 1 -r backup1.bin
Failed reading vpd data from vpd_obj!
2> orvantis: ROOT/dev/mb_vpd.backup: 1024 bytes at offset 0x400 pass the FRU's max_size 0x400
[exit 1]
$ # With another device name, -B renames the device to VPDb, which the library resolves when it loads.
$ replace inventory mb_vpd planar
$ copy dev/mb_vpd dev/planar
$ copy dev/mb_vpd.backup dev/VPDb
$ orvantis -o 15
L1HF94C00AB 
[exit 0]
$ orvantis -B -o 15
BACKUP000001
[exit 0]
$ # Bytes inside max_size that the device does not hold fail the command; zeros are never shown
$ # for them. A 3-byte device, one of 1000 bytes (short of block 0), one of a single block asked
$ # for block 3, and a FIFO, refused without waiting for a writer.
$ copy dev/mb_vpd dev/three
$ truncate dev/three 3
$ line inventory 7 yes full 0x2000 three
$ orvantis -i 7 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/three: only 3 of 1024 bytes at offset 0x0 could be read
[exit 1]
$ copy dev/mb_vpd dev/short
$ truncate dev/short 3e8
$ line inventory 8 yes full 0x2000 short
$ orvantis -i 8 -s 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/short: only 1000 of 1024 bytes at offset 0x0 could be read
[exit 1]
$ copy dev/mb_vpd dev/one
$ truncate dev/one 400
$ line inventory 9 yes full 0x2000 one
$ orvantis -i 9 -b 3 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/one: only 0 of 274 bytes at offset 0xc00 could be read
[exit 1]
$ mkfifo dev/fifo
$ line inventory 10 yes full 0x2000 fifo
$ orvantis -i 10 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/fifo: not a file or device that can hold VPD
[exit 1]
$ # A max_size of 0 leaves the record no byte to read, whatever the device holds.
$ line inventory 11 yes full 0 mb_vpd
$ orvantis -i 11 -p 2>
Failed to fetch vpd data!
2> orvantis: ROOT/dev/mb_vpd: holds no VPD bytes within max_size 0x0
[exit 1]
