// Properties of the three field descriptor tables that the printer, the converter, the field list
// and the named fields depend on, and of the sample platform built from them.
#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixture.h"
#include "vpd_access/vpd.h"

namespace orvantis {
namespace {

using vpd_lib::FieldDescriptor;

struct TableRow {
  const char* label;
  const FieldDescriptor* table;
  uint32_t last;         // last index the tool walks
  uint32_t block_bytes;  // every field must end inside its block
};

const TableRow kTables[] = {
    {"BlockX", vpd_lib::BlockX, 0xBC, 0x400},
    {"CompVPD_v3", vpd_lib::CompVPD_v3, 0x16, 0x100},
    {"CompVPD_cff3", vpd_lib::CompVPD_cff3, 0x15, 0x100},
};

// The bytes a kind always occupies, or 0 when the descriptor's length decides.
uint32_t fixed_size(uint32_t kind) {
  switch (kind) {
    case vpd_lib::VPD_FIELD_BYTE: return 1;
    case vpd_lib::VPD_FIELD_WORD: return 2;
    case vpd_lib::VPD_FIELD_DWORD: return 4;
    case vpd_lib::VPD_FIELD_TAGGED_TEXT: return 32;
    case vpd_lib::VPD_FIELD_MAC: return 6;
    default: return 0;
  }
}

std::string where(const TableRow& t, uint32_t i) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s[0x%02X]", t.label, i);
  return buf;
}

TEST(Tables, EveryEntryHasAKnownKindAndALengthThatMatchesIt) {
  for (const TableRow& t : kTables) {
    for (uint32_t i = 0; i <= t.last; ++i) {
      const FieldDescriptor& d = t.table[i];
      EXPECT_LE(d.kind, vpd_lib::VPD_FIELD_MAC) << where(t, i);
      if (uint32_t size = fixed_size(d.kind)) {
        EXPECT_EQ(d.length, size) << where(t, i);
      } else {
        EXPECT_GT(d.length, 0u) << where(t, i);
      }
      EXPECT_EQ(d.reserved, 0u) << where(t, i);
    }
  }
}

TEST(Tables, EveryFieldLiesInsideItsBlock) {
  for (const TableRow& t : kTables)
    for (uint32_t i = 0; i <= t.last; ++i)
      EXPECT_LE(uint32_t{t.table[i].offset} + t.table[i].length, t.block_bytes) << where(t, i);
}

TEST(Tables, NoTwoFieldsOfOneBlockOverlap) {
  for (const TableRow& t : kTables) {
    struct Span {
      uint32_t block, begin, end, index;
    };
    std::vector<Span> spans;
    for (uint32_t i = 0; i <= t.last; ++i) {
      const FieldDescriptor& d = t.table[i];
      spans.push_back({d.block, d.offset, uint32_t{d.offset} + d.length, i});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
      return a.block != b.block ? a.block < b.block : a.begin < b.begin;
    });
    for (size_t k = 1; k < spans.size(); ++k) {
      if (spans[k].block != spans[k - 1].block) continue;
      EXPECT_LE(spans[k - 1].end, spans[k].begin)
          << where(t, spans[k - 1].index) << " overlaps " << where(t, spans[k].index);
    }
  }
}

// Each block's fields are the ones its field range walks, so -p of a block prints that block.
TEST(Tables, SystemVpdFieldsSitInTheBlockOfTheirRange) {
  struct Range {
    uint32_t first, last, block;
  } ranges[] = {
      {0x00, 0x4C, 0}, {0x4D, 0x8C, 1}, {0x8D, 0xA0, 2},
      {0xA1, 0xAF, 3}, {0xB0, 0xB7, 4}, {0xB8, 0xBC, 5},
  };
  for (const Range& r : ranges)
    for (uint32_t i = r.first; i <= r.last; ++i)
      EXPECT_EQ(vpd_lib::BlockX[i].block, r.block) << where(kTables[0], i);
  for (const TableRow& t : {kTables[1], kTables[2]})
    for (uint32_t i = 0; i <= t.last; ++i) EXPECT_EQ(t.table[i].block, 0u) << where(t, i);
}

// Names are what the converter matches a printout line against, and what the printer right-aligns.
TEST(Tables, EveryEntryHasAPrintableNameTheConverterCanReadBack) {
  for (const TableRow& t : kTables) {
    std::set<std::string> seen;
    for (uint32_t i = 0; i <= t.last; ++i) {
      const char* name = t.table[i].name;
      ASSERT_NE(name, nullptr) << where(t, i);
      std::string s(name);
      ASSERT_FALSE(s.empty()) << where(t, i);
      EXPECT_NE(s.front(), ' ') << where(t, i) << " \"" << s << "\"";
      EXPECT_NE(s.back(), ' ') << where(t, i) << " \"" << s << "\"";
      EXPECT_EQ(s.find_first_of(":[]#"), std::string::npos) << where(t, i) << " \"" << s << "\"";
      for (char c : s) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << where(t, i) << " \"" << s << "\"";
      EXPECT_TRUE(seen.insert(s).second) << where(t, i) << " repeats \"" << s << "\"";
    }
  }
}

TEST(Tables, ExactlyOneSystemVpdNameOverflowsTheNameColumn) {
  for (const TableRow& t : kTables) {
    int long_names = 0;
    for (uint32_t i = 0; i <= t.last; ++i)
      if (std::strlen(t.table[i].name) > 45) ++long_names;
    EXPECT_EQ(long_names, t.table == vpd_lib::BlockX ? 1 : 0) << t.label;
  }
}

TEST(Tables, SystemVpdHasEveryKindAndNoBlankFieldInBlockZero) {
  std::set<uint32_t> kinds;
  bool long_hex = false;
  for (uint32_t i = 0; i <= 0xBC; ++i) {
    const FieldDescriptor& d = vpd_lib::BlockX[i];
    kinds.insert(d.kind);
    if (d.kind == vpd_lib::VPD_FIELD_HEX && d.length > 16) long_hex = true;
    // The printout shows a blank field without brackets; block 0 must print and convert back
    // to the same bytes, so it has none.
    if (d.block == 0) {
      EXPECT_NE(d.kind, vpd_lib::VPD_FIELD_BLANK) << where(kTables[0], i);
    }
  }
  for (uint32_t k = vpd_lib::VPD_FIELD_HEX; k <= vpd_lib::VPD_FIELD_MAC; ++k)
    EXPECT_EQ(kinds.count(k), 1u) << "kind " << k;
  EXPECT_TRUE(long_hex) << "no hex field longer than one 16-byte printout line";
}

TEST(Tables, PadWordsAreTextOnlyAndCoverEveryPaddingStyle) {
  int back = 0, front = 0, never = 0;
  for (const TableRow& t : kTables) {
    for (uint32_t i = 0; i <= t.last; ++i) {
      const FieldDescriptor& d = t.table[i];
      if (d.kind != vpd_lib::VPD_FIELD_TEXT) {
        EXPECT_EQ(d.pad, 0u) << where(t, i);
        continue;
      }
      EXPECT_EQ(d.pad & ~(vpd_lib::VPD_PAD_FRONT | 0xFFu), 0u) << where(t, i);
      if (d.pad == 0)
        ++never;
      else if (d.pad & vpd_lib::VPD_PAD_FRONT)
        ++front;
      else
        ++back;
      if (d.pad != 0) {
        EXPECT_NE(d.pad & 0xFFu, 0u) << where(t, i) << ": pad flag without a character";
      }
    }
  }
  EXPECT_GT(back, 0);
  EXPECT_GT(front, 0);
  EXPECT_GT(never, 0);
}

// The entries the tool addresses by number: the length word and layout byte it checks, the named
// fields of -g/-G/-P, and the block-0 CRC.
TEST(Tables, FixedEntriesHoldTheFieldsTheToolAddresses) {
  struct Row {
    const char* what;
    const FieldDescriptor* table;
    uint32_t index, block;
    int offset;  // -1: anywhere in the block
    uint32_t length, kind;
  } rows[] = {
      {"length word", vpd_lib::BlockX, 0x00, 0, 0x000, 2, vpd_lib::VPD_FIELD_WORD},
      {"layout version", vpd_lib::BlockX, 0x01, 0, 0x002, 1, vpd_lib::VPD_FIELD_BYTE},
      {"vpdid", vpd_lib::BlockX, 0x05, 0, -1, 2, vpd_lib::VPD_FIELD_HEX},
      {"posid", vpd_lib::BlockX, 0x07, 0, -1, 2, vpd_lib::VPD_FIELD_HEX},
      {"legacy mtm", vpd_lib::BlockX, 0x08, 0, -1, 7, vpd_lib::VPD_FIELD_TEXT},
      {"legacy sn", vpd_lib::BlockX, 0x09, 0, -1, 7, vpd_lib::VPD_FIELD_TEXT},
      {"hwrev", vpd_lib::BlockX, 0x10, 0, -1, 1, vpd_lib::VPD_FIELD_BYTE},
      {"uuid", vpd_lib::BlockX, 0x1B, 0, -1, 16, vpd_lib::VPD_FIELD_HEX},
      {"mtm", vpd_lib::BlockX, 0x38, 0, -1, 10, vpd_lib::VPD_FIELD_TEXT},
      {"sn", vpd_lib::BlockX, 0x39, 0, -1, 10, vpd_lib::VPD_FIELD_TEXT},
      {"block-0 crc", vpd_lib::BlockX, 0x4C, 0, 0x3FC, 4, vpd_lib::VPD_FIELD_DWORD},
      {"uefiid", vpd_lib::BlockX, 0x51, 1, -1, 16, vpd_lib::VPD_FIELD_TEXT},
      {"brief length word", vpd_lib::CompVPD_v3, 0x00, 0, 0x000, 2, vpd_lib::VPD_FIELD_WORD},
      {"cff3 length word", vpd_lib::CompVPD_cff3, 0x00, 0, 0x000, 2, vpd_lib::VPD_FIELD_HEX},
  };
  for (const Row& r : rows) {
    const FieldDescriptor& d = r.table[r.index];
    EXPECT_EQ(d.block, r.block) << r.what;
    if (r.offset >= 0) {
      EXPECT_EQ(d.offset, r.offset) << r.what;
    }
    EXPECT_EQ(d.length, r.length) << r.what;
    EXPECT_EQ(d.kind, r.kind) << r.what;
  }
}

// The CRC covers block 0 up to its own first byte, so it must be the block's last field.
TEST(Tables, BlockZeroCrcIsTheLastFieldOfBlockZero) {
  for (uint32_t i = 0; i < 0x4C; ++i)
    EXPECT_LE(vpd_lib::BlockX[i].offset + vpd_lib::BlockX[i].length, 0x3FC) << where(kTables[0], i);
}

TEST(Tables, FixtureLookupFindsFieldsByTheirExactName) {
  struct Row {
    int16_t format;
    const char* name;
    uint32_t index;
  } rows[] = {
      {vpd_lib::VPD_FORMAT_FULL, "Machine Type-Model", 0x38},
      {vpd_lib::VPD_FORMAT_FULL, "System Serial Number", 0x39},
      {vpd_lib::VPD_FORMAT_FULL, "System UUID", 0x1B},
      {vpd_lib::VPD_FORMAT_FULL, "Block 0 CRC", 0x4C},
      {vpd_lib::VPD_FORMAT_BRIEF, "VPD Length", 0x00},
      {vpd_lib::VPD_FORMAT_CFF3, "CFF Length", 0x00},
  };
  for (const Row& r : rows)
    EXPECT_EQ(testing::index_of(r.format, r.name), r.index) << r.name;
}

// The sample platform the build generates: what the README and the end-to-end tests rely on.
struct SampleDevice {
  const char* device;
  size_t size;
  const char* head;  // first bytes, as hex: the length word the tool checks, then the layout byte
};

const SampleDevice kSampleDevices[] = {
    {"mb_vpd", 0x2000, "03FE02"},
    {"mb_vpd.backup", 0x400, "03FE02"},
    {"riser_vpd", 0x800, "03FE01"},
    {"ocp_vpd", 0x100, "FE00"},
    {"psu1_vpd", 0x200, "0001"},  // 0x0100, little-endian
};

std::string sample_path(const std::string& device) {
  return std::string(SAMPLE_DB_DIR) + "/dev/" + device;
}

TEST(SamplePlatform, DevicesHaveTheirSizeAndTheLengthWordsTheToolAccepts) {
  for (const SampleDevice& s : kSampleDevices) {
    testing::Bytes image = testing::read_file(sample_path(s.device));
    EXPECT_EQ(image.size(), s.size) << s.device;
    testing::Bytes head = testing::hex_bytes(s.head);
    ASSERT_GE(image.size(), head.size()) << s.device;
    EXPECT_TRUE(std::equal(head.begin(), head.end(), image.begin())) << s.device;
  }
  EXPECT_FALSE(testing::file_exists(sample_path("psu2_vpd"))) << "the empty bay has no device";
}

TEST(SamplePlatform, SystemBoardsCarryACorrectBlockZeroCrc) {
  for (const char* device : {"mb_vpd", "mb_vpd.backup", "riser_vpd"}) {
    testing::Bytes image = testing::read_file(sample_path(device));
    ASSERT_GE(image.size(), 0x400u) << device;
    uint32_t crc = testing::reference_crc32(image.data(), 0x3FC);
    uint32_t stored = uint32_t{image[0x3FC]} << 24 | uint32_t{image[0x3FD]} << 16 |
                      uint32_t{image[0x3FE]} << 8 | image[0x3FF];
    EXPECT_EQ(stored, crc) << device;
  }
}

TEST(SamplePlatform, BackupCopyDiffersFromTheSystemBoardOnlyInUpdateCountSerialAndCrc) {
  testing::Bytes main_image = testing::read_file(sample_path("mb_vpd"));
  testing::Bytes backup = testing::read_file(sample_path("mb_vpd.backup"));
  ASSERT_EQ(main_image.size(), 0x2000u);
  ASSERT_EQ(backup.size(), 0x400u);
  std::set<uint32_t> changed;
  for (uint32_t a = 0; a < 0x400; ++a)
    if (main_image[a] != backup[a]) {
      for (uint32_t i = 0; i <= 0x4C; ++i) {
        const FieldDescriptor& d = vpd_lib::BlockX[i];
        if (a >= d.offset && a < uint32_t{d.offset} + d.length) changed.insert(i);
      }
    }
  const int16_t full = vpd_lib::VPD_FORMAT_FULL;
  EXPECT_EQ(changed, (std::set<uint32_t>{testing::index_of(full, "VPD Update Count"),
                                         testing::index_of(full, "Planar Serial Number"), 0x4C}));
}

// Fields without a value hold their empty form, so an unedited printout converts back to the
// same bytes: blank fields 0x20, empty tagged slots 0x20 throughout, zero fields 0x00.
TEST(SamplePlatform, SystemBoardHoldsTheEmptyFormOfValuelessFields) {
  testing::Bytes image = testing::read_file(sample_path("mb_vpd"));
  ASSERT_EQ(image.size(), 0x2000u);
  int blank = 0, zero = 0;
  for (uint32_t i = 0; i <= 0xBC; ++i) {
    const FieldDescriptor& d = vpd_lib::BlockX[i];
    uint32_t a = testing::address_of(d);
    testing::Bytes bytes(image.begin() + a, image.begin() + a + d.length);
    if (d.kind == vpd_lib::VPD_FIELD_BLANK) {
      ++blank;
      EXPECT_EQ(bytes, testing::Bytes(d.length, 0x20)) << where(kTables[0], i);
    } else if (d.kind == vpd_lib::VPD_FIELD_ZERO) {
      ++zero;
      EXPECT_EQ(bytes, testing::Bytes(d.length, 0x00)) << where(kTables[0], i);
    } else if (d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT && bytes[0] == 0x20) {
      EXPECT_EQ(bytes, testing::Bytes(32, 0x20)) << where(kTables[0], i);
    } else if (d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT) {
      // A used slot must hold a NUL among its text bytes, or it would print 31 characters and a
      // "|" that read back as 33 bytes.
      EXPECT_NE(std::find(bytes.begin() + 1, bytes.end(), 0x00), bytes.end())
          << where(kTables[0], i);
    }
  }
  EXPECT_GT(blank, 0);
  EXPECT_GT(zero, 0);
}

// -e and -f have something to show on the sample: these two block-0 text fields are stored
// followed by NUL bytes instead of their padding.
TEST(SamplePlatform, SystemBoardHasTwoTextFieldsThatBreakTheirPadding) {
  testing::Bytes image = testing::read_file(sample_path("mb_vpd"));
  ASSERT_EQ(image.size(), 0x2000u);
  std::set<std::string> broken;
  for (uint32_t i = 0; i <= 0x4C; ++i) {
    const FieldDescriptor& d = vpd_lib::BlockX[i];
    if (d.kind != vpd_lib::VPD_FIELD_TEXT || d.pad == 0) continue;
    std::string value(image.begin() + d.offset, image.begin() + d.offset + d.length);
    if (value.find('\0') != std::string::npos) broken.insert(d.name);
  }
  EXPECT_EQ(broken, (std::set<std::string>{"Asset Tag", "Planar Build Sequence"}));
}

TEST(SamplePlatform, InventoryListsEveryFruWithAHexMaxSize) {
  testing::Bytes text = testing::read_file(std::string(SAMPLE_DB_DIR) + "/inventory");
  std::istringstream in(testing::string_of(text));
  struct Row {
    std::string fru, present, format, max_size, device;
  };
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    Row r;
    std::string description;
    words >> r.fru >> r.present >> r.format >> r.max_size >> r.device >> description;
    EXPECT_FALSE(description.empty()) << line;
    EXPECT_EQ(r.max_size.compare(0, 2, "0x"), 0) << line;
    rows.push_back(r);
  }
  const char* expected[][4] = {
      {"0", "yes", "full", "mb_vpd"},  {"1", "yes", "full", "riser_vpd"},
      {"2", "yes", "brief", "ocp_vpd"}, {"3", "yes", "cff3", "psu1_vpd"},
      {"4", "no", "cff3", "psu2_vpd"},
  };
  ASSERT_EQ(rows.size(), 5u);
  for (size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k].fru, expected[k][0]) << "line " << k;
    EXPECT_EQ(rows[k].present, expected[k][1]) << "line " << k;
    EXPECT_EQ(rows[k].format, expected[k][2]) << "line " << k;
    EXPECT_EQ(rows[k].device, expected[k][3]) << "line " << k;
  }
}

}  // namespace
}  // namespace orvantis
