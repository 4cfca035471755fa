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
$ orvantis -l -i 9 -n
Failed to fetch orvantis(9) record from vpd_db
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
$ orvantis -n -b 1
  77 : Block 1 Revision                                     | Off: 0x0400 | Len: 0x01
  78 : Block 1 Field Count                                  | Off: 0x0401 | Len: 0x01
  79 : Block 1 Reserved Area 1                              | Off: 0x0402 | Len: 0x02
  80 : UEFI Identifier Format                               | Off: 0x0404 | Len: 0x01
  81 : UEFI Firmware Identifier                             | Off: 0x0405 | Len: 0x10
  82 : UEFI Build Date                                      | Off: 0x0415 | Len: 0x04
  83 : UEFI Secure Boot Policy                              | Off: 0x0419 | Len: 0x01
  84 : Management Firmware Identifier                       | Off: 0x041A | Len: 0x10
  85 : Management Firmware Build                            | Off: 0x042A | Len: 0x04
  86 : Backup Firmware Identifier                           | Off: 0x042E | Len: 0x10
  87 : Firmware Level Slot 1                                | Off: 0x043E | Len: 0x20
  88 : Firmware Level Slot 2                                | Off: 0x045E | Len: 0x20
  89 : Firmware Level Slot 3                                | Off: 0x047E | Len: 0x20
  90 : Firmware Level Slot 4                                | Off: 0x049E | Len: 0x20
  91 : Firmware Level Slot 5                                | Off: 0x04BE | Len: 0x20
  92 : Firmware Level Slot 6                                | Off: 0x04DE | Len: 0x20
  93 : Firmware Level Slot 7                                | Off: 0x04FE | Len: 0x20
  94 : Firmware Level Slot 8                                | Off: 0x051E | Len: 0x20
  95 : Option ROM Policy                                    | Off: 0x053E | Len: 0x04
  96 : Boot Mode                                            | Off: 0x0542 | Len: 0x01
  97 : Network Boot Order                                   | Off: 0x0543 | Len: 0x08
  98 : MAC Address 5                                        | Off: 0x054B | Len: 0x06
  99 : MAC Address 6                                        | Off: 0x0551 | Len: 0x06
  100 : MAC Address 7                                        | Off: 0x0557 | Len: 0x06
  101 : MAC Address 8                                        | Off: 0x055D | Len: 0x06
  102 : Additional MAC Count                                 | Off: 0x0563 | Len: 0x01
  103 : IPMI Device GUID                                     | Off: 0x0564 | Len: 0x10
  104 : SMBIOS Type 1 SKU Number                             | Off: 0x0574 | Len: 0x10
  105 : SMBIOS Type 1 Family                                 | Off: 0x0584 | Len: 0x10
  106 : SMBIOS Type 2 Board Version                          | Off: 0x0594 | Len: 0x08
  107 : SMBIOS Type 3 Chassis Version                        | Off: 0x059C | Len: 0x08
  108 : SMBIOS Type 11 OEM String 1                          | Off: 0x05A4 | Len: 0x20
  109 : SMBIOS Type 11 OEM String 2                          | Off: 0x05C4 | Len: 0x20
  110 : Block 1 Blank Area 1                                 | Off: 0x05E4 | Len: 0x08
  111 : Serial Console Baud Rate                             | Off: 0x05EC | Len: 0x04
  112 : Serial Console Port                                  | Off: 0x05F0 | Len: 0x01
  113 : Console Redirection Flags                            | Off: 0x05F1 | Len: 0x01
  114 : Watchdog Timeout                                     | Off: 0x05F2 | Len: 0x02
  115 : Power Restore Policy                                 | Off: 0x05F4 | Len: 0x01
  116 : Power Capping Limit                                  | Off: 0x05F5 | Len: 0x02
  117 : Fan Speed Offset                                     | Off: 0x05F7 | Len: 0x01
  118 : Temperature Threshold Offset                         | Off: 0x05F8 | Len: 0x01
  119 : Front USB Policy                                     | Off: 0x05F9 | Len: 0x01
  120 : Rear USB Policy                                      | Off: 0x05FA | Len: 0x01
  121 : Boot Retry Count                                     | Off: 0x05FB | Len: 0x01
  122 : Manufacturing Mode Flag                              | Off: 0x05FC | Len: 0x01
  123 : Field Diagnostics Key                                | Off: 0x05FD | Len: 0x14
  124 : Block 1 Blank Area 2                                 | Off: 0x0611 | Len: 0x10
  125 : Light Path Configuration                             | Off: 0x0621 | Len: 0x04
  126 : Operator Panel Message                               | Off: 0x0625 | Len: 0x10
  127 : Licence Server Address                               | Off: 0x0635 | Len: 0x20
  128 : Licence Server Port                                  | Off: 0x0655 | Len: 0x02
  129 : Remote Support Identifier                            | Off: 0x0657 | Len: 0x0C
  130 : Call Home Contact Name                               | Off: 0x0663 | Len: 0x20
  131 : Call Home Contact Phone                              | Off: 0x0683 | Len: 0x14
  132 : Call Home Site Name                                  | Off: 0x0697 | Len: 0x20
  133 : Call Home Country Code                               | Off: 0x06B7 | Len: 0x02
  134 : Call Home Enabled                                    | Off: 0x06B9 | Len: 0x01
  135 : Block 1 Reserved Area 2                              | Off: 0x06BA | Len: 0x10
  136 : Trusted Platform Module Endorsement Key Certificate Digest | Off: 0x06CA | Len: 0x20
  137 : Block 1 Blank Area 3                                 | Off: 0x06EA | Len: 0x20
  138 : Platform Attestation Nonce                           | Off: 0x070A | Len: 0x10
  139 : Block 1 Update Counter                               | Off: 0x071A | Len: 0x02
  140 : Block 1 Reserved Area 3                              | Off: 0x071C | Len: 0xE4
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
$ # Offsets are block size x block + offset: -y 256 moves block 1 to 0x100; 65792 keeps its low 16 bits, 256.
$ orvantis -n -b 1 -y 256
  77 : Block 1 Revision                                     | Off: 0x0100 | Len: 0x01
  78 : Block 1 Field Count                                  | Off: 0x0101 | Len: 0x01
  79 : Block 1 Reserved Area 1                              | Off: 0x0102 | Len: 0x02
  80 : UEFI Identifier Format                               | Off: 0x0104 | Len: 0x01
  81 : UEFI Firmware Identifier                             | Off: 0x0105 | Len: 0x10
  82 : UEFI Build Date                                      | Off: 0x0115 | Len: 0x04
  83 : UEFI Secure Boot Policy                              | Off: 0x0119 | Len: 0x01
  84 : Management Firmware Identifier                       | Off: 0x011A | Len: 0x10
  85 : Management Firmware Build                            | Off: 0x012A | Len: 0x04
  86 : Backup Firmware Identifier                           | Off: 0x012E | Len: 0x10
  87 : Firmware Level Slot 1                                | Off: 0x013E | Len: 0x20
  88 : Firmware Level Slot 2                                | Off: 0x015E | Len: 0x20
  89 : Firmware Level Slot 3                                | Off: 0x017E | Len: 0x20
  90 : Firmware Level Slot 4                                | Off: 0x019E | Len: 0x20
  91 : Firmware Level Slot 5                                | Off: 0x01BE | Len: 0x20
  92 : Firmware Level Slot 6                                | Off: 0x01DE | Len: 0x20
  93 : Firmware Level Slot 7                                | Off: 0x01FE | Len: 0x20
  94 : Firmware Level Slot 8                                | Off: 0x021E | Len: 0x20
  95 : Option ROM Policy                                    | Off: 0x023E | Len: 0x04
  96 : Boot Mode                                            | Off: 0x0242 | Len: 0x01
  97 : Network Boot Order                                   | Off: 0x0243 | Len: 0x08
  98 : MAC Address 5                                        | Off: 0x024B | Len: 0x06
  99 : MAC Address 6                                        | Off: 0x0251 | Len: 0x06
  100 : MAC Address 7                                        | Off: 0x0257 | Len: 0x06
  101 : MAC Address 8                                        | Off: 0x025D | Len: 0x06
  102 : Additional MAC Count                                 | Off: 0x0263 | Len: 0x01
  103 : IPMI Device GUID                                     | Off: 0x0264 | Len: 0x10
  104 : SMBIOS Type 1 SKU Number                             | Off: 0x0274 | Len: 0x10
  105 : SMBIOS Type 1 Family                                 | Off: 0x0284 | Len: 0x10
  106 : SMBIOS Type 2 Board Version                          | Off: 0x0294 | Len: 0x08
  107 : SMBIOS Type 3 Chassis Version                        | Off: 0x029C | Len: 0x08
  108 : SMBIOS Type 11 OEM String 1                          | Off: 0x02A4 | Len: 0x20
  109 : SMBIOS Type 11 OEM String 2                          | Off: 0x02C4 | Len: 0x20
  110 : Block 1 Blank Area 1                                 | Off: 0x02E4 | Len: 0x08
  111 : Serial Console Baud Rate                             | Off: 0x02EC | Len: 0x04
  112 : Serial Console Port                                  | Off: 0x02F0 | Len: 0x01
  113 : Console Redirection Flags                            | Off: 0x02F1 | Len: 0x01
  114 : Watchdog Timeout                                     | Off: 0x02F2 | Len: 0x02
  115 : Power Restore Policy                                 | Off: 0x02F4 | Len: 0x01
  116 : Power Capping Limit                                  | Off: 0x02F5 | Len: 0x02
  117 : Fan Speed Offset                                     | Off: 0x02F7 | Len: 0x01
  118 : Temperature Threshold Offset                         | Off: 0x02F8 | Len: 0x01
  119 : Front USB Policy                                     | Off: 0x02F9 | Len: 0x01
  120 : Rear USB Policy                                      | Off: 0x02FA | Len: 0x01
  121 : Boot Retry Count                                     | Off: 0x02FB | Len: 0x01
  122 : Manufacturing Mode Flag                              | Off: 0x02FC | Len: 0x01
  123 : Field Diagnostics Key                                | Off: 0x02FD | Len: 0x14
  124 : Block 1 Blank Area 2                                 | Off: 0x0311 | Len: 0x10
  125 : Light Path Configuration                             | Off: 0x0321 | Len: 0x04
  126 : Operator Panel Message                               | Off: 0x0325 | Len: 0x10
  127 : Licence Server Address                               | Off: 0x0335 | Len: 0x20
  128 : Licence Server Port                                  | Off: 0x0355 | Len: 0x02
  129 : Remote Support Identifier                            | Off: 0x0357 | Len: 0x0C
  130 : Call Home Contact Name                               | Off: 0x0363 | Len: 0x20
  131 : Call Home Contact Phone                              | Off: 0x0383 | Len: 0x14
  132 : Call Home Site Name                                  | Off: 0x0397 | Len: 0x20
  133 : Call Home Country Code                               | Off: 0x03B7 | Len: 0x02
  134 : Call Home Enabled                                    | Off: 0x03B9 | Len: 0x01
  135 : Block 1 Reserved Area 2                              | Off: 0x03BA | Len: 0x10
  136 : Trusted Platform Module Endorsement Key Certificate Digest | Off: 0x03CA | Len: 0x20
  137 : Block 1 Blank Area 3                                 | Off: 0x03EA | Len: 0x20
  138 : Platform Attestation Nonce                           | Off: 0x040A | Len: 0x10
  139 : Block 1 Update Counter                               | Off: 0x041A | Len: 0x02
  140 : Block 1 Reserved Area 3                              | Off: 0x041C | Len: 0xE4
[exit 0]
$ orvantis -n -b 1 -y 65792 > y65792.txt
[exit 0]
$ orvantis -n -b 1 -y 256 > y256.txt
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
