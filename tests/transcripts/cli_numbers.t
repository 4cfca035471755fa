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
