$ # Convert (-c): a printout of block 0, edited by hand, back into a raw file of one block.
$ orvantis -p > block0.txt
[exit 0]
$ orvantis -c block0.txt plain.bin
[exit 0]
$ # A text of the right length is taken (the EC level, 8 bytes at 0x79), so is a changed byte (the chassis
$ # type at 0x9d); a comment line is skipped.
$ copy block0.txt p.txt
$ replace p.txt "[N34127  ]t" "[N34128A ]t"
$ line p.txt "# EC level and chassis type changed by hand"
$ replace p.txt "Chassis Type: [0x17]" "Chassis Type: [0xA5]"
$ orvantis -c p.txt edit.bin
[exit 0]
$ xxd plain.bin 79 8
000079: 4e 33 34 31 32 37 20 20
$ xxd edit.bin 79 8
000079: 4e 33 34 31 32 38 41 20
$ xxd edit.bin 9d 1
00009d: a5
$ # A text of another length prints the size message and stays zero (the product family, 16 bytes at 0x50);
$ # the raw file is still written.
$ copy block0.txt p.txt
$ replace p.txt "[NS-2000         ]t" "[NS-2000]t"
$ orvantis -c p.txt edit.bin
BOOM! size of string is different.  s= NS-2000 len= 16
[exit 0]
$ xxd edit.bin 50 10
000050: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
$ # A hex value broken across its two lines at another place gives the same bytes.
$ copy block0.txt p.txt
$ replace p.txt "[01020304000000100020000100000000" "[010203040000001000200001"
$ replace p.txt "00FF0000]h" "  0000000000FF0000]h"
$ orvantis -c p.txt edit.bin
[exit 0]
$ cmp edit.bin plain.bin
same
$ # A tagged slot typed too long keeps to its 32 bytes (0x183 to 0x1a2).
$ copy block0.txt p.txt
$ replace p.txt "[55:TEE170X 2.61|" "[55:TEE170X 2.61-0123456789012345678901234|"
$ orvantis -c p.txt edit.bin
[exit 0]
$ xxd edit.bin 180 28
000180: 00 00 01 55 54 45 45 31 37 30 58 20 32 2e 36 31
000190: 2d 30 31 32 33 34 35 36 37 38 39 30 31 32 33 34
0001a0: 35 36 37 43 43 46 47 2d
$ # A component VPD printout converts with a reminder about byte order.
$ orvantis -i 2 -p -E > ocp.txt
[exit 0]
$ orvantis -i 2 -c ocp.txt ocp.bin
Warning! For Component VPD (VPD_FORMAT_BRIEF) you need to use the -E option during the ASCII print for correct endianness in raw file.
[exit 0]
$ orvantis -i 2 -r ocp_dump.bin
[exit 0]
$ cmp ocp.bin ocp_dump.bin
same
$ # Refused printouts: one message, exit status 1, an existing raw file unchanged and no new one.
$ # (Converting a name as a printout tells whether that file exists.)
$ copy plain.bin old.bin
$ copy block0.txt p.txt
$ replace p.txt "VPD Layout Version:" "VPD Block Count:"
$ orvantis -c p.txt old.bin
Data corruption idx[1]!! Program Exit!  Expected "VPD Layout Version" but got "VPD Block Count"
[exit 1]
$ # An unclosed bracket takes the next field's line in, so that field is missing.
$ copy block0.txt p.txt
$ replace p.txt "[0x03FE]" "[0x03FE"
$ orvantis -c p.txt old.bin
Data corruption idx[1]!! Program Exit!  Expected "VPD Layout Version" but got "VPD Block Count"
[exit 1]
$ copy block0.txt p.txt
$ replace p.txt "Chassis Type: [0x17]" "Chassis Type [0x17]"
$ orvantis -c p.txt old.bin
Convert2bin failed: line 23: field line without ':'
[exit 1]
$ copy block0.txt p.txt
$ line p.txt "                                  Extra Field: [00]"
$ orvantis -c p.txt old.bin
Convert2bin failed: line 83: field line after the last field of the block
[exit 1]
$ copy block0.txt p.txt
$ replace p.txt "[0xAE720BC8]h" "[0xAE720BC8"
$ orvantis -c p.txt old.bin
Convert2bin failed: line 82: multi-line field not closed by ']' before the end of the file
[exit 1]
$ orvantis -y 256 -c block0.txt old.bin
Convert2bin failed: line 37: field "MAC Address 1" (6 bytes at offset 253) does not fit in a block of 256 bytes
[exit 1]
$ orvantis -b 1 -c block0.txt old.bin
Data corruption idx[77]!! Program Exit!  Expected "Block 1 Revision" but got "VPD Length"
[exit 1]
$ cmp old.bin plain.bin
same
$ orvantis -b 1 -c block0.txt new.bin
Data corruption idx[77]!! Program Exit!  Expected "Block 1 Revision" but got "VPD Length"
[exit 1]
$ orvantis -c new.bin probe.bin
Convert2bin failed: ASCII file "new.bin" cannot be opened
[exit 1]
$ # A printout that cannot be read is refused rather than read as empty.
$ orvantis -c missing.txt new.bin
Convert2bin failed: ASCII file "missing.txt" cannot be opened
[exit 1]
$ mkdir dir
$ orvantis -c dir new.bin
Convert2bin failed: ASCII file "dir" is a directory
[exit 1]
$ orvantis -c new.bin probe.bin
Convert2bin failed: ASCII file "new.bin" cannot be opened
[exit 1]
$ # A raw file that cannot be created is reported after the printout was read.
$ orvantis -c block0.txt nodir/raw.bin
Failed to open file for raw output
2> orvantis: nodir/raw.bin: cannot open for writing: No such file or directory
[exit 1]
$ orvantis -c block0.txt dir
Failed to open file for raw output
2> orvantis: dir: cannot open for writing: Is a directory
[exit 1]
$ # /dev/full takes nothing; the VPD of a FRU is never a raw file, and stays as it was.
$ orvantis -c block0.txt /dev/full 2>
Failed to write file for raw output
2> orvantis: /dev/full: cannot write: No space left on device
[exit 1]
$ copy dev/mb_vpd mb_orig
$ orvantis -c block0.txt dev/mb_vpd 2>
Failed to open file for raw output
2> orvantis: dev/mb_vpd: is the VPD of FRU 0 (ROOT/dev/mb_vpd); a raw file is never written over it
[exit 1]
$ cmp dev/mb_vpd mb_orig
same
$ # A printout line is read up to 128 KiB, so memory stays bounded whatever the input: a line of
$ # 131072 NULs is read (and is no field line), one byte more refuses the printout as too long.
$ # Neither makes a raw file.
$ truncate long.txt 20000
$ orvantis -c long.txt long.raw
Convert2bin failed: line 1: field line without ':'
[exit 1]
$ truncate long.txt 20001
$ orvantis -c long.txt long.raw
Convert2bin failed: line 1: line longer than 131072 characters
[exit 1]
$ orvantis -c long.raw probe.bin
Convert2bin failed: ASCII file "long.raw" cannot be opened
[exit 1]
