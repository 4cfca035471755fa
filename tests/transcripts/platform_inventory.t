$ # The library reads ROOT/inventory: one FRU a line (id, present, format, max_size, device, description).
$ # -l lists it in id order with aligned columns; ids and sizes may be hex, formats any signed 16-bit code,
$ # devices absolute paths; comment and blank lines are skipped, the description keeps its inner blanks.
$ copy inventory inventory.sample
$ line inventory 0x10 yes cff3 0X100 /abs/fru16 'Power   supply  '
$ line inventory '   # an indented comment'
$ line inventory '  '
$ line inventory 7 no -32768 4294967295 odd
$ line inventory 0xff yes 32767 0 last
$ # Tabs separate columns as blanks do: the next line's separators are tabs.
$ line inventory '	9	no	brief	0x100	tabbed	bay  2	'
$ orvantis -l
FRU  PRESENT  FORMAT  MAX_SIZE    DEVICE      DESCRIPTION
0    yes      full    0x2000      mb_vpd      System board (planar), 8 blocks, layout 2
1    yes      full    0x800       riser_vpd   PCIe riser 1, legacy layout 1
2    yes      brief   0x100       ocp_vpd     OCP 3.0 network adapter, component VPD
3    yes      cff3    0x200       psu1_vpd    Power supply 1, compact FRU VPD
4    no       cff3    0x200       psu2_vpd    Power supply 2 (bay empty)
7    no       -32768  0xFFFFFFFF  odd
9    no       brief   0x100       tabbed      bay  2
16   yes      cff3    0x100       /abs/fru16  Power   supply
255  yes      32767   0x0         last
[exit 0]
$ # A missing inventory, or a directory in its place: rc -2, and no FRU has a record.
$ rm inventory
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: No such file or directory
[exit 1]
$ orvantis -p
Failed to fetch orvantis(0) record from vpd_db
2> orvantis: ROOT/inventory: cannot read the inventory: No such file or directory
[exit 1]
$ mkdir inventory
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: Is a directory
[exit 1]
$ rm inventory
$ # An inventory with one bad line is refused whole: rc -22, and not even FRU 0 has a record.
$ copy inventory.sample inventory
$ line inventory 2 no brief 256 again
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: FRU 2 was given on line 5
[exit 1]
$ orvantis -p
Failed to fetch orvantis(0) record from vpd_db
2> orvantis: ROOT/inventory:8: FRU 2 was given on line 5
[exit 1]
$ copy inventory.sample inventory
$ line inventory 256 yes full 0x400 past_a_byte
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: FRU id '256' is not a number from 0 to 255
[exit 1]
$ copy inventory.sample inventory
$ line inventory 0x100 yes full 0x400 past_a_byte
$ orvantis -l
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: FRU id '0x100' is not a number from 0 to 255
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 maybe full 0x400 bad_present
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: present must be yes or no, not 'maybe'
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes FULL 0x400 bad_format
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: format must be full, brief, cff3 or a 16-bit code, not 'FULL'
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes 32768 0x400 format_past_16_bits
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: format must be full, brief, cff3 or a 16-bit code, not '32768'
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes 0x2 0x400 hex_format_code
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: format must be full, brief, cff3 or a 16-bit code, not '0x2'
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes full 0x100000000 size_past_32_bits
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: max_size '0x100000000' is not a 32-bit number
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes full 4294967296 size_past_32_bits
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: max_size '4294967296' is not a 32-bit number
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes full 12k size_with_suffix
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: max_size '12k' is not a 32-bit number
[exit 1]
$ copy inventory.sample inventory
$ line inventory 9 yes full 0x400
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:8: expected fru_id present format max_size device [description]
[exit 1]
$ # Windows line ends ("\r\n", the '\r' patched in): no part of the device column; "\r\n" alone is blank.
$ rm inventory
$ line inventory 0 yes full 0x2000 mb_vpd.
$ line inventory .
$ patch inventory 18 0d 0a 0d
$ orvantis -l
FRU  PRESENT  FORMAT  MAX_SIZE  DEVICE  DESCRIPTION
0    yes      full    0x2000    mb_vpd
[exit 0]
$ orvantis -o 16
0x03
[exit 0]
$ # Only a regular file is read as the inventory, and nothing waits for one: a FIFO, an endless
$ # device and a file whose reads fail are refused with their cause.
$ rm inventory
$ mkfifo inventory
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: not a regular file
[exit 1]
$ rm inventory
$ symlink /dev/zero inventory
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: not a regular file
[exit 1]
$ rm inventory
$ symlink /proc/self/mem inventory
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -2
2> orvantis: ROOT/inventory: cannot read the inventory: Input/output error
[exit 1]
$ # What no inventory holds refuses it whole: a NUL byte in a column, a control byte (an escape
$ # code). (Long lines and UTF-8 are tried in platform_record_test, huge files in hostile_env_test.)
$ rm inventory
$ line inventory 0 yes full 0x2000 mb_vpd
$ line inventory 1 yes full 0x100 riser
$ patch inventory 2b 00
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:2: NUL byte
[exit 1]
$ rm inventory
$ line inventory '# x[2J'
$ line inventory 0 yes full 0x2000 mb_vpd
$ patch inventory 2 1b
$ orvantis -l 2>
Problem filling stream with vpd info. rc = -22
2> orvantis: ROOT/inventory:1: control byte 0x1B
[exit 1]
