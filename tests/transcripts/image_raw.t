$ # Raw dump (-r) and burn (-w): a raw file is exactly one block, bytes as the device holds them.
$ copy dev/mb_vpd orig
$ copy dev/ocp_vpd ocp_orig
$ # -b 2 of the system board is device bytes 0x800 to 0xbff; the dump ends at 0x3ff.
$ orvantis -b 2 -r b2.bin
[exit 0]
$ xxd b2.bin 0 10
000000: 01 02 00 a1 4e 56 22 40 00 01 3f 9c 12 d4 77 e0
$ xxd dev/mb_vpd 800 10
000800: 01 02 00 a1 4e 56 22 40 00 01 3f 9c 12 d4 77 e0
$ xxd b2.bin 3f0 20
0003f0: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
$ xxd dev/mb_vpd bf0 10
000bf0: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
$ # Burnt back unchanged it changes nothing; with two bytes edited, exactly those two change.
$ orvantis -b 2 -w b2.bin
[exit 0]
$ cmp dev/mb_vpd orig
same
$ patch b2.bin 10 aa bb
$ orvantis -b 2 -w b2.bin
[exit 0]
$ xxd dev/mb_vpd 80e 6
00080e: 77 e0 aa bb c2 b8
$ xxd orig 80e 6
00080e: 77 e0 9a 51 c2 b8
$ patch dev/mb_vpd 810 9a 51
$ cmp dev/mb_vpd orig
same
$ # -y 256: block 3 is 256 bytes from 0x300.
$ orvantis -b 3 -y 256 -r y.bin
[exit 0]
$ xxd y.bin f0 20
0000f0: 00 00 00 00 00 00 00 00 00 00 00 00 ae 72 0b c8
$ xxd dev/mb_vpd 3f0 10
0003f0: 00 00 00 00 00 00 00 00 00 00 00 00 ae 72 0b c8
$ # A brief block 1 starts at 256: a 512-byte adapter device, block 0 of the sample adapter burnt into its block 1.
$ copy dev/ocp_vpd dev/ocp2
$ truncate dev/ocp2 200
$ line inventory 9 yes brief 0x200 ocp2 wide adapter
$ orvantis -i 2 -r brief.bin
[exit 0]
$ orvantis -i 9 -b 1 -w brief.bin
[exit 0]
$ xxd dev/ocp2 f8 10
0000f8: 00 00 00 00 2d e7 77 c7 fe 00 03 02 e4 14 d7 16
$ orvantis -i 9 -b 1 -r back.bin
[exit 0]
$ cmp back.bin brief.bin
same
$ # Files of any other size are refused and nothing is written: one byte short, one byte long, empty,
$ # 1000 bytes, a brief block on a full record, a full block on a brief record, a missing file, a
$ # directory. Standard error says what was found.
$ orvantis -r b0.bin
[exit 0]
$ copy b0.bin short
$ truncate short 3ff
$ orvantis -w short 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: short: holds 1023 bytes, expected 1024 (one block)
[exit 1]
$ copy b0.bin long
$ truncate long 401
$ orvantis -w long 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: long: holds 1025 bytes, expected 1024 (one block)
[exit 1]
$ truncate empty 0
$ orvantis -w empty 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: empty: holds 0 bytes, expected 1024 (one block)
[exit 1]
$ truncate k1000 3e8
$ orvantis -w k1000 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: k1000: holds 1000 bytes, expected 1024 (one block)
[exit 1]
$ orvantis -w brief.bin 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: brief.bin: holds 256 bytes, expected 1024 (one block)
[exit 1]
$ orvantis -i 2 -w b0.bin 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: b0.bin: holds 1024 bytes, expected 256 (one block)
[exit 1]
$ orvantis -w missing.bin 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: missing.bin: No such file or directory
[exit 1]
$ mkdir dir
$ orvantis -w dir 2>
Corrupted VPD Raw File (wrong size)!
2> orvantis: dir: Is a directory
[exit 1]
$ cmp dev/mb_vpd orig
same
$ cmp dev/ocp_vpd ocp_orig
same
$ # The riser holds two blocks (max size 0x800): block 2 can be neither burnt nor dumped. The failed dump
$ # leaves the raw file it had already opened empty.
$ copy dev/riser_vpd riser_orig
$ orvantis -i 1 -b 2 -w b0.bin
Failed to update VPD
2> orvantis: ROOT/dev/riser_vpd: 1024 bytes at offset 0x800 pass the FRU's max_size 0x800
[exit 1]
$ copy b0.bin old.bin
$ orvantis -i 1 -b 2 -r old.bin
Failed reading vpd data from vpd_obj!
2> orvantis: ROOT/dev/riser_vpd: 1024 bytes at offset 0x800 pass the FRU's max_size 0x800
[exit 1]
$ xxd old.bin
$ orvantis -w old.bin
Corrupted VPD Raw File (wrong size)!
2> orvantis: old.bin: holds 0 bytes, expected 1024 (one block)
[exit 1]
$ cmp dev/riser_vpd riser_orig
same
$ # A raw file that cannot be created.
$ orvantis -r nodir/raw.bin
Failed to open binary output file.
2> orvantis: nodir/raw.bin: cannot open for writing: No such file or directory
[exit 1]
$ orvantis -r dir
Failed to open binary output file.
2> orvantis: dir: cannot open for writing: Is a directory
[exit 1]
$ # /dev/full takes nothing: the dump fails at its write.
$ orvantis -r /dev/full 2>
Failed to write binary output file.
2> orvantis: /dev/full: cannot write: No space left on device
[exit 1]
$ # A FIFO without a reader is refused rather than waited on.
$ mkfifo fifo
$ orvantis -r fifo 2>
Failed to open binary output file.
2> orvantis: fifo: cannot open for writing: No such device or address
[exit 1]
$ # A raw output that is the VPD of a FRU, by any name, is refused before it is opened: the system
$ # board's device and its backup copy, a symbolic link to it, a hard link to the riser's device.
$ copy dev/mb_vpd.backup backup_orig
$ symlink dev/mb_vpd alias
$ link dev/riser_vpd hard
$ orvantis -r dev/mb_vpd 2>
Failed to open binary output file.
2> orvantis: dev/mb_vpd: is the VPD of FRU 0 (ROOT/dev/mb_vpd); a raw file is never written over it
[exit 1]
$ orvantis -i 1 -r dev/mb_vpd.backup 2>
Failed to open binary output file.
2> orvantis: dev/mb_vpd.backup: is the VPD of FRU 0 (ROOT/dev/mb_vpd.backup); a raw file is never written over it
[exit 1]
$ orvantis -b 1 -r alias 2>
Failed to open binary output file.
2> orvantis: alias: is the VPD of FRU 0 (ROOT/dev/mb_vpd); a raw file is never written over it
[exit 1]
$ orvantis -b 1 -r hard 2>
Failed to open binary output file.
2> orvantis: hard: is the VPD of FRU 1 (ROOT/dev/riser_vpd); a raw file is never written over it
[exit 1]
$ cmp dev/mb_vpd orig
same
$ cmp dev/mb_vpd.backup backup_orig
same
$ cmp dev/riser_vpd riser_orig
same
$ # Nor is it the inventory or the journal folder. A raw output that does not exist yet is compared by
$ # the path it resolves to, symlinks followed as far as they go: with the backup copy missing, its
$ # name is refused and nothing is made there (nothing to remove), nor at the target of a dangling
$ # backup symlink, by either name.
$ copy inventory inventory_orig
$ orvantis -r inventory 2>
Failed to open binary output file.
2> orvantis: inventory: is the inventory (ROOT/inventory); a raw file is never written over it
[exit 1]
$ orvantis -p > p.txt
[exit 0]
$ orvantis -c p.txt inventory 2>
Failed to open file for raw output
2> orvantis: inventory: is the inventory (ROOT/inventory); a raw file is never written over it
[exit 1]
$ cmp inventory inventory_orig
same
$ orvantis -r journal 2>
Failed to open binary output file.
2> orvantis: journal: is the journal folder or lies in it (ROOT/journal); a raw file is never written over it
[exit 1]
$ rm dev/mb_vpd.backup
$ orvantis -r dev/mb_vpd.backup 2>
Failed to open binary output file.
2> orvantis: dev/mb_vpd.backup: is the VPD of FRU 0 (ROOT/dev/mb_vpd.backup); a raw file is never written over it
[exit 1]
$ rm dev/mb_vpd.backup
rm: failed
$ mkdir chips
$ symlink ../chips/backup dev/mb_vpd.backup
$ orvantis -r chips/backup 2>
Failed to open binary output file.
2> orvantis: chips/backup: is the VPD of FRU 0 (ROOT/dev/mb_vpd.backup); a raw file is never written over it
[exit 1]
$ orvantis -r dev/mb_vpd.backup 2>
Failed to open binary output file.
2> orvantis: dev/mb_vpd.backup: is the VPD of FRU 0 (ROOT/dev/mb_vpd.backup); a raw file is never written over it
[exit 1]
$ rm chips/backup
rm: failed
$ # Any FRU's backup copy is VPD too, present or not: never a raw output.
$ orvantis -r dev/riser_vpd.backup
Failed to open binary output file.
2> orvantis: dev/riser_vpd.backup: is the VPD of FRU 1 (ROOT/dev/riser_vpd.backup); a raw file is never written over it
[exit 1]
$ rm dev/riser_vpd.backup
rm: failed
