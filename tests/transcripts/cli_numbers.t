$ # Numbers out of range in every option give the 32-bit target's results: strtoul saturates at
$ # 0xFFFFFFFF and strtol at 0x7FFFFFFF and -0x80000000, and a negative -b or -y is a large unsigned.
$ orvantis -b 4294967296 -p
Invalid block number
[exit 1]
$ orvantis -b -1 -p
Invalid block number
[exit 1]
$ orvantis -i 4294967296 -p
Failed to fetch orvantis(ffffffff) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 255
[exit 1]
$ orvantis -i -1 -p
Failed to fetch orvantis(ffffffff) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 255
[exit 1]
$ orvantis -o 4294967296
Invalid field number
[exit 1]
$ orvantis -o -1
Invalid field number
[exit 1]
$ orvantis -o -65536
0x03FE
[exit 0]
$ orvantis -y 4294967296 -p
Provided block size(65535) is invalid
[exit 1]
$ orvantis -y -1 -p
Provided block size(65535) is invalid
[exit 1]
$ orvantis -O '4294967296 b 1'
ERROR: Input has length 1, but expect -1 for field 2147483647
[exit 1]
$ orvantis -O '-1 b 1'
ERROR: Input has length 1, but expect -1 for field 4294967295
[exit 1]
$ orvantis -G 'posid b 99999999999 -1'
[exit 0]
$ orvantis -g posid
FFFF
[exit 0]
$ xxd dev/mb_vpd c 2
00000c: ff ff
$ # A directory is no raw output file.
$ mkdir dir
$ orvantis -r dir
Failed to open binary output file.
2> orvantis: dir: cannot open for writing: Is a directory
[exit 1]
$ # The largest value of each numeric option that still names something, and the first that does
$ # not. -b: block 7 is the last of FRU 0; 8 is refused before anything is read or made.
$ orvantis -b 7 -r b7.bin
[exit 0]
$ xxd b7.bin 0 4
000000: ff ff ff ff
$ orvantis -b 8 -r b8.bin
Invalid block number
[exit 1]
$ xxd b8.bin
$ # -i: FRU 255 is the last id; only the low byte names the FRU, so 256 is FRU 0, and 0x1FF,
$ # 0xFFFFFFFF and anything past 32 bits (saturated to 0xFFFFFFFF) are FRU 255 again.
$ line inventory 255 yes cff3 0x200 psu1_vpd highest id
$ orvantis -i 255 -o 5
NPS-1100AB Titanium     
[exit 0]
$ orvantis -i 256 -o 5
0112
[exit 0]
$ orvantis -i 0x1ff -o 5
NPS-1100AB Titanium     
[exit 0]
$ orvantis -i 4294967295 -o 5
NPS-1100AB Titanium     
[exit 0]
$ orvantis -i 4294967296 -o 5
NPS-1100AB Titanium     
[exit 0]
$ # -y: the fixed block sizes 256 and 1024 alone, taken from the low 16 bits: 0xFFFF is refused,
$ # 0x10000 is 0, 0x10400 is 1024.
$ orvantis -y 255 -o 5
Provided block size(255) is invalid
[exit 1]
$ orvantis -y 257 -o 5
Provided block size(257) is invalid
[exit 1]
$ orvantis -y 1023 -o 5
Provided block size(1023) is invalid
[exit 1]
$ orvantis -y 1025 -o 5
Provided block size(1025) is invalid
[exit 1]
$ orvantis -y 0xFFFF -o 5
Provided block size(65535) is invalid
[exit 1]
$ orvantis -y 0x10000 -o 5
Provided block size(0) is invalid
[exit 1]
$ orvantis -y 0x10400 -o 5
0112
[exit 0]
$ # -O field numbers: the table's last index (full 188, brief 22) and one past it.
$ orvantis -O '188 b 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16'
[exit 0]
$ xxd dev/mb_vpd 143d 10
00143d: 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10
$ orvantis -O '189 b 1'
ERROR: Input has length 1, but expect -1 for field 189
[exit 1]
$ orvantis -i 2 -O '22 b 1 2 3 4'
[exit 0]
$ xxd dev/ocp_vpd fc 4
0000fc: 01 02 03 04
$ orvantis -i 2 -O '23 b 1'
ERROR: Input has length 1, but expect -1 for field 8215
[exit 1]
$ # Byte tokens keep their low byte: 255 and 0xFF are ff, 256 and 0x100 are 00.
$ orvantis -O '5 b 255 256'
[exit 0]
$ orvantis -O '7 b 0xFF 0x100'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: ff 00 04 00 ff 00
