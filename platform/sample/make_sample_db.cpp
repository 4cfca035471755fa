// SPDX-License-Identifier: Apache-2.0
// make_sample_db OUTDIR: writes the sample VPD platform, OUTDIR/inventory, the device images
// OUTDIR/dev/* and the empty journal folder OUTDIR/journal/, for a two-socket rack server.
//
// Every image is built here from field values by name, so the repository holds no binary blobs
// and the images follow the descriptor tables wherever they change. Values are written the way
// a reader expects them: numbers as numbers, hex fields as hex digits, text as text. Text gets
// its field's padding (pad character after the text, or in front of it for front-padded fields,
// NUL bytes for fields without a pad word) unless the value is marked AS_IS, which stores the
// text followed by NUL bytes: that is how the sample carries text fields that do not conform.
// Fields given no value hold their empty form: blank fields 0x20 bytes, empty tagged slots
// 0x20 throughout, text fields their padding, everything else 0x00.
//
// The output depends on nothing but this file and the tables: no time stamps, no host values.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "../crc32.h"
#include "../database.h"
#include "util/bytes.h"
#include "util/number.h"
#include "vpd_access/vpd.h"

namespace {

using vpd_lib::FieldDescriptor;
using Bytes = std::vector<unsigned char>;
constexpr size_t kBlock = vpd_lib::VPD_FULL_BLOCK_SIZE;

enum Store { PADDED, AS_IS };

// {name, value} pads a text field, {name, value, AS_IS} does not.
struct FieldValue {
  const char* name;
  const char* value;
  Store store = PADDED;
};

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

using Format = vpd_lib::VpdFormat;
const Format& kFull = *vpd_lib::format_of(vpd_lib::VPD_FORMAT_FULL);
const Format& kBrief = *vpd_lib::format_of(vpd_lib::VPD_FORMAT_BRIEF);
const Format& kCff3 = *vpd_lib::format_of(vpd_lib::VPD_FORMAT_CFF3);

// Hex digits to bytes; blanks and colons between digit pairs are for reading only.
Bytes parse_hex(const std::string& text, const std::string& field) {
  Bytes out;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == ':') continue;
    const int d = orvantis::digit_value(c);
    if (d >= 16) fail(field + ": '" + c + "' is not a hex digit");
    if (high < 0) {
      high = d;
    } else {
      out.push_back(static_cast<unsigned char>(high * 16 + d));
      high = -1;
    }
  }
  if (high >= 0) fail(field + ": odd number of hex digits");
  return out;
}

// An image of one device, filled field by field through a descriptor table.
class ImageBuilder {
 public:
  ImageBuilder(const Format& format, size_t size) : format_(format), bytes_(size, 0x00) {
    for (uint32_t i = 0; i < format_.table_size; ++i)
      if (inside(format_.table[i])) put(format_.table[i], empty_form(format_.table[i]));
  }

  void set(const std::vector<FieldValue>& values) {
    for (const FieldValue& fv : values) set(fv);
  }

  void set(const FieldValue& fv) {
    const FieldDescriptor& d = format_.table[index_of(fv.name)];
    if (!inside(d)) fail(std::string(fv.name) + ": field lies outside this image");
    put(d, encode(d, fv));
  }

  // Stores a CRC-32 of the bytes before the field in the field, in the format's byte order.
  void set_crc(const char* name) {
    const FieldDescriptor& d = format_.table[index_of(name)];
    put(d, number_bytes(vpd_platform::crc32(bytes_.data(), vpd_lib::field_address(d)), d.length));
  }

  const Bytes& bytes() const { return bytes_; }

 private:
  uint32_t index_of(const char* name) const {
    for (uint32_t i = 0; i < format_.table_size; ++i)
      if (std::strcmp(format_.table[i].name, name) == 0) return i;
    fail(std::string("no field named \"") + name + "\"");
  }

  bool inside(const FieldDescriptor& d) const { return vpd_lib::field_address(d) + d.length <= bytes_.size(); }

  void put(const FieldDescriptor& d, const Bytes& data) {
    if (data.size() != d.length) fail(std::string(d.name) + ": encoded to the wrong length");
    std::copy(data.begin(), data.end(), bytes_.begin() + vpd_lib::field_address(d));
  }

  Bytes number_bytes(uint32_t value, uint32_t width) const {
    Bytes out(width);
    orvantis::store_be(out.data(), value, width);
    if (format_.little_endian) std::reverse(out.begin(), out.end());
    return out;
  }

  static Bytes empty_form(const FieldDescriptor& d) {
    if (d.kind == vpd_lib::VPD_FIELD_BLANK || d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT)
      return Bytes(d.length, 0x20);
    if (d.kind == vpd_lib::VPD_FIELD_TEXT) return Bytes(d.length, static_cast<unsigned char>(d.pad & 0xFF));
    return Bytes(d.length, 0x00);
  }

  Bytes encode(const FieldDescriptor& d, const FieldValue& fv) const {
    const std::string name = fv.name;
    const std::string value = fv.value;
    switch (d.kind) {
      case vpd_lib::VPD_FIELD_HEX:
      case vpd_lib::VPD_FIELD_MAC:  // xx:xx:xx:xx:xx:xx
        return parse_hex(value, name);
      case vpd_lib::VPD_FIELD_BYTE:
      case vpd_lib::VPD_FIELD_WORD:
      case vpd_lib::VPD_FIELD_DWORD: {
        uint32_t limit = d.length >= 4 ? 0xFFFFFFFFu : (1u << (8 * d.length)) - 1;
        uint32_t n = 0;
        if (!vpd_platform::parse_unsigned(value, limit, &n))
          fail(name + ": \"" + value + "\" does not fit " + std::to_string(d.length) + " bytes");
        return number_bytes(n, d.length);
      }
      case vpd_lib::VPD_FIELD_TEXT: {
        if (value.size() > d.length) fail(name + ": \"" + value + "\" is too long");
        const bool padded = fv.store == PADDED && d.pad != 0;
        const std::string fill(d.length - value.size(), padded ? static_cast<char>(d.pad & 0xFF) : '\0');
        const std::string text = padded && (d.pad & vpd_lib::VPD_PAD_FRONT) ? fill + value : value + fill;
        return Bytes(text.begin(), text.end());
      }
      case vpd_lib::VPD_FIELD_TAGGED_TEXT: {
        // "TT:head|tail" as the printout shows a slot: tag byte, head, NUL, tail, NUL fill.
        if (value.size() < 3 || value[2] != ':') fail(name + ": tagged text is \"TT:text\"");
        std::string text = value.substr(3);  // the first '|' stands for the NUL after the head
        const size_t bar = text.find('|');
        if (bar == std::string::npos)
          text += '\0';
        else
          text[bar] = '\0';
        if (text.size() >= d.length) fail(name + ": tagged text over 30 characters");
        Bytes out = parse_hex(value.substr(0, 2), name);
        out.insert(out.end(), text.begin(), text.end());
        out.resize(d.length, 0x00);
        return out;
      }
      default:
        fail(name + ": a zero or blank field takes no value");
    }
  }

  const Format& format_;
  Bytes bytes_;
};

// ---------------------------------------------------------------------------------------------
// FRU 0: the system board (planar), device mb_vpd. Layout 2, all eight blocks, with block 4
// recording a planar replacement; its backup copy (block 0 only) still holds the serial number
// of the planar it replaced.

const std::vector<FieldValue> kSystemBlock0 = {
    {"VPD Length", "0x03FE"},
    {"VPD Layout Version", "0x02"},
    {"VPD Block Count", "0x08"},
    {"VPD Update Count", "0x0007"},
    {"Platform VPD ID", "0112"},
    {"Platform Feature Flags", "0400"},
    {"Platform Position ID", "0034"},
    {"Manufacturer Name", "Norvane Systems"},
    {"Product Name", "NS-2240 Rack Server"},
    {"Product Family", "NS-2000"},
    {"Planar Part Number", "SB27A84102"},
    {"Planar Serial Number", "L1HF94C00AB"},
    {"Planar Hardware Revision", "0x03"},
    {"Planar EC Level", "N34127"},
    {"Planar FRU Number", "03KN418"},
    {"Planar Manufacture Date", "0x6634A1C0"},
    {"Planar Manufacturing Site", "MX2"},
    // Does not conform: a front-padded sequence number written without its leading zeros.
    {"Planar Build Sequence", "4711", AS_IS},
    {"Chassis Type", "0x17"},
    {"Chassis Part Number", "CH24R-0021"},
    {"Chassis Serial Number", "CZ4A1B7Q09"},
    // Does not conform: written by a tool that NUL-terminated it instead of blank-padding.
    {"Asset Tag", "RACK-B12-U07", AS_IS},
    {"UUID Source", "0x01"},
    {"System UUID", "4C4C4544 0050 3910 8048 B3C04F443532"},
    {"Processor Socket Count", "0x02"},
    {"Memory Slot Count", "0x20"},
    {"Power Supply Bay Count", "0x02"},
    {"System Fan Count", "0x06"},
    {"Storage Backplane Configuration", "0x0108"},
    {"Firmware Feature Mask", "0x0000A5C3"},
    {"Management Port MAC Address", "08:94:EF:4A:21:10"},
    {"Shared NIC MAC Address", "08:94:EF:4A:21:11"},
    {"MAC Address 1", "08:94:EF:4A:21:12"},
    {"MAC Address 2", "08:94:EF:4A:21:13"},
    {"MAC Address 3", "08:94:EF:4A:21:14"},
    {"MAC Address 4", "08:94:EF:4A:21:15"},
    {"MAC Address Count", "0x04"},
    {"Product Description", "2U two-socket rack server, 24x 2.5-inch bays"},
    {"Brand Code", "0x05"},
    {"Secure Boot Key Hash",
      "9F86D081884C7D65 9A2FEAA0C55AD015 A3BF4F1B2B0B822C D15D6C15B0F00A08"},
    {"Platform Configuration Data", "0102 0304 0000 0010 0020 0001 0000 0000 00FF 0000"},
    {"TPM Policy", "0x01"},
    {"Factory Firmware Level", "55:TEE170X 2.61"},
    {"Factory Configuration Level", "43:CFG-2240-B07"},
    {"Order Number", "4500178342"},
    {"Customer Order Reference", "PO-88213"},
    {"Warranty Start Date", "0x66580000"},
    {"Warranty Code", "3YOS"},
    {"Service Level", "0x02"},
    {"Product Brand Name", "Norvane"},
    {"Marketing Model Name", "NS-2240"},
    {"Machine Type-Model", "9Q47CTO1WW"},
    {"System Serial Number", "J30A4F7K"},
    {"System Manufacture Date", "0x6638B2D0"},
    {"Configuration Code", "B07A"},
    {"BIOS Configuration Flags", "00010003"},
    {"Boot Device Order", "01020304 05000000"},
    {"Power Restore Default", "0x02"},
    {"Thermal Profile", "0x01"},
    {"Maximum Power Draw", "0x04B0"},
    {"Chassis Height", "0x02"},
    {"Front Panel Configuration", "0x03"},
    {"Field Update Counter", "0x0001"},
    {"Last Service Date", "0x66A0C000"},
    {"Service Technician ID", "1187"},
    {"Feature Licence Digest", "5BAA61E4C9B93F3F 0682250B6CF8331B 7EE68FD8"},
    {"Vendor Extension Data",
      "4E56 0001 0028 0000 1122 3344 5566 7788 99AA BBCC DDEE FF00 0102 0304 0506 0708"
      "090A 0B0C 0D0E 0F10"},
    {"Vendor Extension Flags", "0x00000001"},
    {"Manufacturing Notes", "Line 3 build, ESD audit passed"},
};

const std::vector<FieldValue> kSystemBlocks1To5 = {
    // Block 1
    {"Block 1 Revision", "0x01"},
    {"Block 1 Field Count", "0x40"},
    {"UEFI Identifier Format", "0x01"},
    {"UEFI Firmware Identifier", "TEE170X-2.61"},
    {"UEFI Build Date", "0x665F3A00"},
    {"UEFI Secure Boot Policy", "0x01"},
    {"Management Firmware Identifier", "NBM3A2-4.10"},
    {"Management Firmware Build", "0x00041012"},
    {"Backup Firmware Identifier", "NBM3A1-4.02"},
    {"Firmware Level Slot 1", "55:TEE170X 2.61 2024-06-04"},
    {"Firmware Level Slot 2", "42:NBM3A2 4.10 2024-05-21"},
    {"Firmware Level Slot 3", "4C:LXPM 1.34|build 0517"},
    {"Firmware Level Slot 4", "44:DIAG 3.20"},
    {"Option ROM Policy", "00000003"},
    {"Boot Mode", "0x01"},
    {"Network Boot Order", "0102000000000000"},
    {"MAC Address 5", "08:94:EF:4A:21:16"},
    {"MAC Address 6", "08:94:EF:4A:21:17"},
    {"MAC Address 7", "08:94:EF:4A:21:18"},
    {"MAC Address 8", "08:94:EF:4A:21:19"},
    {"Additional MAC Count", "0x04"},
    {"IPMI Device GUID", "4C4C4544 0050 3910 8048 B3C04F443533"},
    {"SMBIOS Type 1 SKU Number", "9Q47CTO1WW"},
    {"SMBIOS Type 1 Family", "NS-2000"},
    {"SMBIOS Type 2 Board Version", "03"},
    {"SMBIOS Type 3 Chassis Version", "A1"},
    {"SMBIOS Type 11 OEM String 1", "Norvane NS-2240 reference image"},
    {"Serial Console Baud Rate", "0x0001C200"},
    {"Serial Console Port", "0x01"},
    {"Console Redirection Flags", "0x03"},
    {"Watchdog Timeout", "0x012C"},
    {"Power Restore Policy", "0x02"},
    {"Power Capping Limit", "0x0000"},
    {"Front USB Policy", "0x01"},
    {"Rear USB Policy", "0x01"},
    {"Boot Retry Count", "0x03"},
    {"Field Diagnostics Key", "D0C1A5E5 00000000 7F3B19C2 88E1D4A6 0C0FFEE0"},
    {"Light Path Configuration", "0000001F"},
    {"Operator Panel Message", "NS-2240 READY"},
    {"Licence Server Address", "licence.example.net"},
    {"Licence Server Port", "0x1F90"},
    {"Remote Support Identifier", "RS-4A2110"},
    {"Call Home Contact Name", "Data Centre Operations"},
    {"Call Home Contact Phone", "+44 20 7946 0000"},
    {"Call Home Site Name", "Example DC West, Hall 2"},
    {"Call Home Country Code", "GB"},
    {"Call Home Enabled", "0x01"},
    {"Trusted Platform Module Endorsement Key Certificate Digest",
      "2C26B46B68FFC68F F99B453C1D304134 13422D706483BFA0 F98A5E886266E7AE"},
    {"Platform Attestation Nonce", "A1B2C3D4E5F60718 293A4B5C6D7E8F90"},
    {"Block 1 Update Counter", "0x0003"},
    // Block 2
    {"Feature Block Revision", "0x01"},
    {"Feature Key Count", "0x02"},
    {"Feature Activation Key 1",
      "00A1 4E56 2240 0001 3F9C 12D4 77E0 9A51 C2B8 0E44 6D13 F0A7 5B29 84C6 1E3D 92F5"
      "0B7A 6C81 D4E2 3F90"},
    {"Feature Description 1", "Advanced remote management"},
    {"Feature Activation Key 2",
      "00A2 4E56 2240 0002 81F3 5C0D 2A96 E7B4 4410 9FC8 3B6E 05D2 A7C1 6F38 D950 1BE4"
      "72A0 C53D 8E19 4F66"},
    {"Feature Description 2", "Storage encryption key manager"},
    {"Feature Key Store Digest", "DA39A3EE5E6B4B0D 3255BFEF95601890 AFD80709"},
    {"Feature Note 1", "46:Installed at factory"},
    {"Subscription Identifier", "SUB-2024-0081734"},
    {"Subscription Level", "0x02"},
    {"Entitlement Serial Number", "81734"},
    {"Feature Block Update Counter", "0x0001"},
    // Block 3
    {"Manufacturing Block Revision", "0x01"},
    {"Final Test Station", "FT-07"},
    {"Final Test Date", "0x6638A4C0"},
    {"Final Test Result", "0x00"},
    {"Burn-In Duration (Hours)", "0x0018"},
    {"Assembly Line Identifier", "L3"},
    {"Assembly Operator ID", "1187"},
    {"Quality Audit Stamp", "QA-2024-05-06"},
    {"Rework Record 1", "52:DIMM socket 7 reseated"},
    {"Manufacturing Test MAC Address", "02:00:4E:56:00:07"},
    // Block 4
    {"Service Block Revision", "0x01"},
    {"Service Action Count", "0x0001"},
    {"Last Replaced FRU Number", "03KN418"},
    {"Last Service Action Date", "0x66A0C000"},
    {"Service Note 1", "53:Planar replaced, VPD restored"},
    // Block 5
    {"OEM Block Revision", "0x01"},
    {"OEM Identifier", "NORVANE-OEM"},
    {"OEM Data",
      "4F454D31 00000028 0000FFFF 12345678 9ABCDEF0 0F1E2D3C 4B5A6978 8796A5B4 C3D2E1F0 00000000"},
    {"OEM Logo Checksum", "0x5A17C3E2"},
};

// The backup copy was last refreshed before the planar was replaced.
const std::vector<FieldValue> kSystemBackupChanges = {
    {"VPD Update Count", "0x0006"},
    {"Planar Serial Number", "L1HF93B07QZ"},
};

// ---------------------------------------------------------------------------------------------
// FRU 1: a PCIe riser board that still carries the legacy layout 1: its type-model and serial
// number are the 7-byte fields 8 and 9, and the 10-byte fields 0x38/0x39 are empty.

const std::vector<FieldValue> kRiser = {
    {"VPD Length", "0x03FE"},
    {"VPD Layout Version", "0x01"},
    {"VPD Block Count", "0x02"},
    {"VPD Update Count", "0x0002"},
    {"Platform VPD ID", "0112"},
    {"Platform Position ID", "0051"},
    {"Legacy Machine Type-Model", "8871AC1"},
    {"Legacy System Serial Number", "KQ2M4R7"},
    {"Manufacturer Name", "Norvane Systems"},
    {"Product Name", "PCIe Gen4 x16/x16 Riser"},
    {"Product Family", "NS-2000"},
    {"Planar Part Number", "RS16A20117"},
    {"Planar Serial Number", "R2CT81M04XY"},
    {"Planar Hardware Revision", "0x01"},
    {"Planar EC Level", "N29904"},
    {"Planar FRU Number", "03KN502"},
    {"Planar Manufacture Date", "0x5F8D3A40"},
    {"Planar Manufacturing Site", "MX2"},
    {"Planar Build Sequence", "00021945"},
    {"System UUID", "00000000 0000 0000 0000 000000000000"},
    {"Factory Firmware Level", "52:Riser CPLD 1.07"},
    {"Block 1 Revision", "0x01"},
    {"Block 1 Field Count", "0x40"},
};

// ---------------------------------------------------------------------------------------------
// FRU 2: an OCP 3.0 network adapter with a 256-byte component VPD. Its numbers are stored
// little-endian, as component VPD keeps them.

const std::vector<FieldValue> kAdapter = {
    {"VPD Length", "0x00FE"},
    {"Component VPD Version", "0x03"},
    {"Component Type", "0x02"},
    {"Vendor ID", "0x14E4"},
    {"Device ID", "0x16D7"},
    {"Subsystem ID", "0x1F3B0A21"},
    {"Component Part Number", "01PE694"},
    {"Component FRU Number", "01PE695"},
    {"Component Serial Number", "SP41208834"},
    {"Manufacturer Name", "Norvane Networks"},
    {"Component Description", "OCP 3.0 Ethernet 2x25GbE SFP28"},
    {"Engineering Change Level", "A3"},
    {"Hardware Revision", "0x02"},
    {"Manufacture Date", "0x65F1A300"},
    {"Manufacturing Site", "TW1"},
    {"Firmware Version", "226.0.145"},
    {"Maximum Power (Watts)", "0x0013"},
    {"Capability Flags", "0x00000107"},
    {"Component UUID", "7E1B2C3D 4A5B 6C7D 8E9F 0A1B2C3D4E5F"},
    {"Port 1 MAC Address", "B0:26:28:5A:3C:40"},
    {"Vendor Data", "14E416D7 0002 0019 00000000 B026285A3C40 B026285A3C41 0000000000000000"},
};

// ---------------------------------------------------------------------------------------------
// FRU 3: power supply 1 with a compact FRU VPD of 256 bytes in a 512-byte EEPROM. The length
// and the rated power are little-endian byte pairs.

const std::vector<FieldValue> kPowerSupply = {
    {"CFF Length", "0001"},  // 0x0100
    {"CFF Format Version", "0x03"},
    {"CFF Record Type", "0x02"},
    {"Manufacturer Name", "Norvane Power"},
    {"Model Name", "NPS-1100AB Titanium"},
    {"FRU Part Number", "03LE217"},
    {"FRU Serial Number", "D1DG3C80J1K"},
    {"Hardware Revision", "0x04"},
    {"Engineering Change Level", "P43120"},
    {"Manufacture Date Code", "2419"},
    {"Firmware Revision", "6.11"},
    {"Rated Output Power", "4C04"},  // 1100 W
    {"Input Voltage Range", "200-240V AC"},
    {"Efficiency Rating", "Titanium"},
    {"Country of Origin", "CN"},
    {"Compatibility Key", "4E50531100000001"},
    {"Asset Tag", "PSU-A"},
    {"Vendor Data", "4E505300 044C 00C8 00F0 0032 01 00 0000000000000000 0000"},
    {"Field Note", "46:Installed 2024-05-06"},
};

// ---------------------------------------------------------------------------------------------
// The device images. Bytes past those the values describe are erased (0xFF): blocks 6 and 7 of
// the system board, which are not part of its layout, and the half of the power supply's part
// past its 256-byte record.

struct Image {
  const char* device;
  const Format& format;
  size_t size;       // the device's bytes
  size_t described;  // the leading bytes the values fill
  std::vector<const std::vector<FieldValue>*> values;
  const char* crc_field;  // holds the CRC-32 of the bytes before it
};

const Image kImages[] = {
    {"mb_vpd", kFull, 0x2000, 6 * kBlock, {&kSystemBlock0, &kSystemBlocks1To5}, "Block 0 CRC"},
    {"mb_vpd.backup", kFull, kBlock, kBlock, {&kSystemBlock0, &kSystemBackupChanges}, "Block 0 CRC"},
    {"riser_vpd", kFull, 0x800, 0x800, {&kRiser}, "Block 0 CRC"},
    {"ocp_vpd", kBrief, 0x100, 0x100, {&kAdapter}, "Component Checksum"},
    {"psu1_vpd", kCff3, 0x200, 0x100, {&kPowerSupply}, "Record Checksum"},
};

Bytes build(const Image& row) {
  ImageBuilder image(row.format, row.described);
  for (const std::vector<FieldValue>* values : row.values) image.set(*values);
  image.set_crc(row.crc_field);
  Bytes out(row.size, 0xFF);
  std::copy(image.bytes().begin(), image.bytes().end(), out.begin());
  return out;
}

const char kInventory[] =
    "# Sample VPD platform: a two-socket 2U rack server.\n"
    "# fru  present  format  max_size  device    description\n"
    "0      yes      full    0x2000    mb_vpd    System board (planar), 8 blocks, layout 2\n"
    "1      yes      full    0x0800    riser_vpd PCIe riser 1, legacy layout 1\n"
    "2      yes      brief   0x0100    ocp_vpd   OCP 3.0 network adapter, component VPD\n"
    "3      yes      cff3    0x0200    psu1_vpd  Power supply 1, compact FRU VPD\n"
    "4      no       cff3    0x0200    psu2_vpd  Power supply 2 (bay empty)\n";

void make_dir(const std::string& path, mode_t mode) {
  if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST)
    fail("cannot create " + path + ": " + std::strerror(errno));
}

void write_file(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) fail("cannot write " + path + ": " + std::strerror(errno));
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_db OUTDIR\n");
    return 1;
  }
  const std::string dir = argv[1];
  try {
    make_dir(dir, 0755);
    make_dir(dir + "/dev", 0755);
    // The rollback journal's folder, as the library makes it on a first write; an installed
    // database has a link to the state directory in its place.
    make_dir(dir + "/journal", 0700);
    for (const Image& row : kImages) {
      const Bytes image = build(row);
      write_file(dir + "/dev/" + row.device, image.data(), image.size());
    }
    // Written last: the build takes the inventory as the sign that the database is complete.
    write_file(dir + "/inventory", kInventory, sizeof kInventory - 1);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_db: %s\n", e.what());
    return 1;
  }
  return 0;
}
