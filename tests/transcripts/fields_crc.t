$ # -s shows the block-0 CRC calculated over 0x0..0x3fb next to the one stored at 0x3fc; -S
$ # stores the calculated one. The crc32 command computes the expected value independently.
$ copy dev/mb_vpd orig
$ orvantis -s
Calculated CRC = 0xae720bc8
Stored CRC     = 0xae720bc8
[exit 0]
$ # One changed byte in block 0 makes the stored CRC wrong: -s shows both and still succeeds,
$ # and any block given with -b shows the same block-0 values.
$ patch dev/mb_vpd 300 01
$ orvantis -s
Calculated CRC = 0xad8bf3ab
Stored CRC     = 0xae720bc8
[exit 0]
$ orvantis -s -b 3
Calculated CRC = 0xad8bf3ab
Stored CRC     = 0xae720bc8
[exit 0]
$ crc32 dev/mb_vpd 0 3fc
ad8bf3ab
$ xxd dev/mb_vpd 3fc 4
0003fc: ae 72 0b c8
$ copy dev/mb_vpd expect
$ orvantis -b 2 -S
Calculated CRC = 0xad8bf3ab
Stored CRC     = 0xae720bc8
New Stored CRC = 0xad8bf3ab
[exit 0]
$ xxd dev/mb_vpd 3fc 4
0003fc: ad 8b f3 ab
$ patch expect 3fc ad 8b f3 ab
$ cmp dev/mb_vpd expect
same
$ orvantis -s
Calculated CRC = 0xad8bf3ab
Stored CRC     = 0xad8bf3ab
[exit 0]
$ # Already right: three equal values, and the device holds the same bytes.
$ orvantis -S
Calculated CRC = 0xad8bf3ab
Stored CRC     = 0xad8bf3ab
New Stored CRC = 0xad8bf3ab
[exit 0]
$ cmp dev/mb_vpd expect
same
$ # Two bytes at 0x3f0 chosen so that the CRC's top byte is 0: no leading zeros are printed.
$ copy orig dev/mb_vpd
$ patch dev/mb_vpd 3f0 00 10
$ crc32 dev/mb_vpd 0 3fc
0084cf03
$ orvantis -s
Calculated CRC = 0x84cf03
Stored CRC     = 0xae720bc8
[exit 0]
$ orvantis -S
Calculated CRC = 0x84cf03
Stored CRC     = 0xae720bc8
New Stored CRC = 0x84cf03
[exit 0]
$ xxd dev/mb_vpd 3fc 4
0003fc: 00 84 cf 03
$ orvantis -s
Calculated CRC = 0x84cf03
Stored CRC     = 0x84cf03
[exit 0]
$ # Refusals leave the device unchanged: compact formats have no block-0 CRC, the legacy riser
$ # (layout 1) predates it, and a record whose length word is wrong has no valid size.
$ copy dev/ocp_vpd expect2
$ orvantis -i 2 -S
CRC not supported for given vpd format
[exit 1]
$ cmp dev/ocp_vpd expect2
same
$ copy dev/psu1_vpd expect3
$ orvantis -i 3 -S
CRC not supported for given vpd format
[exit 1]
$ cmp dev/psu1_vpd expect3
same
$ copy dev/riser_vpd expect1
$ orvantis -i 1 -S
CRC not supported for given vpd version
[exit 1]
$ cmp dev/riser_vpd expect1
same
$ copy orig dev/bad9
$ patch dev/bad9 0 fe 03
$ line inventory 9 yes full 0x2000 bad9 broken length word
$ copy dev/bad9 expect9
$ orvantis -i 9 -y 1024 -s
Calculated CRC = 0x81ceb461
Stored CRC     = 0xae720bc8
[exit 0]
$ crc32 dev/bad9 0 3fc
81ceb461
$ orvantis -i 9 -y 1024 -S
CRC not calculated since VPD size is invalid
[exit 1]
$ cmp dev/bad9 expect9
same
