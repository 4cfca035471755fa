$ # -r and -w move whole blocks through read_raw and write_raw, which reach up to max_size and up to
$ # the device file's end, never past either, and never change the file's length.
$ orvantis -r b0.bin
[exit 0]
$ # FRU 0: max_size 0x2000 and a 0x2000-byte device; block 7 ends exactly at both.
$ orvantis -b 7 -r b7.bin
[exit 0]
$ orvantis -b 7 -w b0.bin
[exit 0]
$ orvantis -b 7 -r check.bin
[exit 0]
$ cmp check.bin b0.bin
same
$ # FRU 9: max_size 0x800 on the same 0x2000-byte device; block 1 ends at max_size, block 2 is past it.
$ line inventory 9 yes full 0x800 mb_vpd
$ orvantis -i 9 -b 1 -w b7.bin
[exit 0]
$ orvantis -i 9 -b 1 -r check.bin
[exit 0]
$ cmp check.bin b7.bin
same
$ copy dev/mb_vpd mb_vpd.before
$ orvantis -i 9 -b 2 -r b2.bin
Failed reading vpd data from vpd_obj!
2> orvantis: ROOT/dev/mb_vpd: 1024 bytes at offset 0x800 pass the FRU's max_size 0x800
[exit 1]
$ xxd b2.bin
$ orvantis -i 9 -b 2 -w b0.bin
Failed to update VPD
2> orvantis: ROOT/dev/mb_vpd: 1024 bytes at offset 0x800 pass the FRU's max_size 0x800
[exit 1]
$ cmp dev/mb_vpd mb_vpd.before
same
$ # FRU 10: max_size 0x2000 on a 0x1800-byte device; block 5 ends at the file's end, block 6 is past it.
$ copy dev/mb_vpd dev/short
$ truncate dev/short 1800
$ line inventory 10 yes full 0x2000 short
$ orvantis -i 10 -b 5 -w b0.bin
[exit 0]
$ orvantis -i 10 -b 5 -r check.bin
[exit 0]
$ cmp check.bin b0.bin
same
$ copy dev/short short.before
$ orvantis -i 10 -b 6 -r b6.bin
Failed reading vpd data from vpd_obj!
2> orvantis: ROOT/dev/short: only 0 of 1024 bytes at offset 0x1800 could be read
[exit 1]
$ orvantis -i 10 -b 6 -w b0.bin
Failed to update VPD
2> orvantis: ROOT/dev/short: 1024 bytes at offset 0x1800 pass the end of the file (6144 bytes)
[exit 1]
$ cmp dev/short short.before
same
$ xxd dev/short 17f0 20
0017f0: 00 00 00 00 00 00 00 00 00 00 00 00 ae 72 0b c8
$ # Devices that do not keep what is written: /dev/zero reads back zeros, /dev/full takes nothing.
$ # Their length word reads as 0, so -y 1024 gives the block size.
$ line inventory 11 yes full 0x2000 /dev/zero
$ line inventory 12 yes full 0x2000 /dev/full
$ orvantis -i 11 -y 1024 -w b0.bin
Failed to update VPD
2> orvantis: /dev/zero: write did not read back (offset 0x0, 1024 bytes)
[exit 1]
$ orvantis -i 12 -y 1024 -w b0.bin
Failed to update VPD
2> orvantis: /dev/full: write failed at offset 0x0 after 0 of 1024 bytes: No space left on device
[exit 1]
