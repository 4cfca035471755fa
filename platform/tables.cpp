// SPDX-License-Identifier: Apache-2.0
// The three field descriptor tables of the file-backed VPD access library.
//
// BlockX describes a server's system VPD (VPD_FORMAT_FULL): eight 1024-byte blocks, of which the
// layout uses blocks 0 to 5. Block 0 is the identity block the controller firmware reads at boot
// and is protected by the CRC-32 in its last four bytes; block 1 holds firmware, boot and call-home
// settings; block 2 feature-on-demand keys; block 3 manufacturing history; block 4 service history;
// block 5 OEM data. Multi-byte numbers are big-endian. Blocks 6 and 7 are not described.
//
// CompVPD_v3 describes a 256-byte component VPD (VPD_FORMAT_BRIEF) such as an adapter card's.
// Its numbers are little-endian; the tool shows them that way unless told to show stored order.
// Its length word is a WORD so that the default printout reads it as 0x00FE.
//
// CompVPD_cff3 describes a compact FRU VPD (VPD_FORMAT_CFF3) such as a power supply's, at most
// 256 bytes long. Its numbers are little-endian too, but the tool never reorders CFF3 bytes, so
// the length and the other multi-byte numbers are HEX fields: the printout shows the stored bytes
// (a 256-byte record prints its length as [0001]h) rather than a misleading byte-swapped value.
//
// Columns: block, offset inside the block (hex), length in bytes, kind, name, pad word. The pad
// word matters to text fields only: the pad character, VPD_PAD_FRONT when the padding goes in
// front of the text, 0 for text that is NUL-terminated and never repaired.
// Entries of one block must not overlap and must lie inside it, and every entry is named: the
// printer, the converter and the field list rely on it, and the end of this file proves it.
#include <iterator>

#include "vpd_access/vpd.h"

namespace vpd_lib {
namespace {

constexpr FieldDescriptor fd(uint16_t block, uint16_t offset, uint16_t length, uint32_t kind,
                             const char* name, uint16_t pad = 0) {
  return FieldDescriptor{block, offset, length, 0, kind, name, pad};
}

}  // namespace

constexpr FieldDescriptor BlockX[std::size(BlockX)] = {
  // Block 0: identity. Fields 8, 9, 0x38 and 0x39: the layout rule at VpdFixedField (vpd.h).
  /* 0x00 */ fd(0, 0x000, 2, VPD_FIELD_WORD, "VPD Length"),
  /* 0x01 */ fd(0, 0x002, 1, VPD_FIELD_BYTE, "VPD Layout Version"),
  /* 0x02 */ fd(0, 0x003, 1, VPD_FIELD_BYTE, "VPD Block Count"),
  /* 0x03 */ fd(0, 0x004, 2, VPD_FIELD_WORD, "VPD Update Count"),
  /* 0x04 */ fd(0, 0x006, 2, VPD_FIELD_ZERO, "VPD Header Reserved"),
  /* 0x05 */ fd(0, 0x008, 2, VPD_FIELD_HEX, "Platform VPD ID"),
  /* 0x06 */ fd(0, 0x00A, 2, VPD_FIELD_HEX, "Platform Feature Flags"),
  /* 0x07 */ fd(0, 0x00C, 2, VPD_FIELD_HEX, "Platform Position ID"),
  /* 0x08 */ fd(0, 0x00E, 7, VPD_FIELD_TEXT, "Legacy Machine Type-Model", ' '),
  /* 0x09 */ fd(0, 0x015, 7, VPD_FIELD_TEXT, "Legacy System Serial Number", ' '),
  /* 0x0A */ fd(0, 0x01C, 4, VPD_FIELD_ZERO, "Legacy Area Reserved"),
  /* 0x0B */ fd(0, 0x020, 16, VPD_FIELD_TEXT, "Manufacturer Name", ' '),
  /* 0x0C */ fd(0, 0x030, 32, VPD_FIELD_TEXT, "Product Name", ' '),
  /* 0x0D */ fd(0, 0x050, 16, VPD_FIELD_TEXT, "Product Family", ' '),
  /* 0x0E */ fd(0, 0x060, 12, VPD_FIELD_TEXT, "Planar Part Number", ' '),
  /* 0x0F */ fd(0, 0x06C, 12, VPD_FIELD_TEXT, "Planar Serial Number", ' '),
  /* 0x10 */ fd(0, 0x078, 1, VPD_FIELD_BYTE, "Planar Hardware Revision"),
  /* 0x11 */ fd(0, 0x079, 8, VPD_FIELD_TEXT, "Planar EC Level", ' '),
  /* 0x12 */ fd(0, 0x081, 12, VPD_FIELD_TEXT, "Planar FRU Number", ' '),
  /* 0x13 */ fd(0, 0x08D, 4, VPD_FIELD_DWORD, "Planar Manufacture Date"),
  /* 0x14 */ fd(0, 0x091, 4, VPD_FIELD_TEXT, "Planar Manufacturing Site", 0),
  /* 0x15 */ fd(0, 0x095, 8, VPD_FIELD_TEXT, "Planar Build Sequence", VPD_PAD_FRONT | '0'),
  /* 0x16 */ fd(0, 0x09D, 1, VPD_FIELD_BYTE, "Chassis Type"),
  /* 0x17 */ fd(0, 0x09E, 12, VPD_FIELD_TEXT, "Chassis Part Number", ' '),
  /* 0x18 */ fd(0, 0x0AA, 12, VPD_FIELD_TEXT, "Chassis Serial Number", ' '),
  /* 0x19 */ fd(0, 0x0B6, 32, VPD_FIELD_TEXT, "Asset Tag", ' '),
  /* 0x1A */ fd(0, 0x0D6, 1, VPD_FIELD_BYTE, "UUID Source"),
  /* 0x1B */ fd(0, 0x0D7, 16, VPD_FIELD_HEX, "System UUID"),
  /* 0x1C */ fd(0, 0x0E7, 1, VPD_FIELD_BYTE, "Processor Socket Count"),
  /* 0x1D */ fd(0, 0x0E8, 1, VPD_FIELD_BYTE, "Memory Slot Count"),
  /* 0x1E */ fd(0, 0x0E9, 1, VPD_FIELD_BYTE, "Power Supply Bay Count"),
  /* 0x1F */ fd(0, 0x0EA, 1, VPD_FIELD_BYTE, "System Fan Count"),
  /* 0x20 */ fd(0, 0x0EB, 2, VPD_FIELD_WORD, "Storage Backplane Configuration"),
  /* 0x21 */ fd(0, 0x0ED, 4, VPD_FIELD_DWORD, "Firmware Feature Mask"),
  /* 0x22 */ fd(0, 0x0F1, 6, VPD_FIELD_MAC, "Management Port MAC Address"),
  /* 0x23 */ fd(0, 0x0F7, 6, VPD_FIELD_MAC, "Shared NIC MAC Address"),
  /* 0x24 */ fd(0, 0x0FD, 6, VPD_FIELD_MAC, "MAC Address 1"),
  /* 0x25 */ fd(0, 0x103, 6, VPD_FIELD_MAC, "MAC Address 2"),
  /* 0x26 */ fd(0, 0x109, 6, VPD_FIELD_MAC, "MAC Address 3"),
  /* 0x27 */ fd(0, 0x10F, 6, VPD_FIELD_MAC, "MAC Address 4"),
  /* 0x28 */ fd(0, 0x115, 1, VPD_FIELD_BYTE, "MAC Address Count"),
  /* 0x29 */ fd(0, 0x116, 7, VPD_FIELD_ZERO, "Network Area Reserved"),
  /* 0x2A */ fd(0, 0x11D, 48, VPD_FIELD_TEXT, "Product Description", ' '),
  /* 0x2B */ fd(0, 0x14D, 1, VPD_FIELD_BYTE, "Brand Code"),
  /* 0x2C */ fd(0, 0x14E, 32, VPD_FIELD_HEX, "Secure Boot Key Hash"),
  /* 0x2D */ fd(0, 0x16E, 20, VPD_FIELD_HEX, "Platform Configuration Data"),
  /* 0x2E */ fd(0, 0x182, 1, VPD_FIELD_BYTE, "TPM Policy"),
  /* 0x2F */ fd(0, 0x183, 32, VPD_FIELD_TAGGED_TEXT, "Factory Firmware Level"),
  /* 0x30 */ fd(0, 0x1A3, 32, VPD_FIELD_TAGGED_TEXT, "Factory Configuration Level"),
  /* 0x31 */ fd(0, 0x1C3, 16, VPD_FIELD_TEXT, "Order Number", ' '),
  /* 0x32 */ fd(0, 0x1D3, 16, VPD_FIELD_TEXT, "Customer Order Reference", 0),
  /* 0x33 */ fd(0, 0x1E3, 4, VPD_FIELD_DWORD, "Warranty Start Date"),
  /* 0x34 */ fd(0, 0x1E7, 4, VPD_FIELD_TEXT, "Warranty Code", ' '),
  /* 0x35 */ fd(0, 0x1EB, 1, VPD_FIELD_BYTE, "Service Level"),
  /* 0x36 */ fd(0, 0x1EC, 16, VPD_FIELD_TEXT, "Product Brand Name", ' '),
  /* 0x37 */ fd(0, 0x1FC, 16, VPD_FIELD_TEXT, "Marketing Model Name", ' '),
  /* 0x38 */ fd(0, 0x20C, 10, VPD_FIELD_TEXT, "Machine Type-Model", ' '),
  /* 0x39 */ fd(0, 0x216, 10, VPD_FIELD_TEXT, "System Serial Number", ' '),
  /* 0x3A */ fd(0, 0x220, 4, VPD_FIELD_DWORD, "System Manufacture Date"),
  /* 0x3B */ fd(0, 0x224, 8, VPD_FIELD_TEXT, "Configuration Code", ' '),
  /* 0x3C */ fd(0, 0x22C, 4, VPD_FIELD_HEX, "BIOS Configuration Flags"),
  /* 0x3D */ fd(0, 0x230, 8, VPD_FIELD_HEX, "Boot Device Order"),
  /* 0x3E */ fd(0, 0x238, 1, VPD_FIELD_BYTE, "Power Restore Default"),
  /* 0x3F */ fd(0, 0x239, 1, VPD_FIELD_BYTE, "Thermal Profile"),
  /* 0x40 */ fd(0, 0x23A, 2, VPD_FIELD_WORD, "Maximum Power Draw"),
  /* 0x41 */ fd(0, 0x23C, 1, VPD_FIELD_BYTE, "Chassis Height"),
  /* 0x42 */ fd(0, 0x23D, 1, VPD_FIELD_BYTE, "Front Panel Configuration"),
  /* 0x43 */ fd(0, 0x23E, 2, VPD_FIELD_WORD, "Field Update Counter"),
  /* 0x44 */ fd(0, 0x240, 4, VPD_FIELD_DWORD, "Last Service Date"),
  /* 0x45 */ fd(0, 0x244, 8, VPD_FIELD_TEXT, "Service Technician ID", VPD_PAD_FRONT | ' '),
  /* 0x46 */ fd(0, 0x24C, 20, VPD_FIELD_HEX, "Feature Licence Digest"),
  /* 0x47 */ fd(0, 0x260, 16, VPD_FIELD_ZERO, "Block 0 Reserved Area 1"),
  /* 0x48 */ fd(0, 0x270, 40, VPD_FIELD_HEX, "Vendor Extension Data"),
  /* 0x49 */ fd(0, 0x298, 4, VPD_FIELD_DWORD, "Vendor Extension Flags"),
  /* 0x4A */ fd(0, 0x29C, 64, VPD_FIELD_TEXT, "Manufacturing Notes", 0),
  /* 0x4B */ fd(0, 0x2DC, 288, VPD_FIELD_ZERO, "Block 0 Reserved Area 2"),
  /* 0x4C */ fd(0, 0x3FC, 4, VPD_FIELD_DWORD, "Block 0 CRC"),

  // Block 1: firmware identifiers, boot and console settings, call-home contact.
  /* 0x4D */ fd(1, 0x000, 1, VPD_FIELD_BYTE, "Block 1 Revision"),
  /* 0x4E */ fd(1, 0x001, 1, VPD_FIELD_BYTE, "Block 1 Field Count"),
  /* 0x4F */ fd(1, 0x002, 2, VPD_FIELD_ZERO, "Block 1 Reserved Area 1"),
  /* 0x50 */ fd(1, 0x004, 1, VPD_FIELD_BYTE, "UEFI Identifier Format"),
  /* 0x51 */ fd(1, 0x005, 16, VPD_FIELD_TEXT, "UEFI Firmware Identifier", 0),
  /* 0x52 */ fd(1, 0x015, 4, VPD_FIELD_DWORD, "UEFI Build Date"),
  /* 0x53 */ fd(1, 0x019, 1, VPD_FIELD_BYTE, "UEFI Secure Boot Policy"),
  /* 0x54 */ fd(1, 0x01A, 16, VPD_FIELD_TEXT, "Management Firmware Identifier", 0),
  /* 0x55 */ fd(1, 0x02A, 4, VPD_FIELD_DWORD, "Management Firmware Build"),
  /* 0x56 */ fd(1, 0x02E, 16, VPD_FIELD_TEXT, "Backup Firmware Identifier", ' '),
  /* 0x57 */ fd(1, 0x03E, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 1"),
  /* 0x58 */ fd(1, 0x05E, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 2"),
  /* 0x59 */ fd(1, 0x07E, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 3"),
  /* 0x5A */ fd(1, 0x09E, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 4"),
  /* 0x5B */ fd(1, 0x0BE, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 5"),
  /* 0x5C */ fd(1, 0x0DE, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 6"),
  /* 0x5D */ fd(1, 0x0FE, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 7"),
  /* 0x5E */ fd(1, 0x11E, 32, VPD_FIELD_TAGGED_TEXT, "Firmware Level Slot 8"),
  /* 0x5F */ fd(1, 0x13E, 4, VPD_FIELD_HEX, "Option ROM Policy"),
  /* 0x60 */ fd(1, 0x142, 1, VPD_FIELD_BYTE, "Boot Mode"),
  /* 0x61 */ fd(1, 0x143, 8, VPD_FIELD_HEX, "Network Boot Order"),
  /* 0x62 */ fd(1, 0x14B, 6, VPD_FIELD_MAC, "MAC Address 5"),
  /* 0x63 */ fd(1, 0x151, 6, VPD_FIELD_MAC, "MAC Address 6"),
  /* 0x64 */ fd(1, 0x157, 6, VPD_FIELD_MAC, "MAC Address 7"),
  /* 0x65 */ fd(1, 0x15D, 6, VPD_FIELD_MAC, "MAC Address 8"),
  /* 0x66 */ fd(1, 0x163, 1, VPD_FIELD_BYTE, "Additional MAC Count"),
  /* 0x67 */ fd(1, 0x164, 16, VPD_FIELD_HEX, "IPMI Device GUID"),
  /* 0x68 */ fd(1, 0x174, 16, VPD_FIELD_TEXT, "SMBIOS Type 1 SKU Number", ' '),
  /* 0x69 */ fd(1, 0x184, 16, VPD_FIELD_TEXT, "SMBIOS Type 1 Family", ' '),
  /* 0x6A */ fd(1, 0x194, 8, VPD_FIELD_TEXT, "SMBIOS Type 2 Board Version", ' '),
  /* 0x6B */ fd(1, 0x19C, 8, VPD_FIELD_TEXT, "SMBIOS Type 3 Chassis Version", ' '),
  /* 0x6C */ fd(1, 0x1A4, 32, VPD_FIELD_TEXT, "SMBIOS Type 11 OEM String 1", ' '),
  /* 0x6D */ fd(1, 0x1C4, 32, VPD_FIELD_TEXT, "SMBIOS Type 11 OEM String 2", ' '),
  /* 0x6E */ fd(1, 0x1E4, 8, VPD_FIELD_BLANK, "Block 1 Blank Area 1"),
  /* 0x6F */ fd(1, 0x1EC, 4, VPD_FIELD_DWORD, "Serial Console Baud Rate"),
  /* 0x70 */ fd(1, 0x1F0, 1, VPD_FIELD_BYTE, "Serial Console Port"),
  /* 0x71 */ fd(1, 0x1F1, 1, VPD_FIELD_BYTE, "Console Redirection Flags"),
  /* 0x72 */ fd(1, 0x1F2, 2, VPD_FIELD_WORD, "Watchdog Timeout"),
  /* 0x73 */ fd(1, 0x1F4, 1, VPD_FIELD_BYTE, "Power Restore Policy"),
  /* 0x74 */ fd(1, 0x1F5, 2, VPD_FIELD_WORD, "Power Capping Limit"),
  /* 0x75 */ fd(1, 0x1F7, 1, VPD_FIELD_BYTE, "Fan Speed Offset"),
  /* 0x76 */ fd(1, 0x1F8, 1, VPD_FIELD_BYTE, "Temperature Threshold Offset"),
  /* 0x77 */ fd(1, 0x1F9, 1, VPD_FIELD_BYTE, "Front USB Policy"),
  /* 0x78 */ fd(1, 0x1FA, 1, VPD_FIELD_BYTE, "Rear USB Policy"),
  /* 0x79 */ fd(1, 0x1FB, 1, VPD_FIELD_BYTE, "Boot Retry Count"),
  /* 0x7A */ fd(1, 0x1FC, 1, VPD_FIELD_BYTE, "Manufacturing Mode Flag"),
  /* 0x7B */ fd(1, 0x1FD, 20, VPD_FIELD_HEX, "Field Diagnostics Key"),
  /* 0x7C */ fd(1, 0x211, 16, VPD_FIELD_BLANK, "Block 1 Blank Area 2"),
  /* 0x7D */ fd(1, 0x221, 4, VPD_FIELD_HEX, "Light Path Configuration"),
  /* 0x7E */ fd(1, 0x225, 16, VPD_FIELD_TEXT, "Operator Panel Message", ' '),
  /* 0x7F */ fd(1, 0x235, 32, VPD_FIELD_TEXT, "Licence Server Address", 0),
  /* 0x80 */ fd(1, 0x255, 2, VPD_FIELD_WORD, "Licence Server Port"),
  /* 0x81 */ fd(1, 0x257, 12, VPD_FIELD_TEXT, "Remote Support Identifier", ' '),
  /* 0x82 */ fd(1, 0x263, 32, VPD_FIELD_TEXT, "Call Home Contact Name", ' '),
  /* 0x83 */ fd(1, 0x283, 20, VPD_FIELD_TEXT, "Call Home Contact Phone", ' '),
  /* 0x84 */ fd(1, 0x297, 32, VPD_FIELD_TEXT, "Call Home Site Name", ' '),
  /* 0x85 */ fd(1, 0x2B7, 2, VPD_FIELD_TEXT, "Call Home Country Code", ' '),
  /* 0x86 */ fd(1, 0x2B9, 1, VPD_FIELD_BYTE, "Call Home Enabled"),
  /* 0x87 */ fd(1, 0x2BA, 16, VPD_FIELD_ZERO, "Block 1 Reserved Area 2"),
  /* 0x88 */ fd(1, 0x2CA, 32, VPD_FIELD_HEX, "Trusted Platform Module Endorsement Key Certificate Digest"),
  /* 0x89 */ fd(1, 0x2EA, 32, VPD_FIELD_BLANK, "Block 1 Blank Area 3"),
  /* 0x8A */ fd(1, 0x30A, 16, VPD_FIELD_HEX, "Platform Attestation Nonce"),
  /* 0x8B */ fd(1, 0x31A, 2, VPD_FIELD_WORD, "Block 1 Update Counter"),
  /* 0x8C */ fd(1, 0x31C, 228, VPD_FIELD_ZERO, "Block 1 Reserved Area 3"),

  // Block 2: feature-on-demand activation keys.
  /* 0x8D */ fd(2, 0x000, 1, VPD_FIELD_BYTE, "Feature Block Revision"),
  /* 0x8E */ fd(2, 0x001, 1, VPD_FIELD_BYTE, "Feature Key Count"),
  /* 0x8F */ fd(2, 0x002, 40, VPD_FIELD_HEX, "Feature Activation Key 1"),
  /* 0x90 */ fd(2, 0x02A, 32, VPD_FIELD_TEXT, "Feature Description 1", ' '),
  /* 0x91 */ fd(2, 0x04A, 40, VPD_FIELD_HEX, "Feature Activation Key 2"),
  /* 0x92 */ fd(2, 0x072, 32, VPD_FIELD_TEXT, "Feature Description 2", ' '),
  /* 0x93 */ fd(2, 0x092, 40, VPD_FIELD_HEX, "Feature Activation Key 3"),
  /* 0x94 */ fd(2, 0x0BA, 32, VPD_FIELD_TEXT, "Feature Description 3", ' '),
  /* 0x95 */ fd(2, 0x0DA, 40, VPD_FIELD_HEX, "Feature Activation Key 4"),
  /* 0x96 */ fd(2, 0x102, 32, VPD_FIELD_TEXT, "Feature Description 4", ' '),
  /* 0x97 */ fd(2, 0x122, 20, VPD_FIELD_HEX, "Feature Key Store Digest"),
  /* 0x98 */ fd(2, 0x136, 4, VPD_FIELD_DWORD, "Feature Expiry Date"),
  /* 0x99 */ fd(2, 0x13A, 32, VPD_FIELD_TAGGED_TEXT, "Feature Note 1"),
  /* 0x9A */ fd(2, 0x15A, 32, VPD_FIELD_TAGGED_TEXT, "Feature Note 2"),
  /* 0x9B */ fd(2, 0x17A, 32, VPD_FIELD_BLANK, "Feature Blank Area"),
  /* 0x9C */ fd(2, 0x19A, 16, VPD_FIELD_ZERO, "Feature Reserved Area"),
  /* 0x9D */ fd(2, 0x1AA, 24, VPD_FIELD_TEXT, "Subscription Identifier", ' '),
  /* 0x9E */ fd(2, 0x1C2, 1, VPD_FIELD_BYTE, "Subscription Level"),
  /* 0x9F */ fd(2, 0x1C3, 10, VPD_FIELD_TEXT, "Entitlement Serial Number", VPD_PAD_FRONT | '0'),
  /* 0xA0 */ fd(2, 0x1CD, 2, VPD_FIELD_WORD, "Feature Block Update Counter"),

  // Block 3: manufacturing history.
  /* 0xA1 */ fd(3, 0x000, 1, VPD_FIELD_BYTE, "Manufacturing Block Revision"),
  /* 0xA2 */ fd(3, 0x001, 8, VPD_FIELD_TEXT, "Final Test Station", ' '),
  /* 0xA3 */ fd(3, 0x009, 4, VPD_FIELD_DWORD, "Final Test Date"),
  /* 0xA4 */ fd(3, 0x00D, 1, VPD_FIELD_BYTE, "Final Test Result"),
  /* 0xA5 */ fd(3, 0x00E, 2, VPD_FIELD_WORD, "Burn-In Duration (Hours)"),
  /* 0xA6 */ fd(3, 0x010, 4, VPD_FIELD_TEXT, "Assembly Line Identifier", 0),
  /* 0xA7 */ fd(3, 0x014, 8, VPD_FIELD_TEXT, "Assembly Operator ID", VPD_PAD_FRONT | ' '),
  /* 0xA8 */ fd(3, 0x01C, 16, VPD_FIELD_TEXT, "Quality Audit Stamp", ' '),
  /* 0xA9 */ fd(3, 0x02C, 32, VPD_FIELD_TAGGED_TEXT, "Rework Record 1"),
  /* 0xAA */ fd(3, 0x04C, 32, VPD_FIELD_TAGGED_TEXT, "Rework Record 2"),
  /* 0xAB */ fd(3, 0x06C, 32, VPD_FIELD_TAGGED_TEXT, "Rework Record 3"),
  /* 0xAC */ fd(3, 0x08C, 32, VPD_FIELD_TAGGED_TEXT, "Rework Record 4"),
  /* 0xAD */ fd(3, 0x0AC, 6, VPD_FIELD_MAC, "Manufacturing Test MAC Address"),
  /* 0xAE */ fd(3, 0x0B2, 64, VPD_FIELD_BLANK, "Manufacturing Blank Area"),
  /* 0xAF */ fd(3, 0x0F2, 32, VPD_FIELD_ZERO, "Manufacturing Reserved Area"),

  // Block 4: service history.
  /* 0xB0 */ fd(4, 0x000, 1, VPD_FIELD_BYTE, "Service Block Revision"),
  /* 0xB1 */ fd(4, 0x001, 2, VPD_FIELD_WORD, "Service Action Count"),
  /* 0xB2 */ fd(4, 0x003, 12, VPD_FIELD_TEXT, "Last Replaced FRU Number", ' '),
  /* 0xB3 */ fd(4, 0x00F, 4, VPD_FIELD_DWORD, "Last Service Action Date"),
  /* 0xB4 */ fd(4, 0x013, 32, VPD_FIELD_TAGGED_TEXT, "Service Note 1"),
  /* 0xB5 */ fd(4, 0x033, 32, VPD_FIELD_TAGGED_TEXT, "Service Note 2"),
  /* 0xB6 */ fd(4, 0x053, 32, VPD_FIELD_TAGGED_TEXT, "Service Note 3"),
  /* 0xB7 */ fd(4, 0x073, 32, VPD_FIELD_BLANK, "Service Blank Area"),

  // Block 5: OEM data.
  /* 0xB8 */ fd(5, 0x000, 1, VPD_FIELD_BYTE, "OEM Block Revision"),
  /* 0xB9 */ fd(5, 0x001, 16, VPD_FIELD_TEXT, "OEM Identifier", ' '),
  /* 0xBA */ fd(5, 0x011, 40, VPD_FIELD_HEX, "OEM Data"),
  /* 0xBB */ fd(5, 0x039, 4, VPD_FIELD_DWORD, "OEM Logo Checksum"),
  /* 0xBC */ fd(5, 0x03D, 16, VPD_FIELD_BLANK, "OEM Blank Area"),
};

constexpr FieldDescriptor CompVPD_v3[std::size(CompVPD_v3)] = {
  /* 0x00 */ fd(0, 0x000, 2, VPD_FIELD_WORD, "VPD Length"),
  /* 0x01 */ fd(0, 0x002, 1, VPD_FIELD_BYTE, "Component VPD Version"),
  /* 0x02 */ fd(0, 0x003, 1, VPD_FIELD_BYTE, "Component Type"),
  /* 0x03 */ fd(0, 0x004, 2, VPD_FIELD_WORD, "Vendor ID"),
  /* 0x04 */ fd(0, 0x006, 2, VPD_FIELD_WORD, "Device ID"),
  /* 0x05 */ fd(0, 0x008, 4, VPD_FIELD_DWORD, "Subsystem ID"),
  /* 0x06 */ fd(0, 0x00C, 12, VPD_FIELD_TEXT, "Component Part Number", ' '),
  /* 0x07 */ fd(0, 0x018, 12, VPD_FIELD_TEXT, "Component FRU Number", ' '),
  /* 0x08 */ fd(0, 0x024, 12, VPD_FIELD_TEXT, "Component Serial Number", ' '),
  /* 0x09 */ fd(0, 0x030, 16, VPD_FIELD_TEXT, "Manufacturer Name", ' '),
  /* 0x0A */ fd(0, 0x040, 32, VPD_FIELD_TEXT, "Component Description", ' '),
  /* 0x0B */ fd(0, 0x060, 8, VPD_FIELD_TEXT, "Engineering Change Level", ' '),
  /* 0x0C */ fd(0, 0x068, 1, VPD_FIELD_BYTE, "Hardware Revision"),
  /* 0x0D */ fd(0, 0x069, 4, VPD_FIELD_DWORD, "Manufacture Date"),
  /* 0x0E */ fd(0, 0x06D, 4, VPD_FIELD_TEXT, "Manufacturing Site", 0),
  /* 0x0F */ fd(0, 0x071, 16, VPD_FIELD_TEXT, "Firmware Version", 0),
  /* 0x10 */ fd(0, 0x081, 2, VPD_FIELD_WORD, "Maximum Power (Watts)"),
  /* 0x11 */ fd(0, 0x083, 4, VPD_FIELD_DWORD, "Capability Flags"),
  /* 0x12 */ fd(0, 0x087, 16, VPD_FIELD_HEX, "Component UUID"),
  /* 0x13 */ fd(0, 0x097, 6, VPD_FIELD_MAC, "Port 1 MAC Address"),
  /* 0x14 */ fd(0, 0x09D, 32, VPD_FIELD_HEX, "Vendor Data"),
  /* 0x15 */ fd(0, 0x0BD, 63, VPD_FIELD_ZERO, "Reserved Area"),
  /* 0x16 */ fd(0, 0x0FC, 4, VPD_FIELD_DWORD, "Component Checksum"),
};

constexpr FieldDescriptor CompVPD_cff3[std::size(CompVPD_cff3)] = {
  /* 0x00 */ fd(0, 0x000, 2, VPD_FIELD_HEX, "CFF Length"),
  /* 0x01 */ fd(0, 0x002, 1, VPD_FIELD_BYTE, "CFF Format Version"),
  /* 0x02 */ fd(0, 0x003, 1, VPD_FIELD_BYTE, "CFF Record Type"),
  /* 0x03 */ fd(0, 0x004, 4, VPD_FIELD_ZERO, "Header Reserved"),
  /* 0x04 */ fd(0, 0x008, 16, VPD_FIELD_TEXT, "Manufacturer Name", ' '),
  /* 0x05 */ fd(0, 0x018, 24, VPD_FIELD_TEXT, "Model Name", ' '),
  /* 0x06 */ fd(0, 0x030, 12, VPD_FIELD_TEXT, "FRU Part Number", ' '),
  /* 0x07 */ fd(0, 0x03C, 16, VPD_FIELD_TEXT, "FRU Serial Number", ' '),
  /* 0x08 */ fd(0, 0x04C, 1, VPD_FIELD_BYTE, "Hardware Revision"),
  /* 0x09 */ fd(0, 0x04D, 8, VPD_FIELD_TEXT, "Engineering Change Level", ' '),
  /* 0x0A */ fd(0, 0x055, 4, VPD_FIELD_TEXT, "Manufacture Date Code", ' '),
  /* 0x0B */ fd(0, 0x059, 8, VPD_FIELD_TEXT, "Firmware Revision", 0),
  /* 0x0C */ fd(0, 0x061, 2, VPD_FIELD_HEX, "Rated Output Power"),
  /* 0x0D */ fd(0, 0x063, 16, VPD_FIELD_TEXT, "Input Voltage Range", ' '),
  /* 0x0E */ fd(0, 0x073, 8, VPD_FIELD_TEXT, "Efficiency Rating", ' '),
  /* 0x0F */ fd(0, 0x07B, 2, VPD_FIELD_TEXT, "Country of Origin", ' '),
  /* 0x10 */ fd(0, 0x07D, 8, VPD_FIELD_HEX, "Compatibility Key"),
  /* 0x11 */ fd(0, 0x085, 16, VPD_FIELD_TEXT, "Asset Tag", VPD_PAD_FRONT | ' '),
  /* 0x12 */ fd(0, 0x095, 24, VPD_FIELD_HEX, "Vendor Data"),
  /* 0x13 */ fd(0, 0x0AD, 32, VPD_FIELD_TAGGED_TEXT, "Field Note"),
  /* 0x14 */ fd(0, 0x0CD, 47, VPD_FIELD_ZERO, "Reserved Area"),
  /* 0x15 */ fd(0, 0x0FC, 4, VPD_FIELD_HEX, "Record Checksum"),
};

constexpr uint16_t kFullLengthWord = VPD_FULL_BLOCK_SIZE - VPD_LENGTH_WORD_BYTES;
constexpr uint32_t kBriefBlockSize = 0x100;
constexpr uint16_t kBriefLengthWord = kBriefBlockSize - VPD_LENGTH_WORD_BYTES;

// System VPD stores its length word big-endian (03 FE), component VPD little-endian (FE 00); the
// compact format stores its block size itself, little-endian like its numbers.
const VpdFormat VPD_FORMATS[3] = {
    {VPD_FORMAT_FULL, "full", BlockX, std::size(BlockX), VPD_BASE_FULL, VPD_FULL_BLOCK_SIZE,
     kFullLengthWord, false, false, true},
    {VPD_FORMAT_BRIEF, "brief", CompVPD_v3, std::size(CompVPD_v3), VPD_BASE_BRIEF, kBriefBlockSize,
     kBriefLengthWord, true, true, false},
    {VPD_FORMAT_CFF3, "cff3", CompVPD_cff3, std::size(CompVPD_cff3), VPD_BASE_CFF3, 0, 0, true, false,
     false},
};

const VpdFormat* format_of(int16_t code) {
  for (const VpdFormat& f : VPD_FORMATS)
    if (f.code == code) return &f;
  return nullptr;
}

// What the printer, the converter, the field list and the tool's named fields rely on, proved by
// the compiler: a table that breaks it does not build.
namespace {

template <size_t N>
constexpr bool well_formed(const FieldDescriptor (&table)[N], uint32_t block_size) {
  for (size_t i = 0; i < N; ++i) {
    const FieldDescriptor& d = table[i];
    if (d.name == nullptr || d.name[0] == 0) return false;              // every entry named
    if (uint32_t{d.offset} + d.length > block_size) return false;        // inside its block
    if (d.kind > VPD_FIELD_MAC) return false;
    if (i > 0 && d.block < table[i - 1].block) return false;             // blocks in order
    for (size_t j = 0; j < i; ++j)                                       // no overlap in a block
      if (table[j].block == d.block && table[j].offset < d.offset + d.length &&
          d.offset < table[j].offset + table[j].length)
        return false;
  }
  return true;
}

constexpr bool is(const FieldDescriptor& d, uint16_t block, uint16_t offset, uint16_t length,
                  uint32_t kind) {
  return d.block == block && d.offset == offset && d.length == length && d.kind == kind;
}

constexpr bool has_every_kind(const FieldDescriptor* table, size_t n) {
  uint32_t seen = 0;  // bit k: kind k
  for (size_t i = 0; i < n; ++i) seen |= 1u << table[i].kind;
  return seen == (1u << (VPD_FIELD_MAC + 1)) - 1;
}

static_assert(well_formed(BlockX, VPD_FULL_BLOCK_SIZE), "BlockX: unnamed, overlapping or outside its block");
static_assert(well_formed(CompVPD_v3, kBriefBlockSize), "CompVPD_v3: unnamed, overlapping or outside");
static_assert(well_formed(CompVPD_cff3, kBriefBlockSize), "CompVPD_cff3: unnamed, overlapping or outside");
static_assert(has_every_kind(BlockX, std::size(BlockX)), "BlockX holds every field kind");
// The fixed entries (VpdFixedField): the length word and the layout byte after it, the legacy and
// current type-model and serial, the CRC that ends block 0, and the length words of the component
// formats.
static_assert(is(BlockX[0], 0, 0x000, VPD_LENGTH_WORD_BYTES, VPD_FIELD_WORD) &&
              is(BlockX[VPD_FIXED_LAYOUT], 0, 0x002, 1, VPD_FIELD_BYTE), "BlockX header");
static_assert(BlockX[VPD_FIXED_VPDID].length == 2 && BlockX[VPD_FIXED_POSID].length == 2, "vpdid, posid");
static_assert(is(BlockX[VPD_FIXED_LEGACY_MTM], 0, 0x00E, 7, VPD_FIELD_TEXT) &&
              is(BlockX[VPD_FIXED_LEGACY_SN], 0, 0x015, 7, VPD_FIELD_TEXT), "legacy type-model and serial");
static_assert(BlockX[VPD_FIXED_UUID].block == 0 && BlockX[VPD_FIXED_UUID].length == 16, "the UUID");
static_assert(is(BlockX[VPD_FIXED_MTM], 0, 0x20C, 10, VPD_FIELD_TEXT) &&
              is(BlockX[VPD_FIXED_SN], 0, 0x216, 10, VPD_FIELD_TEXT), "type-model and serial");
static_assert(is(BlockX[VPD_FIXED_CRC], 0, VPD_FULL_BLOCK_SIZE - 4, 4, VPD_FIELD_DWORD), "the block-0 CRC");
static_assert(BlockX[VPD_FIXED_UEFIID].block == 1 && BlockX[VPD_FIXED_UEFIID].kind == VPD_FIELD_TEXT, "UEFI id");
static_assert(CompVPD_v3[0].offset == 0 && CompVPD_v3[0].length == VPD_LENGTH_WORD_BYTES &&
              CompVPD_cff3[0].offset == 0 && CompVPD_cff3[0].length == VPD_LENGTH_WORD_BYTES,
              "component length words");

}  // namespace
}  // namespace vpd_lib
