$ # The FRU inventory is the library's text plus a newline; the other settings open nothing.
$ orvantis -l
FRU  PRESENT  FORMAT  MAX_SIZE  DEVICE     DESCRIPTION
0    yes      full    0x2000    mb_vpd     System board (planar), 8 blocks, layout 2
1    yes      full    0x800     riser_vpd  PCIe riser 1, legacy layout 1
2    yes      brief   0x100     ocp_vpd    OCP 3.0 network adapter, component VPD
3    yes      cff3    0x200     psu1_vpd   Power supply 1, compact FRU VPD
4    no       cff3    0x200     psu2_vpd   Power supply 2 (bay empty)
[exit 0]
$ orvantis -l -i 5 -b 3 -B -E -y 256 > settings.txt
[exit 0]
$ orvantis -p -l > last_mode.txt
[exit 0]
$ orvantis -l > plain.txt
[exit 0]
$ cmp plain.txt settings.txt
same
$ cmp plain.txt last_mode.txt
same
$ # The last mode option wins: a later -n opens the record -i names.
$ orvantis -l -i 9 -n 2>
Failed to fetch orvantis(9) record from vpd_db
2> orvantis: ROOT/inventory: no FRU 9
[exit 1]
$ # The field list of a full record, numbered by table index, one run per block: block 5 where the
$ # table ends (6 and 7 share its range), and block 2 below with -y. The brief and cff3 lists below show the 2-digit numbers.
$ orvantis -n -b 5
  184 : OEM Block Revision                                   | Off: 0x1400 | Len: 0x01
  185 : OEM Identifier                                       | Off: 0x1401 | Len: 0x10
  186 : OEM Data                                             | Off: 0x1411 | Len: 0x28
  187 : OEM Logo Checksum                                    | Off: 0x1439 | Len: 0x04
  188 : OEM Blank Area                                       | Off: 0x143D | Len: 0x10
[exit 0]
$ orvantis -n -b 5 > block5.txt
[exit 0]
$ orvantis -n -b 6 > block6.txt
[exit 0]
$ orvantis -n -b 7 > block7.txt
[exit 0]
$ cmp block5.txt block6.txt
same
$ cmp block5.txt block7.txt
same
$ # Offsets are block size x block + offset: -y 256 moves block 2 to 0x200; 65792 keeps its low 16 bits, 256.
$ orvantis -n -b 2 -y 256
  141 : Feature Block Revision                               | Off: 0x0200 | Len: 0x01
  142 : Feature Key Count                                    | Off: 0x0201 | Len: 0x01
  143 : Feature Activation Key 1                             | Off: 0x0202 | Len: 0x28
  144 : Feature Description 1                                | Off: 0x022A | Len: 0x20
  145 : Feature Activation Key 2                             | Off: 0x024A | Len: 0x28
  146 : Feature Description 2                                | Off: 0x0272 | Len: 0x20
  147 : Feature Activation Key 3                             | Off: 0x0292 | Len: 0x28
  148 : Feature Description 3                                | Off: 0x02BA | Len: 0x20
  149 : Feature Activation Key 4                             | Off: 0x02DA | Len: 0x28
  150 : Feature Description 4                                | Off: 0x0302 | Len: 0x20
  151 : Feature Key Store Digest                             | Off: 0x0322 | Len: 0x14
  152 : Feature Expiry Date                                  | Off: 0x0336 | Len: 0x04
  153 : Feature Note 1                                       | Off: 0x033A | Len: 0x20
  154 : Feature Note 2                                       | Off: 0x035A | Len: 0x20
  155 : Feature Blank Area                                   | Off: 0x037A | Len: 0x20
  156 : Feature Reserved Area                                | Off: 0x039A | Len: 0x10
  157 : Subscription Identifier                              | Off: 0x03AA | Len: 0x18
  158 : Subscription Level                                   | Off: 0x03C2 | Len: 0x01
  159 : Entitlement Serial Number                            | Off: 0x03C3 | Len: 0x0A
  160 : Feature Block Update Counter                         | Off: 0x03CD | Len: 0x02
[exit 0]
$ orvantis -n -b 2 -y 65792 > y65792.txt
[exit 0]
$ orvantis -n -b 2 -y 256 > y256.txt
[exit 0]
$ cmp y256.txt y65792.txt
same
$ # Brief and cff3 lists ignore the block.
$ orvantis -n -i 2
  00 : VPD Length                                           | Off: 0x0000 | Len: 0x02
  01 : Component VPD Version                                | Off: 0x0002 | Len: 0x01
  02 : Component Type                                       | Off: 0x0003 | Len: 0x01
  03 : Vendor ID                                            | Off: 0x0004 | Len: 0x02
  04 : Device ID                                            | Off: 0x0006 | Len: 0x02
  05 : Subsystem ID                                         | Off: 0x0008 | Len: 0x04
  06 : Component Part Number                                | Off: 0x000C | Len: 0x0C
  07 : Component FRU Number                                 | Off: 0x0018 | Len: 0x0C
  08 : Component Serial Number                              | Off: 0x0024 | Len: 0x0C
  09 : Manufacturer Name                                    | Off: 0x0030 | Len: 0x10
  10 : Component Description                                | Off: 0x0040 | Len: 0x20
  11 : Engineering Change Level                             | Off: 0x0060 | Len: 0x08
  12 : Hardware Revision                                    | Off: 0x0068 | Len: 0x01
  13 : Manufacture Date                                     | Off: 0x0069 | Len: 0x04
  14 : Manufacturing Site                                   | Off: 0x006D | Len: 0x04
  15 : Firmware Version                                     | Off: 0x0071 | Len: 0x10
  16 : Maximum Power (Watts)                                | Off: 0x0081 | Len: 0x02
  17 : Capability Flags                                     | Off: 0x0083 | Len: 0x04
  18 : Component UUID                                       | Off: 0x0087 | Len: 0x10
  19 : Port 1 MAC Address                                   | Off: 0x0097 | Len: 0x06
  20 : Vendor Data                                          | Off: 0x009D | Len: 0x20
  21 : Reserved Area                                        | Off: 0x00BD | Len: 0x3F
  22 : Component Checksum                                   | Off: 0x00FC | Len: 0x04
[exit 0]
$ orvantis -n -i 2 > brief0.txt
[exit 0]
$ orvantis -n -i 2 -b 3 > brief3.txt
[exit 0]
$ cmp brief0.txt brief3.txt
same
$ orvantis -n -i 3
  00 : CFF Length                                           | Off: 0x0000 | Len: 0x02
  01 : CFF Format Version                                   | Off: 0x0002 | Len: 0x01
  02 : CFF Record Type                                      | Off: 0x0003 | Len: 0x01
  03 : Header Reserved                                      | Off: 0x0004 | Len: 0x04
  04 : Manufacturer Name                                    | Off: 0x0008 | Len: 0x10
  05 : Model Name                                           | Off: 0x0018 | Len: 0x18
  06 : FRU Part Number                                      | Off: 0x0030 | Len: 0x0C
  07 : FRU Serial Number                                    | Off: 0x003C | Len: 0x10
  08 : Hardware Revision                                    | Off: 0x004C | Len: 0x01
  09 : Engineering Change Level                             | Off: 0x004D | Len: 0x08
  10 : Manufacture Date Code                                | Off: 0x0055 | Len: 0x04
  11 : Firmware Revision                                    | Off: 0x0059 | Len: 0x08
  12 : Rated Output Power                                   | Off: 0x0061 | Len: 0x02
  13 : Input Voltage Range                                  | Off: 0x0063 | Len: 0x10
  14 : Efficiency Rating                                    | Off: 0x0073 | Len: 0x08
  15 : Country of Origin                                    | Off: 0x007B | Len: 0x02
  16 : Compatibility Key                                    | Off: 0x007D | Len: 0x08
  17 : Asset Tag                                            | Off: 0x0085 | Len: 0x10
  18 : Vendor Data                                          | Off: 0x0095 | Len: 0x18
  19 : Field Note                                           | Off: 0x00AD | Len: 0x20
  20 : Reserved Area                                        | Off: 0x00CD | Len: 0x2F
  21 : Record Checksum                                      | Off: 0x00FC | Len: 0x04
[exit 0]
$ orvantis -n -i 3 > cff0.txt
[exit 0]
$ orvantis -n -i 3 -b 7 > cff7.txt
[exit 0]
$ cmp cff0.txt cff7.txt
same
$ # An inventory that is missing (rc -2) or cannot be parsed (rc -22).
$ rm inventory
$ orvantis -l
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: No such file or directory
[exit 1]
$ line inventory 0 maybe full 0x2000 mb_vpd present column unparsable
$ orvantis -l
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:1: present must be yes or no, not 'maybe'
[exit 1]
