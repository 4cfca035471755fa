$ # -B on FRU 0 with device mb_vpd reads mb_vpd.backup (length word broken there only).
$ patch dev/mb_vpd.backup 1 00
$ orvantis
[exit 0]
$ orvantis -B
VPD Length is invalid! Got 0x300 expected 0x3fe
[exit 1]
$ # Only the full id 0 selects the backup: 0x100 also names FRU 0 but reads the primary; FRU 1 ignores -B.
$ orvantis -B -i 0x100
[exit 0]
$ orvantis -B -i 1
[exit 0]
$ # The backup is bounded to 0x400 bytes: a cff3 record on mb_vpd shows that max_size in its message.
$ rm inventory
$ line inventory 0 yes cff3 0x200 mb_vpd system board as compact record
$ patch dev/mb_vpd 0 00 03
$ patch dev/mb_vpd.backup 0 00 05
$ orvantis
VPD Length is invalid! Got 0x300 expected less than 0x200
[exit 1]
$ orvantis -B
VPD Length is invalid! Got 0x500 expected less than 0x400
[exit 1]
$ patch dev/mb_vpd.backup 0 00 04
$ orvantis -B -r backup.raw
[exit 0]
$ cmp backup.raw dev/mb_vpd.backup
same
$ # Any other device name on FRU 0 is replaced by VPDb.
$ rm inventory
$ line inventory 0 yes full 0x2000 sys_eeprom system board
$ line inventory 3 yes full 0x2000 sys_eeprom same device, another FRU
$ copy dev/riser_vpd dev/sys_eeprom
$ copy dev/riser_vpd dev/VPDb
$ patch dev/VPDb 0 fe 03
$ orvantis
[exit 0]
$ orvantis -B
VPD Length is invalid! Got 0xfe03 expected 0x3fe
[exit 1]
$ orvantis -B -i 3
[exit 0]
$ # VPDb, this FRU 0's backup copy, is never a raw output, as its device is not.
$ copy dev/VPDb vpdb_orig
$ orvantis -r dev/VPDb 2>
Failed to open binary output file.
2> orvantis: dev/VPDb: is the VPD of FRU 0 (ROOT/dev/VPDb); a raw file is never written over it
[exit 1]
$ cmp dev/VPDb vpdb_orig
same
