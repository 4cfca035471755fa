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
$ # The field list of a full record, numbered by table index, one run per block; 5 to 7 share one range.
$ orvantis -n
  00 : VPD Length                                           | Off: 0x0000 | Len: 0x02
  01 : VPD Layout Version                                   | Off: 0x0002 | Len: 0x01
  02 : VPD Block Count                                      | Off: 0x0003 | Len: 0x01
  03 : VPD Update Count                                     | Off: 0x0004 | Len: 0x02
  04 : VPD Header Reserved                                  | Off: 0x0006 | Len: 0x02
  05 : Platform VPD ID                                      | Off: 0x0008 | Len: 0x02
  06 : Platform Feature Flags                               | Off: 0x000A | Len: 0x02
  07 : Platform Position ID                                 | Off: 0x000C | Len: 0x02
  08 : Legacy Machine Type-Model                            | Off: 0x000E | Len: 0x07
  09 : Legacy System Serial Number                          | Off: 0x0015 | Len: 0x07
  10 : Legacy Area Reserved                                 | Off: 0x001C | Len: 0x04
  11 : Manufacturer Name                                    | Off: 0x0020 | Len: 0x10
  12 : Product Name                                         | Off: 0x0030 | Len: 0x20
  13 : Product Family                                       | Off: 0x0050 | Len: 0x10
  14 : Planar Part Number                                   | Off: 0x0060 | Len: 0x0C
  15 : Planar Serial Number                                 | Off: 0x006C | Len: 0x0C
  16 : Planar Hardware Revision                             | Off: 0x0078 | Len: 0x01
  17 : Planar EC Level                                      | Off: 0x0079 | Len: 0x08
  18 : Planar FRU Number                                    | Off: 0x0081 | Len: 0x0C
  19 : Planar Manufacture Date                              | Off: 0x008D | Len: 0x04
  20 : Planar Manufacturing Site                            | Off: 0x0091 | Len: 0x04
  21 : Planar Build Sequence                                | Off: 0x0095 | Len: 0x08
  22 : Chassis Type                                         | Off: 0x009D | Len: 0x01
  23 : Chassis Part Number                                  | Off: 0x009E | Len: 0x0C
  24 : Chassis Serial Number                                | Off: 0x00AA | Len: 0x0C
  25 : Asset Tag                                            | Off: 0x00B6 | Len: 0x20
  26 : UUID Source                                          | Off: 0x00D6 | Len: 0x01
  27 : System UUID                                          | Off: 0x00D7 | Len: 0x10
  28 : Processor Socket Count                               | Off: 0x00E7 | Len: 0x01
  29 : Memory Slot Count                                    | Off: 0x00E8 | Len: 0x01
  30 : Power Supply Bay Count                               | Off: 0x00E9 | Len: 0x01
  31 : System Fan Count                                     | Off: 0x00EA | Len: 0x01
  32 : Storage Backplane Configuration                      | Off: 0x00EB | Len: 0x02
  33 : Firmware Feature Mask                                | Off: 0x00ED | Len: 0x04
  34 : Management Port MAC Address                          | Off: 0x00F1 | Len: 0x06
  35 : Shared NIC MAC Address                               | Off: 0x00F7 | Len: 0x06
  36 : MAC Address 1                                        | Off: 0x00FD | Len: 0x06
  37 : MAC Address 2                                        | Off: 0x0103 | Len: 0x06
  38 : MAC Address 3                                        | Off: 0x0109 | Len: 0x06
  39 : MAC Address 4                                        | Off: 0x010F | Len: 0x06
  40 : MAC Address Count                                    | Off: 0x0115 | Len: 0x01
  41 : Network Area Reserved                                | Off: 0x0116 | Len: 0x07
  42 : Product Description                                  | Off: 0x011D | Len: 0x30
  43 : Brand Code                                           | Off: 0x014D | Len: 0x01
  44 : Secure Boot Key Hash                                 | Off: 0x014E | Len: 0x20
  45 : Platform Configuration Data                          | Off: 0x016E | Len: 0x14
  46 : TPM Policy                                           | Off: 0x0182 | Len: 0x01
  47 : Factory Firmware Level                               | Off: 0x0183 | Len: 0x20
  48 : Factory Configuration Level                          | Off: 0x01A3 | Len: 0x20
  49 : Order Number                                         | Off: 0x01C3 | Len: 0x10
  50 : Customer Order Reference                             | Off: 0x01D3 | Len: 0x10
  51 : Warranty Start Date                                  | Off: 0x01E3 | Len: 0x04
  52 : Warranty Code                                        | Off: 0x01E7 | Len: 0x04
  53 : Service Level                                        | Off: 0x01EB | Len: 0x01
  54 : Product Brand Name                                   | Off: 0x01EC | Len: 0x10
  55 : Marketing Model Name                                 | Off: 0x01FC | Len: 0x10
  56 : Machine Type-Model                                   | Off: 0x020C | Len: 0x0A
  57 : System Serial Number                                 | Off: 0x0216 | Len: 0x0A
  58 : System Manufacture Date                              | Off: 0x0220 | Len: 0x04
  59 : Configuration Code                                   | Off: 0x0224 | Len: 0x08
  60 : BIOS Configuration Flags                             | Off: 0x022C | Len: 0x04
  61 : Boot Device Order                                    | Off: 0x0230 | Len: 0x08
  62 : Power Restore Default                                | Off: 0x0238 | Len: 0x01
  63 : Thermal Profile                                      | Off: 0x0239 | Len: 0x01
  64 : Maximum Power Draw                                   | Off: 0x023A | Len: 0x02
  65 : Chassis Height                                       | Off: 0x023C | Len: 0x01
  66 : Front Panel Configuration                            | Off: 0x023D | Len: 0x01
  67 : Field Update Counter                                 | Off: 0x023E | Len: 0x02
  68 : Last Service Date                                    | Off: 0x0240 | Len: 0x04
  69 : Service Technician ID                                | Off: 0x0244 | Len: 0x08
  70 : Feature Licence Digest                               | Off: 0x024C | Len: 0x14
  71 : Block 0 Reserved Area 1                              | Off: 0x0260 | Len: 0x10
  72 : Vendor Extension Data                                | Off: 0x0270 | Len: 0x28
  73 : Vendor Extension Flags                               | Off: 0x0298 | Len: 0x04
  74 : Manufacturing Notes                                  | Off: 0x029C | Len: 0x40
  75 : Block 0 Reserved Area 2                              | Off: 0x02DC | Len: 0x120
  76 : Block 0 CRC                                          | Off: 0x03FC | Len: 0x04
[exit 0]
$ orvantis -n -b 2
  141 : Feature Block Revision                               | Off: 0x0800 | Len: 0x01
  142 : Feature Key Count                                    | Off: 0x0801 | Len: 0x01
  143 : Feature Activation Key 1                             | Off: 0x0802 | Len: 0x28
  144 : Feature Description 1                                | Off: 0x082A | Len: 0x20
  145 : Feature Activation Key 2                             | Off: 0x084A | Len: 0x28
  146 : Feature Description 2                                | Off: 0x0872 | Len: 0x20
  147 : Feature Activation Key 3                             | Off: 0x0892 | Len: 0x28
  148 : Feature Description 3                                | Off: 0x08BA | Len: 0x20
  149 : Feature Activation Key 4                             | Off: 0x08DA | Len: 0x28
  150 : Feature Description 4                                | Off: 0x0902 | Len: 0x20
  151 : Feature Key Store Digest                             | Off: 0x0922 | Len: 0x14
  152 : Feature Expiry Date                                  | Off: 0x0936 | Len: 0x04
  153 : Feature Note 1                                       | Off: 0x093A | Len: 0x20
  154 : Feature Note 2                                       | Off: 0x095A | Len: 0x20
  155 : Feature Blank Area                                   | Off: 0x097A | Len: 0x20
  156 : Feature Reserved Area                                | Off: 0x099A | Len: 0x10
  157 : Subscription Identifier                              | Off: 0x09AA | Len: 0x18
  158 : Subscription Level                                   | Off: 0x09C2 | Len: 0x01
  159 : Entitlement Serial Number                            | Off: 0x09C3 | Len: 0x0A
  160 : Feature Block Update Counter                         | Off: 0x09CD | Len: 0x02
[exit 0]
$ orvantis -n -b 3
  161 : Manufacturing Block Revision                         | Off: 0x0C00 | Len: 0x01
  162 : Final Test Station                                   | Off: 0x0C01 | Len: 0x08
  163 : Final Test Date                                      | Off: 0x0C09 | Len: 0x04
  164 : Final Test Result                                    | Off: 0x0C0D | Len: 0x01
  165 : Burn-In Duration (Hours)                             | Off: 0x0C0E | Len: 0x02
  166 : Assembly Line Identifier                             | Off: 0x0C10 | Len: 0x04
  167 : Assembly Operator ID                                 | Off: 0x0C14 | Len: 0x08
  168 : Quality Audit Stamp                                  | Off: 0x0C1C | Len: 0x10
  169 : Rework Record 1                                      | Off: 0x0C2C | Len: 0x20
  170 : Rework Record 2                                      | Off: 0x0C4C | Len: 0x20
  171 : Rework Record 3                                      | Off: 0x0C6C | Len: 0x20
  172 : Rework Record 4                                      | Off: 0x0C8C | Len: 0x20
  173 : Manufacturing Test MAC Address                       | Off: 0x0CAC | Len: 0x06
  174 : Manufacturing Blank Area                             | Off: 0x0CB2 | Len: 0x40
  175 : Manufacturing Reserved Area                          | Off: 0x0CF2 | Len: 0x20
[exit 0]
$ orvantis -n -b 4
  176 : Service Block Revision                               | Off: 0x1000 | Len: 0x01
  177 : Service Action Count                                 | Off: 0x1001 | Len: 0x02
  178 : Last Replaced FRU Number                             | Off: 0x1003 | Len: 0x0C
  179 : Last Service Action Date                             | Off: 0x100F | Len: 0x04
  180 : Service Note 1                                       | Off: 0x1013 | Len: 0x20
  181 : Service Note 2                                       | Off: 0x1033 | Len: 0x20
  182 : Service Note 3                                       | Off: 0x1053 | Len: 0x20
  183 : Service Blank Area                                   | Off: 0x1073 | Len: 0x20
[exit 0]
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
[exit 1]
$ line inventory 0 maybe full 0x2000 mb_vpd present column unparsable
$ orvantis -l
Problem filling stream with vpd info. rc = -22
[exit 1]
