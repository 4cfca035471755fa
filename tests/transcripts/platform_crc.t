$ # The block-0 CRC: zlib's CRC-32 over bytes 0x000 to 0x3FB, stored big-endian in bytes 0x3FC to 0x3FF.
$ patch dev/mb_vpd 3fc de ad be ef
$ patch dev/mb_vpd 400 77
$ crc32 dev/mb_vpd 0 3fc
ae720bc8
$ orvantis -s
Calculated CRC = 0xae720bc8
Stored CRC     = 0xdeadbeef
[exit 0]
$ orvantis -S
Calculated CRC = 0xae720bc8
Stored CRC     = 0xdeadbeef
New Stored CRC = 0xae720bc8
[exit 0]
$ xxd dev/mb_vpd 3f0 14
0003f0: 00 00 00 00 00 00 00 00 00 00 00 00 ae 72 0b c8
000400: 77 40 00 00
$ # Supported only on full records (else -1), with max_size of a block or more and the length word
$ # 0x3FE (else -2), of layout 2 or later (else -3).
$ orvantis -i 2 -S
CRC not supported for given vpd format
[exit 1]
$ orvantis -i 3 -S
CRC not supported for given vpd format
[exit 1]
$ orvantis -i 1 -S
CRC not supported for given vpd version
[exit 1]
$ line inventory 9 yes full 0x3ff mb_vpd
$ orvantis -i 9 -S
CRC not calculated since VPD size is invalid
[exit 1]
$ copy dev/mb_vpd dev/swapped
$ patch dev/swapped 0 fe 03
$ line inventory 10 yes full 0x2000 swapped
$ orvantis -i 10 -y 1024 -S
CRC not calculated since VPD size is invalid
[exit 1]
$ copy dev/mb_vpd dev/long
$ patch dev/long 1 ff
$ line inventory 11 yes full 0x2000 long
$ orvantis -i 11 -y 1024 -S
CRC not calculated since VPD size is invalid
[exit 1]
$ copy dev/mb_vpd dev/layout0
$ patch dev/layout0 2 00
$ line inventory 12 yes full 0x2000 layout0
$ orvantis -i 12 -S
CRC not supported for given vpd version
[exit 1]
$ # A one-block device of layout 9 is supported.
$ copy dev/mb_vpd.backup dev/one
$ patch dev/one 2 09
$ line inventory 13 yes full 0x400 one
$ crc32 dev/one 0 3fc
8e923e47
$ orvantis -i 13 -S
Calculated CRC = 0x8e923e47
Stored CRC     = 0x17e4cd56
New Stored CRC = 0x8e923e47
[exit 0]
