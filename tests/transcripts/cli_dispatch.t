$ # The usage text, shown once; every other usage case is compared with it.
$ orvantis -h
orvantis <options> 
option : -p                      -> Print VPD to standout
       : -E                      -> Print VPD without endianess adjustment (print byte order in raw vpd)
       : -b NUM                  -> Operate on Block NUM (default=0)
       : -i fru_id               -> Operate on FRU ID (default=0x00)
       : -B                      -> Operate on Backup VPD (system vpd, 0x00, ONLY)
       : -n                      -> List field eNum values for given fru_id and block
       : -o NUM                  -> Print only field NUM where NUM=field_id (use -n to list fields)
       : -O NUM type data        -> Set a field NUM where NUM=field_id (use -n to list fields)
                                    ->  input can be string(s) ex: -O "8 s 9Q47ABX2ZZ"
                                    ->  input can be bytes(b) ex: -O "6 b 0x04 0x00"
       : -g id                   -> Print common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)
       : -G id type data         -> Write common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)
                                    ->  input can be string(s) ex: -G "mtm s 9Q47ABX2ZZ"
                                    ->  input can be bytes(b) ex: -G "posid b 0x00 0x34"
       : -c asciiFile rawFile    -> Convert ASCII printout to Raw file
       : -w rawFile              -> Burn VPD Block specified with -b from rawFile 
       : -r rawFile              -> Dump VPD Block specified with -b to rawFile 
       : -l                      -> List FRU IDs on system (includes not-present devices)
       : -s                      -> Check checksum (crc32)
       : -S                      -> Check AND correct checksum (crc32)
       : -y blocksize            -> BYpass reading blocksize from vpd and use value provided (1024 or 256)
       : -f                      -> Fix text fields non-conforming to spec in VPD and print corrected VPD (does NOT write hardware)
       : -e                      -> Examine the text fields non-conforming to spec in VPD and report changes
       : -P                      -> Read Platform ID (vpdid + posid)
[exit 1]
$ orvantis -h > usage.txt
[exit 1]
$ # -h acts before a later invalid block; an invalid block acts before a later -h.
$ orvantis -h -b 9 > h_b9.txt
[exit 1]
$ cmp usage.txt h_b9.txt
same
$ orvantis -b 9 -h
Invalid block number
[exit 1]
$ # -c needs the raw file word after the ASCII file; an unknown letter prints the usage too.
$ orvantis -c printout.txt > c_alone.txt
[exit 1]
$ cmp usage.txt c_alone.txt
same
$ orvantis -q > unknown.txt
2> orvantis: invalid option -- 'q'
[exit 1]
$ cmp usage.txt unknown.txt
same
$ # -o reads decimal only and uses the low 16 bits; the block does not matter.
$ orvantis -o 0
0x03FE
[exit 0]
$ orvantis -o 0x10
0x03FE
[exit 0]
$ orvantis -o 5
0112
[exit 0]
$ orvantis -o 4101 -b 3
0112
[exit 0]
$ orvantis -o 65541
0112
[exit 0]
$ orvantis -o 5junk
0112
[exit 0]
$ # The last index of each table prints; one past it, or any higher index, is refused.
$ orvantis -o 188

[exit 0]
$ orvantis -o 189
Invalid field number
[exit 1]
$ orvantis -o 4285
Invalid field number
[exit 1]
$ orvantis -o 255
Invalid field number
[exit 1]
$ orvantis -o -1
Invalid field number
[exit 1]
$ orvantis -i 2 -o 22
0xC777E72D
[exit 0]
$ orvantis -i 2 -o 23
Invalid field number
[exit 1]
$ orvantis -i 2 -o 4119
Invalid field number
[exit 1]
$ orvantis -i 3 -o 21
51732DAA
[exit 0]
$ orvantis -i 3 -o 22
Invalid field number
[exit 1]
$ # Byte order is adjusted only for the brief record without -E.
$ orvantis -i 2 -o 0
0x00FE
[exit 0]
$ orvantis -i 2 -o 0 -E
0xFE00
[exit 0]
$ orvantis -o 0 -E
0x03FE
[exit 0]
$ orvantis -i 3 -o 0
0001
[exit 0]
$ orvantis -i 3 -o 0 -E
0001
[exit 0]
$ # Named fields and the platform id are refused off full records, and nothing is written.
$ copy dev/ocp_vpd ocp.orig
$ copy dev/psu1_vpd psu1.orig
$ orvantis -i 2 -g mtm
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 3 -g sn
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 2 -G 'mtm s X'
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 3 -G 'posid b 0x00 0x34'
Operation only supported for VPD_FORMAT_FULL
[exit 1]
$ orvantis -i 2 -P
Error: Only VPD_FORMAT_FULL vpd support this command.
[exit 1]
$ orvantis -i 3 -P
Error: Only VPD_FORMAT_FULL vpd support this command.
[exit 1]
$ cmp ocp.orig dev/ocp_vpd
same
$ cmp psu1.orig dev/psu1_vpd
same
