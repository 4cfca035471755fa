// The printer through the real binary: -p over whole blocks, -o on single fields, the byte-order
// adjustment of component VPD with and without -E, and compact FRU records.
#include "print/printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::FixtureDb;
using testing::Image;
using testing::RunResult;
using testing::hex_bytes;
using testing::index_of;
using vpd_lib::VPD_FORMAT_BRIEF;
using vpd_lib::VPD_FORMAT_CFF3;
using vpd_lib::VPD_FORMAT_FULL;

std::string spaces(size_t n) { return std::string(n, ' '); }

// The name column and ": " as a reviewer reads them off the tables.
std::string column(const std::string& name) {
  return (name.size() < 45 ? spaces(45 - name.size()) : "") + name + ": ";
}
// One whole printout line.
std::string line(const std::string& name, const std::string& value) {
  return column(name) + value + "\n";
}
bool starts_with(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

size_t count_lines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Every byte of the image set to a varied value that is never a newline, keeping the format's
// length word, so text fields never break a line and every field shows something.
Image patterned(Image img, size_t keep) {
  for (size_t i = keep; i < img.bytes().size(); ++i) {
    unsigned char b = static_cast<unsigned char>(i * 37 + 11);
    img.bytes()[i] = b == '\n' ? 0x0B : b;
  }
  return img;
}

// What print_field_lines makes of the image as the library loads it: the device bytes in a
// zero-filled buffer that every 16-bit address plus a field fits into.
std::string printed_in_process(int16_t format, const Bytes& image, uint32_t first, uint32_t last,
                               bool adjust, bool single) {
  Bytes data(0x10000 + 0x400, 0);
  std::copy(image.begin(), image.end(), data.begin());
  char* buf = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buf, &size);
  if (out == nullptr) return "open_memstream failed";
  print_field_lines(out, testing::table_for(format), data.data(), first, last, adjust, single);
  std::fclose(out);
  std::string text(buf, size);
  std::free(buf);
  return text;
}

// --- -p over every block of a full record -----------------------------------------------------

TEST(PrinterE2e, PrintsEveryBlockOfAFullRecord) {
  Image img = patterned(Image::full(2, 0x2000), 3);
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "mb_vpd", img.bytes());
  // Lines per block: one per field, plus one per further started 16 bytes of a long hex field.
  struct Row {
    const char* block;
    uint32_t first, last;
    size_t lines;
  } rows[] = {
      {"0", 0x00, 0x4C, 77 + 5},  // hex of 32 (+1), 20 (+1), 20 (+1) and 40 (+2) bytes
      {"1", 0x4D, 0x8C, 64 + 2},  // hex of 20 and 32 bytes
      {"2", 0x8D, 0xA0, 20 + 9},  // four 40-byte keys (+2 each) and a 20-byte digest
      {"3", 0xA1, 0xAF, 15},
      {"4", 0xB0, 0xB7, 8},
      {"5", 0xB8, 0xBC, 5 + 2},   // the 40-byte OEM data
      {"6", 0xB8, 0xBC, 5 + 2},
      {"7", 0xB8, 0xBC, 5 + 2},
  };
  for (const Row& r : rows) {
    RunResult res = db.run({"-i", "0", "-b", r.block, "-p"});
    EXPECT_EQ(res.status, 0) << "block " << r.block << ": " << res.out;
    EXPECT_EQ(count_lines(res.out), r.lines) << "block " << r.block;
    EXPECT_EQ(res.out, printed_in_process(VPD_FORMAT_FULL, img.bytes(), r.first, r.last, false, false))
        << "block " << r.block;
  }
}

TEST(PrinterE2e, BlockZeroPrintoutBytes) {
  Image img = Image::full(2, 0x2000);
  img.set_field(VPD_FORMAT_FULL, index_of(VPD_FORMAT_FULL, "VPD Block Count"), {0x08})
      .set_field(VPD_FORMAT_FULL, index_of(VPD_FORMAT_FULL, "VPD Update Count"), {0x01, 0x2C})
      .set_field(VPD_FORMAT_FULL, index_of(VPD_FORMAT_FULL, "Platform VPD ID"), {0x00, 0x01})
      .set_text(VPD_FORMAT_FULL, index_of(VPD_FORMAT_FULL, "Legacy Machine Type-Model"), "9Q47ABX");
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "mb_vpd", img.bytes());
  RunResult res = db.run({"-p"});
  ASSERT_EQ(res.status, 0);
  std::string expected_head = line("VPD Length", "[0x03FE]") +
                              line("VPD Layout Version", "[0x02]") +
                              line("VPD Block Count", "[0x08]") +
                              line("VPD Update Count", "[0x012C]") +
                              line("VPD Header Reserved", "[]") +
                              line("Platform VPD ID", "[0001]h") +
                              line("Platform Feature Flags", "[0000]h") +
                              line("Platform Position ID", "[0000]h") +
                              line("Legacy Machine Type-Model", "[9Q47ABX]t");
  EXPECT_TRUE(starts_with(res.out, expected_head)) << res.out;
  // The 40-byte vendor extension: three lines, continuation lines indented by 48 spaces.
  std::string vendor = column("Vendor Extension Data") + "[" + std::string(32, '0') + "\n" +
                       spaces(48) + std::string(32, '0') + "\n" + spaces(48) + std::string(16, '0') +
                       "]h\n";
  EXPECT_NE(res.out.find(vendor), std::string::npos);
  std::string tail = line("Block 0 Reserved Area 2", "[]") + line("Block 0 CRC", "[0x00000000]h");
  ASSERT_GE(res.out.size(), tail.size());
  EXPECT_EQ(res.out.substr(res.out.size() - tail.size()), tail);
}

TEST(PrinterE2e, LongNameAndBlankFieldsInBlockOne) {
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  RunResult res = db.run({"-b", "1", "-p"});
  ASSERT_EQ(res.status, 0);
  const std::string long_name = "Trusted Platform Module Endorsement Key Certificate Digest";
  EXPECT_NE(res.out.find("\n" + long_name + ": [" + std::string(32, '0') + "\n" + spaces(48) +
                         std::string(32, '0') + "]h\n"),
            std::string::npos);
  EXPECT_NE(res.out.find(line("Block 1 Blank Area 1", "")), std::string::npos);
}

// --- -o: one field of each kind ----------------------------------------------------------------

TEST(PrinterE2e, PrintFieldOfEachKind) {
  Bytes slot = hex_bytes("4A");
  for (char c : std::string("V1.2")) slot.push_back(static_cast<unsigned char>(c));
  slot.push_back(0x00);
  slot.resize(32, '-');
  Bytes oem(40);
  for (size_t i = 0; i < oem.size(); ++i) oem[i] = static_cast<unsigned char>(0xD0 + i);
  std::string oem_digits;
  for (unsigned char b : oem) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", b);
    oem_digits += two;
  }
  struct Row {
    const char* name;
    Bytes stored;
    std::string out;
  } rows[] = {
      {"System UUID", hex_bytes("00112233445566778899AABBCCDDEEFF"),
       "00112233445566778899AABBCCDDEEFF\n"},
      {"OEM Data", oem, oem_digits + "\n"},  // 40 bytes on one line
      {"Planar Hardware Revision", {0xA7}, "0xA7\n"},
      {"Maximum Power Draw", {0x03, 0x20}, "0x0320\n"},
      {"Firmware Feature Mask", {0xFF, 0xFF, 0xFF, 0xFF}, "0xFFFFFFFF\n"},
      {"Planar Manufacture Date", {0x00, 0x00, 0x01, 0x2C}, "0x0000012C\n"},
      {"Machine Type-Model", testing::bytes_of(std::string("AB\0]CD    ", 10)),
       std::string("AB\0]CD    \n", 11)},
      {"VPD Header Reserved", {0x11, 0x22}, "\n"},
      {"Block 1 Blank Area 1", {0x33}, "\n"},
      {"Factory Firmware Level", slot, "4A:V1.2|" + std::string(26, '-') + "\n"},
      {"Factory Configuration Level", Bytes(32, 0x20), "  :" + spaces(29) + "|\n"},
      {"Management Port MAC Address", hex_bytes("001A2B3C4D5E"), "00:1A:2B:3C:4D:5E\n"},
  };
  Image img = Image::full(2, 0x2000);
  for (const Row& r : rows) img.set_field(VPD_FORMAT_FULL, index_of(VPD_FORMAT_FULL, r.name), r.stored);
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "mb_vpd", img.bytes());
  for (const Row& r : rows) {
    std::string number = std::to_string(index_of(VPD_FORMAT_FULL, r.name));
    RunResult res = db.run({"-o", number});
    EXPECT_EQ(res.status, 0) << r.name;
    EXPECT_EQ(res.out, r.out) << r.name;
    // The block selects no field for -o, and -E changes nothing on a full record.
    RunResult other = db.run({"-b", "3", "-E", "-o", number});
    EXPECT_EQ(other.out, r.out) << r.name << " with -b 3 -E";
  }
}

// --- Component VPD: adjusted unless -E -------------------------------------------------------

TEST(PrinterE2e, BriefRecordAdjustedUnlessE) {
  Image img = Image::brief(0x100);
  img.set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Vendor ID"), {0x86, 0x80})
      .set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Subsystem ID"), {0x01, 0x02, 0x03, 0x04})
      .set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Component UUID"),
                 hex_bytes("000102030405060708090A0B0C0D0E0F"))
      .set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Port 1 MAC Address"), hex_bytes("0A0B0C0D0E0F"))
      .set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Hardware Revision"), {0x42});
  Bytes vendor(32);
  for (size_t i = 0; i < vendor.size(); ++i) vendor[i] = static_cast<unsigned char>(0xA0 + i);
  img.set_field(VPD_FORMAT_BRIEF, index_of(VPD_FORMAT_BRIEF, "Vendor Data"), vendor);
  FixtureDb db;
  db.add_fru(3, "brief", 0x100, "card_vpd", img.bytes());

  struct Row {
    const char* name;
    std::string adjusted;  // -o without -E
    std::string stored;    // -o with -E
  } rows[] = {
      {"VPD Length", "0x00FE\n", "0xFE00\n"},
      {"Vendor ID", "0x8086\n", "0x8680\n"},
      {"Subsystem ID", "0x04030201\n", "0x01020304\n"},
      {"Component UUID", "0F0E0D0C0B0A09080706050403020100\n", "000102030405060708090A0B0C0D0E0F\n"},
      {"Port 1 MAC Address", "0A:0B:0C:0D:0E:0F\n", "0A:0B:0C:0D:0E:0F\n"},
      {"Hardware Revision", "0x42\n", "0x42\n"},
  };
  for (const Row& r : rows) {
    std::string number = std::to_string(index_of(VPD_FORMAT_BRIEF, r.name));
    RunResult adjusted = db.run({"-i", "3", "-o", number});
    EXPECT_EQ(adjusted.status, 0) << r.name;
    EXPECT_EQ(adjusted.out, r.adjusted) << r.name;
    RunResult stored = db.run({"-i", "3", "-E", "-o", number});
    EXPECT_EQ(stored.out, r.stored) << r.name << " with -E";
  }

  RunResult plain = db.run({"-i", "3", "-p"});
  RunResult with_e = db.run({"-i", "3", "-p", "-E"});
  ASSERT_EQ(plain.status, 0);
  ASSERT_EQ(with_e.status, 0);
  EXPECT_EQ(count_lines(plain.out), 23u + 1u);  // the 32-byte vendor data takes two lines
  EXPECT_EQ(count_lines(with_e.out), 23u + 1u);
  EXPECT_TRUE(starts_with(plain.out, line("VPD Length", "[0x00FE]"))) << plain.out;
  EXPECT_TRUE(starts_with(with_e.out, line("VPD Length", "[0xFE00]"))) << with_e.out;
  // Reversed hex still breaks after every 16 written bytes.
  EXPECT_NE(plain.out.find(column("Vendor Data") + "[BFBEBDBCBBBAB9B8B7B6B5B4B3B2B1B0\n" + spaces(48) +
                           "AFAEADACABAAA9A8A7A6A5A4A3A2A1A0]h\n"),
            std::string::npos);
  EXPECT_EQ(plain.out, printed_in_process(VPD_FORMAT_BRIEF, img.bytes(), 0x2000, 0x2016, true, false));
  EXPECT_EQ(with_e.out, printed_in_process(VPD_FORMAT_BRIEF, img.bytes(), 0x2000, 0x2016, false, false));
}

// --- Compact FRU VPD: never adjusted ----------------------------------------------------------

TEST(PrinterE2e, Cff3RecordPrintsStoredOrderWithOrWithoutE) {
  Image img = patterned(Image::cff3(0x100, 0x100), 2);
  img.set_text(VPD_FORMAT_CFF3, index_of(VPD_FORMAT_CFF3, "Model Name"), "PSU 1600W Titanium      ")
      .set_field(VPD_FORMAT_CFF3, index_of(VPD_FORMAT_CFF3, "Field Note"), Bytes(32, 0x20));
  FixtureDb db;
  db.add_fru(5, "cff3", 0x100, "psu_vpd", img.bytes());

  for (const char* block : {"0", "7"}) {
    RunResult plain = db.run({"-i", "5", "-b", block, "-p"});
    RunResult with_e = db.run({"-i", "5", "-b", block, "-E", "-p"});
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_EQ(plain.out, with_e.out) << "block " << block;
    EXPECT_EQ(count_lines(plain.out), 22u + 1u) << "block " << block;  // 24-byte vendor data
    EXPECT_TRUE(starts_with(plain.out, line("CFF Length", "[0001]h"))) << "block " << block;
    EXPECT_NE(plain.out.find(line("Model Name", "[PSU 1600W Titanium      ]t")), std::string::npos);
    EXPECT_NE(plain.out.find(line("Field Note", "[  :" + spaces(29) + "|]")), std::string::npos);
    EXPECT_EQ(plain.out, printed_in_process(VPD_FORMAT_CFF3, img.bytes(), 0x3000, 0x3015, false, false));
  }
  RunResult length = db.run({"-i", "5", "-o", "0"});
  EXPECT_EQ(length.out, "0001\n");
  RunResult model = db.run({"-i", "5", "-E", "-o", std::to_string(index_of(VPD_FORMAT_CFF3, "Model Name"))});
  EXPECT_EQ(model.out, "PSU 1600W Titanium      \n");
}

}  // namespace
}  // namespace orvantis
