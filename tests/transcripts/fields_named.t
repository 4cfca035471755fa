$ # -g and -G reach seven fields by name. mtm and sn follow the layout: the legacy riser (FRU 1,
$ # layout 1) keeps them in the 7-byte fields 8 and 9, the system board (FRU 0, layout 2) in the
$ # 10-byte fields 0x38 and 0x39. Every block behaves the same.
$ orvantis -g mtm
9Q47CTO1WW
[exit 0]
$ orvantis -b 3 -g sn
J30A4F7K  
[exit 0]
$ orvantis -i 1 -g mtm
8871AC1
[exit 0]
$ orvantis -i 1 -b 1 -g sn
KQ2M4R7
[exit 0]
$ orvantis -g hwrev
0x03
[exit 0]
$ orvantis -g uuid
4C4C4544005039108048B3C04F443532
[exit 0]
$ orvantis -g posid
0034
[exit 0]
$ orvantis -g vpdid
0112
[exit 0]
$ orvantis -g uefiid
TEE170X-2.61
[exit 0]
$ # Only the exact lower-case names are known; others print nothing and succeed.
$ orvantis -g MTM
[exit 0]
$ orvantis -g serial
[exit 0]
$ # -G on the riser writes the legacy fields 8 (at 0xe) and 9 (at 0x15).
$ copy dev/riser_vpd expect1
$ xxd dev/riser_vpd 0 20
000000: 03 fe 01 02 00 02 00 00 01 12 00 00 00 51 38 38
000010: 37 31 41 43 31 4b 51 32 4d 34 52 37 00 00 00 00
$ orvantis -i 1 -G 'mtm s 1234ABC'
[exit 0]
$ orvantis -i 1 -b 1 -G 'sn s S999999'
[exit 0]
$ orvantis -i 1 -G 'mtm s 7Y98CTO1WW'
ERROR: Input has length 10, but expect 7 for field 8
[exit 1]
$ xxd dev/riser_vpd 0 20
000000: 03 fe 01 02 00 02 00 00 01 12 00 00 00 51 31 32
000010: 33 34 41 42 43 53 39 39 39 39 39 39 00 00 00 00
$ patch expect1 e 31 32 33 34 41 42 43 53 39 39 39 39 39 39
$ cmp dev/riser_vpd expect1
same
$ # On the system board the same names write fields 0x38 (at 0x20c) and 0x39 (at 0x216).
$ copy dev/mb_vpd expect
$ orvantis -b 2 -G 'mtm s 7Y98CTO1WW'
[exit 0]
$ orvantis -G 'sn s J30099999Z'
[exit 0]
$ xxd dev/mb_vpd 20c 14
00020c: 37 59 39 38 43 54 4f 31 57 57 4a 33 30 30 39 39
00021c: 39 39 39 5a
$ patch expect 20c 37 59 39 38 43 54 4f 31 57 57 4a 33 30 30 39 39 39 39 39 5a
$ cmp dev/mb_vpd expect
same
$ orvantis -G 'sn s 1234567'
ERROR: Input has length 7, but expect 10 for field 57
[exit 1]
$ # The usage example "posid b 0x00 0x34" on a posid of 12 12.
$ patch dev/mb_vpd c 12 12
$ orvantis -G 'posid b 0x00 0x34'
[exit 0]
$ xxd dev/mb_vpd 8 6
000008: 01 12 04 00 00 34
$ cmp dev/mb_vpd expect
same
$ # Refusals: the wrong type letter for the name, too few tokens, data that does not fit.
$ orvantis -G 'mtm b 1 2 3'
ERROR: mtm uses string input
[exit 1]
$ orvantis -G 'sn bytes 1'
ERROR: sn uses string input
[exit 1]
$ orvantis -G 'uefiid b 1'
ERROR: uefiid uses string input
[exit 1]
$ orvantis -G 'uuid s 1'
ERROR: uuid uses byte string input
[exit 1]
$ orvantis -G 'hwrev s 1'
ERROR: hwrev uses byte string input
[exit 1]
$ orvantis -G 'posid S 1'
ERROR: posid uses byte string input
[exit 1]
$ orvantis -G 'vpdid x 1'
ERROR: vpdid uses byte string input
[exit 1]
$ orvantis -G 'posid b 0x34'
ERROR: Input has length 1, but expect 2 for field 7
[exit 1]
$ orvantis -G 'mtm'
ERROR: Not enough input!
[exit 1]
$ orvantis -G 'mtm s'
ERROR: Not enough input!
[exit 1]
$ orvantis -G 'nosuch'
ERROR: Not enough input!
[exit 1]
$ # An unknown name with enough tokens does nothing and succeeds.
$ orvantis -G 'nosuch s x'
[exit 0]
$ orvantis -G 'MTM s 7X12CTO1WW'
[exit 0]
$ cmp dev/mb_vpd expect
same
$ # Only full records are served.
$ copy dev/ocp_vpd expect2
$ copy dev/psu1_vpd expect3
$ orvantis -i 3 -g mtm
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 2 -G 'posid b 0x00 0x34'
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 3 -P
Error: Only VPD_FORMAT_FULL vpd support this command.
[exit 1]
$ cmp dev/ocp_vpd expect2
same
$ cmp dev/psu1_vpd expect3
same
$ # -P: vpdid in the high half, posid in the low half, 8 lower-case digits.
$ orvantis -P
0x01120034
[exit 0]
$ orvantis -b 5 -P
0x01120034
[exit 0]
$ patch dev/mb_vpd 8 00 01
$ orvantis -P
0x00010034
[exit 0]
$ patch dev/mb_vpd 8 ab cd 00 00 ef 01
$ orvantis -P
0xabcdef01
[exit 0]
$ patch dev/mb_vpd 8 00 00 00 00 00 00
$ orvantis -P
0x00000000
[exit 0]
$ # Text padded with blanks: -o, -p and -g of the other names show the field as stored, blanks
$ # included (sn above); -g uefiid alone shows the text up to its first NUL with trailing blanks
$ # removed (leading and inner ones stay).
$ patch dev/mb_vpd 405 20 20 54 45 45 31 37 30 58 20 20 20 20 20 20 20
$ orvantis -g uefiid
  TEE170X
[exit 0]
$ orvantis -o 81
  TEE170X       
[exit 0]
$ patch dev/mb_vpd 405 41 20 42 20 20 00 20 20 58 59 20 20 20 20 20 20
$ orvantis -g uefiid
A B
[exit 0]
$ patch dev/mb_vpd 405 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20
$ orvantis -g uefiid

[exit 0]
$ orvantis -o 81
                
[exit 0]
