$ # -O "NUM type data" writes one field of the system board (FRU 0, full, layout 2) straight to
$ # the device. After each accepted write the copy "expect" is patched with the bytes the field
$ # should now hold, and cmp proves that nothing else changed.
$ copy dev/mb_vpd expect
$ # Fields 5, 6, 7 (vpdid, feature flags, posid), 2 bytes each from 0x8.
$ xxd dev/mb_vpd 8 6
000008: 01 12 04 00 00 34
$ orvantis -O '7 b 0x04 0x00'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: 01 12 04 00 04 00
$ patch expect c 04 00
$ cmp dev/mb_vpd expect
same
$ # -b does not move a field: a field number names the same bytes from every block.
$ orvantis -b 3 -O '7 b 0x04 0x01'
[exit 0]
$ orvantis -b 5 -O '184 b 0x5A'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: 01 12 04 00 04 01
$ xxd dev/mb_vpd 1400 2
001400: 5a 4e
$ patch expect c 04 01
$ patch expect 1400 5a
$ cmp dev/mb_vpd expect
same
$ orvantis -b 2 -O '7 b 0x04 0x00'
[exit 0]
$ patch expect c 04 00
$ # The type word counts by its first letter; 017, 0x0F and 15 all store 0x0F.
$ orvantis -O '7 bytes 017 0x0F'
[exit 0]
$ orvantis -O '5 b 15 0X0f'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: 0f 0f 04 00 0f 0f
$ patch expect 8 0f 0f
$ patch expect c 0f 0f
$ cmp dev/mb_vpd expect
same
$ # Only the low byte counts: 300 stores 2c, -1 ff, 4294967296 (past 32 bits) ff, no digits 00.
$ orvantis -O '5 b 300 -1'
[exit 0]
$ orvantis -O '7 b 4294967296 zz'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: 2c ff 04 00 ff 00
$ patch expect 8 2c ff
$ patch expect c ff 00
$ cmp dev/mb_vpd expect
same
$ # Strings go out byte for byte; only the first data word is the text, later words are ignored.
$ xxd dev/mb_vpd 20c 14
00020c: 39 51 34 37 43 54 4f 31 57 57 4a 33 30 41 34 46
00021c: 37 4b 20 20
$ orvantis -O '56 s 7X12CTO1WW'
[exit 0]
$ orvantis -O '57 s ABCDEFGHIJ ignored words'
[exit 0]
$ xxd dev/mb_vpd 20c 14
00020c: 37 58 31 32 43 54 4f 31 57 57 41 42 43 44 45 46
00021c: 47 48 49 4a
$ patch expect 20c 37 58 31 32 43 54 4f 31 57 57 41 42 43 44 45 46 47 48 49 4a
$ cmp dev/mb_vpd expect
same
$ # 64 data bytes fill the 64-byte Manufacturing Notes (field 74 at 0x29c).
$ orvantis -O '74 b 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59 60 61 62 63 64'
[exit 0]
$ xxd dev/mb_vpd 29c 40
00029c: 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10
0002ac: 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f 20
0002bc: 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f 30
0002cc: 31 32 33 34 35 36 37 38 39 3a 3b 3c 3d 3e 3f 40
$ patch expect 29c 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f 20 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f 30 31 32 33 34 35 36 37 38 39 3a 3b 3c 3d 3e 3f 40
$ cmp dev/mb_vpd expect
same
$ # Refusals: each prints its message, and the device stays as it was.
$ orvantis -O '56 s 7X12CTO1W'
ERROR: Input has length 9, but expect 10 for field 56
[exit 1]
$ orvantis -O '56 s 7X12CTO1WWW'
ERROR: Input has length 11, but expect 10 for field 56
[exit 1]
$ orvantis -O '7 b 1'
ERROR: Input has length 1, but expect 2 for field 7
[exit 1]
$ orvantis -O '7 b 1 2 3'
ERROR: Input has length 3, but expect 2 for field 7
[exit 1]
$ orvantis -O '0x38 s 7X12CTO1WW'
ERROR: Input has length 10, but expect 2 for field 0
[exit 1]
$ orvantis -O '8 s 9Q47ABX'
ERROR: Input has length 7, but expect 0 for field 8
[exit 1]
$ orvantis -O '9999 b 1'
ERROR: Input has length 1, but expect -1 for field 9999
[exit 1]
$ orvantis -O '74 b 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65'
Whoops, only support up to 64 byte fields right now
[exit 1]
$ orvantis -O ''
ERROR: Not enough input!
[exit 1]
$ orvantis -O '7'
ERROR: Not enough input!
[exit 1]
$ orvantis -O '7 b'
ERROR: Not enough input!
[exit 1]
$ # A type letter other than b or s, upper case included, does nothing and succeeds.
$ orvantis -O '7 B 0 1'
[exit 0]
$ orvantis -O '56 S 7X12CTO1WW'
[exit 0]
$ orvantis -O '7 x 0 1'
[exit 0]
$ cmp dev/mb_vpd expect
same
$ # Compact formats add their base to the field number, whatever block -b names: brief (FRU 2)
$ # 0x2000, cff3 (FRU 3) 0x3000. The brief Vendor ID (field 3) sits at 0x4, little-endian.
$ copy dev/ocp_vpd expect2
$ orvantis -i 2 -b 3 -O '3 b 1'
ERROR: Input has length 1, but expect 2 for field 8195
[exit 1]
$ orvantis -i 2 -b 3 -O '3 b 0x12 0x34 0x56'
ERROR: Input has length 3, but expect 2 for field 8195
[exit 1]
$ cmp dev/ocp_vpd expect2
same
$ xxd dev/ocp_vpd 0 10
000000: fe 00 03 02 e4 14 d7 16 21 0a 3b 1f 30 31 50 45
$ orvantis -i 2 -b 3 -O '3 b 0x12 0x34'
[exit 0]
$ xxd dev/ocp_vpd 0 10
000000: fe 00 03 02 12 34 d7 16 21 0a 3b 1f 30 31 50 45
$ patch expect2 4 12 34
$ cmp dev/ocp_vpd expect2
same
$ # cff3: field 5 is the 24-byte Model Name (0x3005 = 12293), field 15 the Country of Origin at 0x7b.
$ copy dev/psu1_vpd expect3
$ orvantis -i 3 -b 1 -O '5 s NPS-1100AB'
ERROR: Input has length 10, but expect 24 for field 12293
[exit 1]
$ cmp dev/psu1_vpd expect3
same
$ xxd dev/psu1_vpd 70 10
000070: 20 20 20 54 69 74 61 6e 69 75 6d 43 4e 4e 50 53
$ orvantis -i 3 -b 1 -O '15 s US'
[exit 0]
$ xxd dev/psu1_vpd 70 10
000070: 20 20 20 54 69 74 61 6e 69 75 6d 55 53 4e 50 53
$ patch expect3 7b 55 53
$ cmp dev/psu1_vpd expect3
same
