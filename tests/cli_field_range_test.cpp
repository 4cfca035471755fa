// Field ranges per record format and block.
#include <gtest/gtest.h>

#include "cli/open_record.h"

namespace orvantis {
namespace {

TEST(FieldRange, FullBlocksTileTheTableAndTheLastThreeShareOneRange) {
  uint32_t next = 0;
  for (int32_t block = 0; block <= 4; ++block) {
    SCOPED_TRACE(block);
    FieldRange r = field_range_for(vpd_lib::VPD_FORMAT_FULL, block);
    EXPECT_EQ(vpd_lib::BlockX, r.table);
    EXPECT_EQ(next, r.first);
    EXPECT_LE(r.first, r.last);
    next = r.last + 1;
  }
  EXPECT_EQ(0x4Cu, field_range_for(vpd_lib::VPD_FORMAT_FULL, 0).last);  // block 0 ends at its CRC
  for (int32_t block = 5; block <= 7; ++block) {
    SCOPED_TRACE(block);
    FieldRange r = field_range_for(vpd_lib::VPD_FORMAT_FULL, block);
    EXPECT_EQ(next, r.first);
    EXPECT_EQ(last_table_index(vpd_lib::VPD_FORMAT_FULL), r.last);
  }
}

TEST(FieldRange, CompactFormatsIgnoreTheBlock) {
  struct Row {
    int16_t format;
    const vpd_lib::FieldDescriptor* table;
    uint32_t first;
    uint32_t last;
  } rows[] = {
      {vpd_lib::VPD_FORMAT_BRIEF, vpd_lib::CompVPD_v3, 0x2000, 0x2016},
      {vpd_lib::VPD_FORMAT_CFF3, vpd_lib::CompVPD_cff3, 0x3000, 0x3015},
  };
  for (const Row& r : rows) {
    for (int32_t block = 0; block <= 7; ++block) {
      SCOPED_TRACE(testing::Message() << "format " << r.format << " block " << block);
      FieldRange got = field_range_for(r.format, block);
      EXPECT_EQ(r.table, got.table);
      EXPECT_EQ(r.first, got.first);
      EXPECT_EQ(r.last, got.last);
      EXPECT_EQ(r.last & 0xFFFu, last_table_index(r.format));
    }
  }
}

TEST(FieldRange, UnsupportedFormatOrBlockHasNoTable) {
  EXPECT_EQ(nullptr, field_range_for(3, 0).table);
  EXPECT_EQ(nullptr, field_range_for(-1, 0).table);
  EXPECT_EQ(nullptr, field_range_for(vpd_lib::VPD_FORMAT_FULL, 8).table);
  EXPECT_EQ(nullptr, field_range_for(vpd_lib::VPD_FORMAT_FULL, -1).table);
}

}  // namespace
}  // namespace orvantis
