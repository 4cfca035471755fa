// End to end: the field commands (-O, -g, -G, -P, -s, -S, -e, -f) run as the real binary against
// fixture VPD databases; outputs are compared byte for byte and device files are read back.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::FixtureDb;
using testing::Image;
using testing::RunResult;
using testing::address_of;
using testing::bytes_of;
using vpd_lib::BlockX;
using vpd_lib::FieldDescriptor;

constexpr int16_t FULL = vpd_lib::VPD_FORMAT_FULL;
constexpr int16_t BRIEF = vpd_lib::VPD_FORMAT_BRIEF;
constexpr int16_t CFF3 = vpd_lib::VPD_FORMAT_CFF3;
constexpr uint32_t FULL_SIZE = 0x2000;

// First BlockX index of blocks 0..7, and one past the last index of the table.
constexpr uint32_t BLOCK_FIRST[8] = {0x00, 0x4D, 0x8D, 0xA1, 0xB0, 0xB8, 0xB8, 0xB8};
constexpr uint32_t BLOCKX_END = 0xBD;

uint32_t block_last(int block) { return block < 5 ? BLOCK_FIRST[block + 1] - 1 : 0xBCu; }

// `before` with `data` stored at `address`: what a device must hold after a one-field write.
Bytes with_bytes(Bytes before, uint32_t address, const Bytes& data) {
  std::copy(data.begin(), data.end(), before.begin() + address);
  return before;
}

Bytes be32(uint32_t v) {
  return {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
          static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
}

std::string hex32(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", v);
  return buf;
}

bool is_text(const FieldDescriptor& d) { return d.kind == vpd_lib::VPD_FIELD_TEXT; }
bool takes_part(const FieldDescriptor& d) { return is_text(d) && d.pad != 0; }

// The conforming contents of a text field that holds nothing at all: length pad characters.
std::string all_pad(const FieldDescriptor& d) { return std::string(d.length, char(d.pad & 0xFF)); }

// A layout-2 system board (or legacy with layout 1) whose repairable text fields all conform and
// whose block-0 CRC is right, so every test sees only what it changed itself.
Image system_board(int layout = 2) {
  Image img = Image::full(layout, FULL_SIZE);
  for (uint32_t i = 0; i < BLOCKX_END; ++i)
    if (takes_part(BlockX[i])) img.set(address_of(BlockX[i]), bytes_of(all_pad(BlockX[i])));
  img.set_field(FULL, 5, {0x00, 0x01});  // vpdid
  img.set_field(FULL, 7, {0x00, 0x34});  // posid
  if (layout == 1) {
    img.set_text(FULL, 8, "9Q47ABX");
    img.set_text(FULL, 9, "S000001");
  }
  img.set_text(FULL, 0x38, "7X12CTO1WW");
  img.set_text(FULL, 0x39, "J30012345A");
  return img.fix_crc();
}

struct Board {
  FixtureDb db;
  Bytes image;
  explicit Board(const Image& img, const std::string& format = "full", uint32_t max_size = FULL_SIZE)
      : image(img.bytes()) {
    db.add_fru(0, format, max_size, "mb_vpd", image, "system board");
  }
  Bytes device() const { return db.read_device("mb_vpd"); }
  RunResult run(const std::vector<std::string>& args) const { return db.run(args); }
};

// The first BlockX index (in any block) that satisfies `want`, or BLOCKX_END.
uint32_t find_field(const std::function<bool(const FieldDescriptor&)>& want) {
  for (uint32_t i = 2; i < BLOCKX_END; ++i)
    if (want(BlockX[i])) return i;
  return BLOCKX_END;
}

int block_of(uint32_t index) {
  for (int b = 7; b >= 0; --b)
    if (index >= BLOCK_FIRST[b]) return b;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// -O: field writes from typed text

TEST(SetField, AcceptedWritesChangeExactlyTheFieldsBytes) {
  const struct {
    std::string request;
    uint32_t index;
    Bytes stored;
  } rows[] = {
      {"7 b 0x04 0x00", 7, {0x04, 0x00}},  // the usage example's form on a 2-byte field
      {"7 bytes 017 15", 7, {0x0F, 0x0F}},  // the type word counts by its first letter
      {"5 b 300 -1", 5, {0x2C, 0xFF}},
      {"7 b zz 0X0f", 7, {0x00, 0x0F}},
      {"56 s 9Q47ABX2ZZ", 0x38, bytes_of("9Q47ABX2ZZ")},
      {" \t57\ns  ABCDEFGHIJ  ignored words", 0x39, bytes_of("ABCDEFGHIJ")},
  };
  for (const auto& row : rows) {
    Board board(system_board());
    RunResult r = board.run({"-O", row.request});
    EXPECT_EQ(r.out, "") << row.request;
    EXPECT_EQ(r.status, 0) << row.request;
    EXPECT_EQ(board.device(), with_bytes(board.image, address_of(BlockX[row.index]), row.stored))
        << row.request;
  }
}

TEST(SetField, RefusedRequestsLeaveTheDeviceUnchanged) {
  std::string many_bytes = "7 b";
  for (int i = 0; i < 65; ++i) many_bytes += " 1";
  const struct {
    std::string request;
    std::string out;
    int status;
  } rows[] = {
      {"56 s 9Q47ABX2Z", "ERROR: Input has length 9, but expect 10 for field 56\n", 1},
      {"56 s 9Q47ABX2ZZZ", "ERROR: Input has length 11, but expect 10 for field 56\n", 1},
      {"7 b 1", "ERROR: Input has length 1, but expect 2 for field 7\n", 1},
      {"7 b 1 2 3", "ERROR: Input has length 3, but expect 2 for field 7\n", 1},
      {"0x38 s 9Q47ABX2ZZ", "ERROR: Input has length 10, but expect 2 for field 0\n", 1},
      {"8 s 9Q47ABX", "ERROR: Input has length 7, but expect 0 for field 8\n", 1},  // retired
      {"9999 b 1", "ERROR: Input has length 1, but expect -1 for field 9999\n", 1},
      {many_bytes, "Whoops, only support up to 64 byte fields right now\n", 1},
      {"", "ERROR: Not enough input!\n", 1},
      {"7", "ERROR: Not enough input!\n", 1},
      {"7 b", "ERROR: Not enough input!\n", 1},
      {" \t ", "ERROR: Not enough input!\n", 1},
      {"7 B 0 1", "", 0},
      {"56 S 9Q47ABX2ZZ", "", 0},
      {"7 x 0 1", "", 0},
  };
  for (const auto& row : rows) {
    Board board(system_board());
    RunResult r = board.run({"-O", row.request});
    EXPECT_EQ(r.out, row.out) << row.request;
    EXPECT_EQ(r.status, row.status) << row.request;
    EXPECT_EQ(board.device(), board.image) << row.request;
  }
}

TEST(SetField, LongestFieldUpToSixtyFourBytesTakesAllItsBytes) {
  uint32_t best = BLOCKX_END;
  for (uint32_t i = 0; i < BLOCKX_END; ++i)
    if (BlockX[i].length <= 64 && (best == BLOCKX_END || BlockX[i].length > BlockX[best].length) &&
        i != 8 && i != 9)
      best = i;
  ASSERT_NE(best, BLOCKX_END);
  const FieldDescriptor& d = BlockX[best];
  std::string request = std::to_string(best) + " b";
  Bytes stored;
  for (unsigned k = 0; k < d.length; ++k) {
    request += " " + std::to_string(k + 1);
    stored.push_back(static_cast<unsigned char>(k + 1));
  }
  Board board(system_board());
  RunResult r = board.run({"-O", request});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(board.device(), with_bytes(board.image, address_of(d), stored));
}

// The first index (after the length word) of a compact table whose field takes 1..64 bytes.
uint32_t small_field(int16_t format) {
  const FieldDescriptor* t = testing::table_for(format);
  for (uint32_t i = 1; i <= testing::table_last(format); ++i)
    if (t[i].length >= 1 && t[i].length <= 64) return i;
  return 0;
}

TEST(SetField, CompactFormatsAddFormatBaseToTheFieldNumber) {
  const struct {
    int16_t format;
    std::string name;
    uint32_t base;
    Image image;
    uint32_t max_size;
  } rows[] = {
      {BRIEF, "brief", 0x2000, Image::brief(0x100), 0x100},
      {CFF3, "cff3", 0x3000, Image::cff3(0x100, 0x100), 0x100},
  };
  for (const auto& row : rows) {
    const uint32_t index = small_field(row.format);
    ASSERT_NE(index, 0u) << row.name;
    const FieldDescriptor& d = testing::table_for(row.format)[index];
    std::string good = std::to_string(index) + " b";
    Bytes stored;
    for (unsigned k = 0; k < d.length; ++k) {
      good += " 0xA" + std::to_string(k % 10);
      stored.push_back(static_cast<unsigned char>(0xA0 + k % 10));
    }
    FixtureDb db;
    db.add_fru(0, row.name, row.max_size, "comp", row.image.bytes());
    // The block does not change the base.
    RunResult r = db.run({"-b", "3", "-O", good});
    EXPECT_EQ(r.out, "") << row.name;
    EXPECT_EQ(r.status, 0) << row.name;
    const Bytes written = with_bytes(row.image.bytes(), address_of(d), stored);
    EXPECT_EQ(db.read_device("comp"), written) << row.name;

    r = db.run({"-O", good + " 0x01"});
    EXPECT_EQ(r.out, "ERROR: Input has length " + std::to_string(d.length + 1) + ", but expect " +
                         std::to_string(d.length) + " for field " +
                         std::to_string(row.base + index) + "\n")
        << row.name;
    EXPECT_EQ(r.status, 1) << row.name;
    EXPECT_EQ(db.read_device("comp"), written) << row.name;
  }
}

// ---------------------------------------------------------------------------------------------
// -g, -G: named fields

TEST(NamedFields, MtmAndSnFollowTheRecordLayout) {
  const struct {
    int layout;
    std::string name;
    uint32_t index;
    std::string current;
    std::string replacement;
  } rows[] = {
      {1, "mtm", 8, "9Q47ABX", "1234ABC"},
      {1, "sn", 9, "S000001", "S999999"},
      {2, "mtm", 0x38, "7X12CTO1WW", "7Y98CTO1WW"},
      {2, "sn", 0x39, "J30012345A", "J30099999Z"},
  };
  for (const auto& row : rows) {
    const std::string tag = row.name + " layout " + std::to_string(row.layout);
    for (const char* block : {"0", "3"}) {
      Board board(system_board(row.layout));
      RunResult r = board.run({"-b", block, "-g", row.name});
      EXPECT_EQ(r.out, row.current + "\n") << tag;
      EXPECT_EQ(r.status, 0) << tag;

      r = board.run({"-b", block, "-G", row.name + " s " + row.replacement});
      EXPECT_EQ(r.out, "") << tag;
      EXPECT_EQ(r.status, 0) << tag;
      EXPECT_EQ(board.device(), with_bytes(board.image, address_of(BlockX[row.index]),
                                           bytes_of(row.replacement)))
          << tag;
    }
  }
}

TEST(NamedFields, ByteFieldsPrintLikeTheirFieldNumber) {
  const struct {
    const char* name;
    const char* number;
  } rows[] = {{"hwrev", "16"}, {"uuid", "27"}, {"posid", "7"}, {"vpdid", "5"}};
  Image img = system_board();
  Bytes uuid;
  for (unsigned k = 0; k < BlockX[0x1B].length; ++k) uuid.push_back(static_cast<unsigned char>(0x11 * k));
  img.set_field(FULL, 0x1B, uuid);
  Bytes hwrev(BlockX[0x10].length, 0x5A);
  img.set_field(FULL, 0x10, hwrev);
  Board board(img);
  for (const auto& row : rows) {
    RunResult named = board.run({"-g", row.name});
    RunResult numbered = board.run({"-o", row.number});
    EXPECT_EQ(named.out, numbered.out) << row.name;
    EXPECT_NE(named.out, "") << row.name;
    EXPECT_EQ(named.status, 0) << row.name;
  }
}

TEST(NamedFields, GetUefiIdPrintsTheLibrarysText) {
  const FieldDescriptor& d = BlockX[0x51];
  ASSERT_GE(d.length, 9u);
  Image img = system_board();
  img.set_field(FULL, 0x51, bytes_of(std::string("UEFI-X1 \0Z", 10).substr(0, d.length)));
  Board board(img);
  RunResult r = board.run({"-g", "uefiid"});
  EXPECT_EQ(r.out, "UEFI-X1\n");
  EXPECT_EQ(r.status, 0);
}

TEST(NamedFields, UnknownNameDoesNothing) {
  Board board(system_board());
  for (const char* name : {"MTM", "Sn", "serial", ""}) {
    RunResult r = board.run({"-g", name});
    EXPECT_EQ(r.out, "") << name;
    EXPECT_EQ(r.status, 0) << name;
  }
}

TEST(NamedFields, SetPosidWritesTheUsageExample) {
  Image img = system_board();
  img.set_field(FULL, 7, {0x12, 0x12});
  Board board(img);
  RunResult r = board.run({"-G", "posid b 0x00 0x34"});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(board.device(), with_bytes(board.image, address_of(BlockX[7]), {0x00, 0x34}));
}

TEST(NamedFields, RefusedSetsLeaveTheDeviceUnchanged) {
  const struct {
    std::string request;
    std::string out;
    int status;
  } rows[] = {
      {"mtm b 1 2 3", "ERROR: mtm uses string input\n", 1},
      {"sn bytes 1", "ERROR: sn uses string input\n", 1},
      {"uefiid b 1", "ERROR: uefiid uses string input\n", 1},
      {"uuid s 1", "ERROR: uuid uses byte string input\n", 1},
      {"hwrev s 1", "ERROR: hwrev uses byte string input\n", 1},
      {"posid S 1", "ERROR: posid uses byte string input\n", 1},
      {"vpdid x 1", "ERROR: vpdid uses byte string input\n", 1},
      {"mtm s 9Q47ABX", "ERROR: Input has length 7, but expect 10 for field 56\n", 1},
      {"posid b 0x34", "ERROR: Input has length 1, but expect 2 for field 7\n", 1},
      {"mtm", "ERROR: Not enough input!\n", 1},
      {"nosuch", "ERROR: Not enough input!\n", 1},
      {"mtm s", "ERROR: Not enough input!\n", 1},
      {"nosuch s x", "", 0},
      {"MTM s 7Y98CTO1WW", "", 0},
  };
  for (const auto& row : rows) {
    Board board(system_board());
    RunResult r = board.run({"-G", row.request});
    EXPECT_EQ(r.out, row.out) << row.request;
    EXPECT_EQ(r.status, row.status) << row.request;
    EXPECT_EQ(board.device(), board.image) << row.request;
  }
}

TEST(NamedFields, OnlyFullRecordsAreServed) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } rows[] = {
      {{"-g", "mtm"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-G", "posid b 0x00 0x34"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-P"}, "Error: Only VPD_FORMAT_FULL vpd support this command.\n"},
  };
  for (const auto& row : rows) {
    FixtureDb db;
    const Image img = Image::cff3(0x100, 0x100);
    db.add_fru(0, "cff3", 0x100, "comp", img.bytes());
    RunResult r = db.run(row.args);
    EXPECT_EQ(r.out, row.out) << row.args[0];
    EXPECT_EQ(r.status, 1) << row.args[0];
    EXPECT_EQ(db.read_device("comp"), img.bytes()) << row.args[0];
  }
}

// ---------------------------------------------------------------------------------------------
// -P: platform id

TEST(PlatformId, VpdidHighPosidLow) {
  const struct {
    Bytes vpdid;
    Bytes posid;
    std::string out;
  } rows[] = {
      {{0x00, 0x01}, {0x00, 0x34}, "0x00010034\n"},
      {{0x00, 0x00}, {0x00, 0x00}, "0x00000000\n"},
      {{0xAB, 0xCD}, {0xEF, 0x01}, "0xabcdef01\n"},
      {{0xFF, 0xFF}, {0xFF, 0xFF}, "0xffffffff\n"},
  };
  for (const auto& row : rows) {
    Image img = system_board();
    img.set_field(FULL, 5, row.vpdid).set_field(FULL, 7, row.posid);
    Board board(img);
    for (const char* block : {"0", "5"}) {
      RunResult r = board.run({"-b", block, "-P"});
      EXPECT_EQ(r.out, row.out) << row.out << " block " << block;
      EXPECT_EQ(r.status, 0) << row.out;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// -s, -S: block-0 CRC

std::string crc_lines(uint32_t calculated, uint32_t stored) {
  return "Calculated CRC = 0x" + hex32(calculated) + "\nStored CRC     = 0x" + hex32(stored) + "\n";
}

uint32_t block0_crc(const Bytes& image) { return testing::reference_crc32(image.data(), 0x3FC); }

TEST(CheckCrc, ShowsBothValuesWithoutJudging) {
  Image img = system_board();
  img.set(0x3FC, be32(0x12345678));
  Board board(img);
  const uint32_t calculated = block0_crc(board.image);
  ASSERT_NE(calculated, 0x12345678u);
  RunResult r = board.run({"-s"});
  EXPECT_EQ(r.out, crc_lines(calculated, 0x12345678));
  EXPECT_EQ(r.status, 0);
  RunResult other_block = board.run({"-s", "-b", "3"});
  EXPECT_EQ(other_block.out, r.out);
  EXPECT_EQ(other_block.status, 0);
  EXPECT_EQ(board.device(), board.image);
}

TEST(CheckCrc, PrintsWithoutLeadingZeros) {
  // Vary a byte of block 0 until the CRC's top byte is 0 (one try in 256 on average).
  Image img = system_board();
  uint32_t crc = 0;
  for (unsigned salt = 0; salt < 0x10000; ++salt) {
    img.set(0x3F0, {static_cast<unsigned char>(salt >> 8), static_cast<unsigned char>(salt)});
    crc = block0_crc(img.bytes());
    if ((crc >> 24) == 0) break;
  }
  ASSERT_EQ(crc >> 24, 0u);
  img.set(0x3FC, be32(crc));
  Board board(img);
  RunResult r = board.run({"-s"});
  EXPECT_EQ(r.out, crc_lines(crc, crc));
  EXPECT_LT(hex32(crc).size(), 8u);
  EXPECT_EQ(r.status, 0);
}

TEST(FixCrc, StoresTheCalculatedCrcAndNothingElse) {
  for (uint32_t stored : {0x12345678u, 0u}) {
    Image img = system_board();
    const uint32_t right = block0_crc(img.bytes());
    if (stored == 0) stored = right;  // already right: written all the same
    img.set(0x3FC, be32(stored));
    Board board(img);
    RunResult r = board.run({"-b", "2", "-S"});
    EXPECT_EQ(r.out, crc_lines(right, stored) + "New Stored CRC = 0x" + hex32(right) + "\n");
    EXPECT_EQ(r.status, 0);
    const Bytes after = board.device();
    EXPECT_EQ(after, with_bytes(board.image, 0x3FC, be32(right)));
    EXPECT_EQ(block0_crc(after), right);
    RunResult check = board.run({"-s"});
    EXPECT_EQ(check.out, crc_lines(right, right));
  }
}

TEST(FixCrc, RefusesRecordsWithoutABlock0Crc) {
  Image bad_length = system_board();
  bad_length.patch(1, 0xFD);
  const struct {
    std::string what;
    std::string format;
    Bytes image;
    uint32_t max_size;
    std::vector<std::string> args;
    std::string out;
  } rows[] = {
      {"brief", "brief", Image::brief(0x100).bytes(), 0x100, {"-S"},
       "CRC not supported for given vpd format\n"},
      {"cff3", "cff3", Image::cff3(0x100, 0x100).bytes(), 0x100, {"-S"},
       "CRC not supported for given vpd format\n"},
      {"bad length word", "full", bad_length.bytes(), FULL_SIZE, {"-y", "1024", "-S"},
       "CRC not calculated since VPD size is invalid\n"},
      {"short record", "full", system_board().bytes(), 0x3FF, {"-S"},
       "CRC not calculated since VPD size is invalid\n"},
      {"legacy layout", "full", system_board(1).bytes(), FULL_SIZE, {"-S"},
       "CRC not supported for given vpd version\n"},
  };
  for (const auto& row : rows) {
    FixtureDb db;
    db.add_fru(0, row.format, row.max_size, "dev", row.image);
    RunResult r = db.run(row.args);
    EXPECT_EQ(r.out, row.out) << row.what;
    EXPECT_EQ(r.status, 1) << row.what;
    EXPECT_EQ(db.read_device("dev"), row.image) << row.what;
  }
}

// ---------------------------------------------------------------------------------------------
// -e, -f: text-field conformance

std::string name_column(const char* name) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%45s: ", name);
  return buf;
}

std::string report(const FieldDescriptor& d, const std::string& old_text, const std::string& new_text) {
  return "old->" + name_column(d.name) + "[" + old_text + "]t\n" + "new->" + name_column(d.name) +
         "[" + new_text + "]t\n\n";
}

bool back_space_padded(const FieldDescriptor& d) {
  return takes_part(d) && d.pad == 0x20 && d.length >= 4;
}
bool front_padded(const FieldDescriptor& d) {
  return takes_part(d) && (d.pad & vpd_lib::VPD_PAD_FRONT) && d.length >= 4;
}
bool non_blank_padded(const FieldDescriptor& d) {
  return takes_part(d) && (d.pad & 0xFF) != 0x20 && d.length >= 4;
}
bool never_repaired(const FieldDescriptor& d) { return is_text(d) && d.pad == 0 && d.length >= 2; }

struct TextCase {
  std::string what;
  std::function<bool(const FieldDescriptor&)> field;
  // Given the field, the contents to store and the conforming form ("" when they conform).
  std::function<std::string(const FieldDescriptor&)> contents;
  std::function<std::string(const FieldDescriptor&)> conforming;
};

std::string pad_of(const FieldDescriptor& d, size_t n) { return std::string(n, char(d.pad & 0xFF)); }

std::vector<TextCase> text_cases() {
  const auto nuls = [](size_t n) { return std::string(n, '\0'); };
  return {
      {"back-padded AB and NULs", back_space_padded,
       [=](const FieldDescriptor& d) { return "AB" + nuls(d.length - 2); },
       [](const FieldDescriptor& d) { return "AB" + pad_of(d, d.length - 2); }},
      {"back-padded leading blanks", back_space_padded,
       [](const FieldDescriptor& d) { return "  AB" + std::string(d.length - 4, ' '); },
       [](const FieldDescriptor& d) { return "AB" + pad_of(d, d.length - 2); }},
      {"all NUL and blank", back_space_padded,
       [](const FieldDescriptor& d) {
         std::string s(d.length, ' ');
         for (size_t k = 0; k < s.size(); k += 2) s[k] = '\0';
         return s;
       },
       [](const FieldDescriptor& d) { return pad_of(d, d.length); }},
      {"all blank conforms", back_space_padded,
       [](const FieldDescriptor& d) { return std::string(d.length, ' '); },
       [](const FieldDescriptor&) { return std::string(); }},
      {"inner blank conforms", back_space_padded,
       [](const FieldDescriptor& d) { return "A B" + pad_of(d, d.length - 3); },
       [](const FieldDescriptor&) { return std::string(); }},
      {"front-padded 123 and NULs", front_padded,
       [=](const FieldDescriptor& d) { return "123" + nuls(d.length - 3); },
       [](const FieldDescriptor& d) { return pad_of(d, d.length - 3) + "123"; }},
      {"front-padded with its pad already", front_padded,
       [](const FieldDescriptor& d) { return pad_of(d, d.length - 3) + "123"; },
       [](const FieldDescriptor&) { return std::string(); }},
      {"front-padded text at the back", front_padded,
       [](const FieldDescriptor& d) { return "123" + std::string(d.length - 3, ' '); },
       [](const FieldDescriptor& d) { return pad_of(d, d.length - 3) + "123"; }},
      {"non-blank pad", non_blank_padded,
       [=](const FieldDescriptor& d) { return " AB" + nuls(d.length - 3); },
       [](const FieldDescriptor& d) {
         return (d.pad & vpd_lib::VPD_PAD_FRONT) ? pad_of(d, d.length - 2) + "AB"
                                                 : "AB" + pad_of(d, d.length - 2);
       }},
      {"pad word 0 never repaired", never_repaired,
       [=](const FieldDescriptor& d) { return "A" + nuls(d.length - 1); },
       [](const FieldDescriptor&) { return std::string(); }},
  };
}

TEST(TextConformance, ExamineReportsAndFixPrintsTheConformingForm) {
  for (const TextCase& c : text_cases()) {
    const uint32_t index = find_field(c.field);
    if (index == BLOCKX_END) {
      ADD_FAILURE() << c.what << ": the system table has no such text field";
      continue;
    }
    const FieldDescriptor& d = BlockX[index];
    const std::string block = std::to_string(block_of(index));
    const std::string contents = c.contents(d);
    const std::string conforming = c.conforming(d);
    Image img = system_board();
    img.set(address_of(d), bytes_of(contents));
    Board board(img);

    RunResult e = board.run({"-b", block, "-e"});
    EXPECT_EQ(e.out, conforming.empty() ? "" : report(d, contents, conforming)) << c.what;
    EXPECT_EQ(e.status, 0) << c.what;

    // -f prints what -p prints once the field holds its conforming form.
    RunResult f = board.run({"-b", block, "-f"});
    Image repaired = img;
    if (!conforming.empty()) repaired.set(address_of(d), bytes_of(conforming));
    Board expected_board(repaired);
    RunResult p = expected_board.run({"-b", block, "-p"});
    EXPECT_EQ(f.out, p.out) << c.what;
    EXPECT_NE(f.out, "") << c.what;
    EXPECT_EQ(f.status, 0) << c.what;
    if (!conforming.empty()) {
      RunResult unrepaired = board.run({"-b", block, "-p"});
      EXPECT_NE(f.out, unrepaired.out) << c.what;
    }
    EXPECT_EQ(board.device(), board.image) << c.what;
  }
}

TEST(TextConformance, ExamineIsSilentWhenEveryFieldConforms) {
  Board board(system_board());
  for (const char* block : {"0", "1", "2", "3", "4", "5"}) {
    RunResult r = board.run({"-b", block, "-e"});
    EXPECT_EQ(r.out, "") << block;
    EXPECT_EQ(r.status, 0) << block;
  }
}

TEST(TextConformance, FixRepairsEveryFieldOfTheBlockInMemoryOnly) {
  // A zero-filled system board: every repairable text field of every block holds only NULs.
  Image img = Image::full(2, FULL_SIZE);
  for (int block = 0; block < 6; ++block) {
    Image repaired = img;
    std::string expected_report;
    for (uint32_t i = BLOCK_FIRST[block]; i <= block_last(block); ++i) {
      if (!takes_part(BlockX[i])) continue;
      repaired.set(address_of(BlockX[i]), bytes_of(all_pad(BlockX[i])));
      expected_report += report(BlockX[i], std::string(BlockX[i].length, '\0'), all_pad(BlockX[i]));
    }
    Board board(img);
    Board expected_board(repaired);
    const std::string b = std::to_string(block);
    RunResult e = board.run({"-b", b, "-e"});
    EXPECT_EQ(e.out, expected_report) << "block " << b;
    RunResult f = board.run({"-b", b, "-f"});
    EXPECT_EQ(f.out, expected_board.run({"-b", b, "-p"}).out) << "block " << b;
    EXPECT_EQ(f.status, 0) << "block " << b;
    EXPECT_EQ(board.device(), img.bytes()) << "block " << b;
  }
}

}  // namespace
}  // namespace orvantis
