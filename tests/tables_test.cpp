// Properties of the three field descriptor tables that the printer, the converter, the field list
// and the named fields rely on. The sample platform built from them is shown in print_sample.t.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vpd_access/vpd.h"

namespace {

using namespace vpd_lib;

struct TableRow { const char* label; const FieldDescriptor* table; uint32_t last, block_bytes; };
const TableRow kTables[] = {
    {"BlockX", BlockX, 0xBC, 0x400}, {"CompVPD_v3", CompVPD_v3, 0x16, 0x100}, {"CompVPD_cff3", CompVPD_cff3, 0x15, 0x100}};

TEST(Tables, FieldsAreNamedSizedInsideTheirBlockAndNeverOverlap) {
  const uint16_t fixed_size[] = {0, 1, 2, 4, 0, 0, 0, 32, 6};
  const uint32_t block_starts[] = {0x4D, 0x8D, 0xA1, 0xB0, 0xB8};  // the ranges of -b 1 to 5
  for (const TableRow& t : kTables) {
    std::vector<std::vector<char>> used(6, std::vector<char>(t.block_bytes));
    for (uint32_t i = 0; i <= t.last; ++i) {
      const FieldDescriptor& d = t.table[i];
      const std::string at = std::string(t.label) + "[" + std::to_string(i) + "]";
      // The converter reads a name from its first non-blank character to the first ":".
      ASSERT_TRUE(d.name != nullptr && *d.name != '\0' && *d.name != ' ' && !std::strchr(d.name, ':')) << at;
      ASSERT_LE(d.kind, uint32_t{VPD_FIELD_MAC}) << at;
      if (fixed_size[d.kind] != 0) { EXPECT_EQ(d.length, fixed_size[d.kind]) << at; }
      // A block's range walks exactly that block's fields; component records have one block.
      const auto block = t.table != BlockX ? 0 : std::upper_bound(block_starts, block_starts + 5, i) - block_starts;
      ASSERT_EQ(d.block, block) << at;
      ASSERT_LE(d.offset + d.length, t.block_bytes) << at;
      for (uint32_t b = d.offset; b < uint32_t{d.offset} + d.length; ++b)
        EXPECT_FALSE(std::exchange(used[d.block][b], 1)) << at << " overlaps at byte " << b;
    }
  }
}

TEST(Tables, SystemVpdHasEveryKindAndEveryTextPadding) {
  std::set<std::string> shapes;
  for (uint32_t i = 0; i <= 0xBC; ++i) {
    const FieldDescriptor& d = BlockX[i];
    shapes.insert("kind " + std::to_string(d.kind));
    if (d.kind == VPD_FIELD_HEX && d.length > 16) shapes.insert("hex over 16 bytes");
    if (d.kind == VPD_FIELD_TEXT) shapes.insert(d.pad == 0 ? "never repaired" : d.pad & VPD_PAD_FRONT ? "front" : "back");
    // A blank field prints without brackets; block 0 must print and convert back unchanged.
    EXPECT_FALSE(d.kind == VPD_FIELD_BLANK && d.block == 0) << "BlockX[" << i << "]";
  }
  EXPECT_EQ(shapes.size(), 9u + 4u);  // kinds 0 to 8, long hex, three kinds of padding
}

// The entries the tool addresses by number: the length words and layout byte it checks, the named
// fields of -g/-G/-P, and the block-0 CRC in the last four bytes of block 0.
TEST(Tables, FixedEntriesHoldTheFieldsTheToolAddresses) {
  const uint32_t ANY = 0xFFFF;  // the field may sit anywhere in its block
  enum : uint32_t { HEX = VPD_FIELD_HEX, BYTE = VPD_FIELD_BYTE, WORD = VPD_FIELD_WORD, DWORD = VPD_FIELD_DWORD, TEXT = VPD_FIELD_TEXT };
  struct Row { const FieldDescriptor* table; uint32_t index, block, offset, length, kind; } rows[] = {
      {BlockX, 0x00, 0, 0, 2, WORD},    {BlockX, 0x01, 0, 2, 1, BYTE},       {BlockX, 0x05, 0, ANY, 2, HEX},
      {BlockX, 0x07, 0, ANY, 2, HEX},   {BlockX, 0x08, 0, ANY, 7, TEXT},     {BlockX, 0x09, 0, ANY, 7, TEXT},
      {BlockX, 0x10, 0, ANY, 1, BYTE},  {BlockX, 0x1B, 0, ANY, 16, HEX},     {BlockX, 0x38, 0, ANY, 10, TEXT},
      {BlockX, 0x39, 0, ANY, 10, TEXT}, {BlockX, 0x4C, 0, 0x3FC, 4, DWORD},  {BlockX, 0x51, 1, ANY, 16, TEXT},
      {CompVPD_v3, 0x00, 0, 0, 2, WORD}, {CompVPD_cff3, 0x00, 0, 0, 2, HEX},
  };
  for (const Row& r : rows) {
    const FieldDescriptor& d = r.table[r.index];
    EXPECT_EQ(std::vector<uint32_t>({d.block, r.offset == ANY ? ANY : d.offset, d.length, d.kind}),
              std::vector<uint32_t>({r.block, r.offset, r.length, r.kind})) << "entry " << r.index;
  }
}

}  // namespace
