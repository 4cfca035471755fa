// The VPD database of the file-backed library: root, inventory parsing and the inventory text.
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "../platform/database.h"
#include "../platform/testing.h"
#include "support/fixture.h"

namespace {

using orvantis::testing::FixtureDb;
using vpd_platform::Inventory;
using vpd_platform::parse_inventory;

class InventoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VPD_DB_ROOT", db.root().c_str(), 1);
    vpd_platform::testing::reset_library();
  }
  void TearDown() override { vpd_platform::testing::reset_library(); }

  void write_inventory(const std::string& text) {
    orvantis::testing::write_file(db.root() + "/inventory", text);
  }
  int fill(std::string* text) {
    std::stringstream out;
    int rc = vpd_db::fill_stream_with_vpd_info(&out);
    *text = out.str();
    return rc;
  }

  FixtureDb db;
};

TEST(InventoryParse, ReadsEveryColumnForm) {
  struct Row {
    const char* line;
    unsigned fru;
    bool present;
    int16_t format;
    uint32_t max_size;
    const char* device;
    const char* description;
  } rows[] = {
      {"0 yes full 0x2000 mb_vpd System board", 0, true, 0, 0x2000, "mb_vpd", "System board"},
      {"0x1F no brief 256 cpu0", 0x1F, false, 1, 256, "cpu0", ""},
      {"\t7\tyes\tcff3\t0X100\t/abs/dev  two   words \t", 7, true, 2, 0x100, "/abs/dev",
       "two   words"},
      {"255 yes -32768 0xFFFFFFFF d x", 255, true, -32768, 0xFFFFFFFFu, "d", "x"},
      {"0xff yes 32767 0 d x", 255, true, 32767, 0, "d", "x"},
      {"  010 yes 2 4294967295 d", 10, true, 2, 0xFFFFFFFFu, "d", ""},
  };
  for (const Row& row : rows) {
    Inventory inv = parse_inventory(std::string(row.line) + "\n");
    ASSERT_EQ(inv.status, 0) << row.line;
    ASSERT_EQ(inv.entries.size(), 1u) << row.line;
    const vpd_platform::InventoryEntry& e = inv.entries[0];
    EXPECT_EQ(e.fru, row.fru) << row.line;
    EXPECT_EQ(e.present, row.present) << row.line;
    EXPECT_EQ(e.format, row.format) << row.line;
    EXPECT_EQ(e.max_size, row.max_size) << row.line;
    EXPECT_EQ(e.device, row.device) << row.line;
    EXPECT_EQ(e.description, row.description) << row.line;
  }
}

TEST(InventoryParse, RejectsMalformedLines) {
  const char* bad[] = {
      "256 yes full 0x400 d",         // fru id past a byte
      "0x100 yes full 0x400 d",
      "-1 yes full 0x400 d",
      "+1 yes full 0x400 d",
      "1x yes full 0x400 d",          // trailing junk
      "0x yes full 0x400 d",
      "1 maybe full 0x400 d",
      "1 YES full 0x400 d",
      "1 yes FULL 0x400 d",
      "1 yes huge 0x400 d",
      "1 yes 32768 0x400 d",          // format code past 16 bits
      "1 yes -32769 0x400 d",
      "1 yes 0x2 0x400 d",            // format codes are decimal
      "1 yes full 0x100000000 d",     // max_size past 32 bits
      "1 yes full 4294967296 d",
      "1 yes full 99999999999999999999 d",
      "1 yes full 12k d",
      "1 yes full 0x400",             // no device
      "1 yes full",
      "1",
  };
  for (const char* line : bad) {
    Inventory inv = parse_inventory(std::string("0 yes full 0x400 good\n") + line + "\n");
    EXPECT_EQ(inv.status, -22) << line;
    EXPECT_TRUE(inv.entries.empty()) << line;
  }
}

TEST(InventoryParse, IgnoresCommentsAndBlankLines) {
  Inventory inv = parse_inventory("# header\n\n   \t\n  # indented comment\n3 yes full 1024 d\n");
  ASSERT_EQ(inv.status, 0);
  ASSERT_EQ(inv.entries.size(), 1u);
  EXPECT_EQ(inv.entries[0].fru, 3u);
}

TEST(InventoryParse, DuplicateIdRejectsWholeInventory) {
  Inventory inv = parse_inventory("1 yes full 1024 a\n2 yes full 1024 b\n0x01 no brief 256 c\n");
  EXPECT_EQ(inv.status, -22);
  EXPECT_TRUE(inv.entries.empty());
}

TEST_F(InventoryTest, MissingInventoryGivesMinus2AndNoRecord) {
  ::unlink((db.root() + "/inventory").c_str());
  std::string text;
  EXPECT_EQ(fill(&text), -2);
  EXPECT_EQ(vpd_lib::find_vpd_record(0, true), nullptr);
}

TEST_F(InventoryTest, InventoryThatIsADirectoryGivesMinus2) {
  ::unlink((db.root() + "/inventory").c_str());
  ASSERT_EQ(::mkdir((db.root() + "/inventory").c_str(), 0755), 0);
  std::string text;
  EXPECT_EQ(fill(&text), -2);
}

TEST_F(InventoryTest, UnparsableInventoryGivesMinus22AndNoRecord) {
  const char* inventories[] = {
      "0 yes full 0x2000 mb_vpd\n1 yes full 0x2000 second\n1 no brief 256 again\n",
      "0 yes full 0x2000 mb_vpd\n256 yes full 0x2000 big\n",
      "0 yes full 0x2000 mb_vpd\n5 yes full size dev\n",
  };
  for (const char* inventory : inventories) {
    vpd_platform::testing::reset_library();
    write_inventory(inventory);
    std::string text;
    EXPECT_EQ(fill(&text), -22) << inventory;
    EXPECT_EQ(vpd_lib::find_vpd_record(0, true), nullptr) << inventory;
  }
}

TEST_F(InventoryTest, TextListsFrusInIdOrderInAlignedColumns) {
  write_inventory(
      "# test\n"
      "0x10 yes cff3 256 /abs/fru16 Power supply\n"
      "2 no brief 0x100 cpu\n"
      "0 yes full 8192 mb_vpd System board\n"
      "7 yes -3 1024 odd\n");
  std::string text;
  ASSERT_EQ(fill(&text), 0);
  EXPECT_EQ(text,
            "FRU  PRESENT  FORMAT  MAX_SIZE  DEVICE      DESCRIPTION\n"
            "0    yes      full    0x2000    mb_vpd      System board\n"
            "2    no       brief   0x100     cpu\n"
            "7    yes      -3      0x400     odd\n"
            "16   yes      cff3    0x100     /abs/fru16  Power supply");
}

TEST_F(InventoryTest, EmptyInventoryIsHeaderOnly) {
  write_inventory("");
  std::string text;
  ASSERT_EQ(fill(&text), 0);
  EXPECT_EQ(text, "FRU  PRESENT  FORMAT  MAX_SIZE  DEVICE  DESCRIPTION");
}

TEST_F(InventoryTest, RootComesFromEnvironmentElseBuildDefault) {
  EXPECT_EQ(vpd_platform::database_root(), db.root());
  ::setenv("VPD_DB_ROOT", "", 1);
  EXPECT_EQ(vpd_platform::database_root(), SAMPLE_DB_DIR);
  ::unsetenv("VPD_DB_ROOT");
  EXPECT_EQ(vpd_platform::database_root(), SAMPLE_DB_DIR);
}

TEST_F(InventoryTest, InventoryIsReadOncePerProcess) {
  db.add_line("4 yes brief 256 comp");
  ASSERT_NE(vpd_lib::find_vpd_record(4, true), nullptr);
  write_inventory("");  // later changes are not seen until the library is reset
  EXPECT_NE(vpd_lib::find_vpd_record(4, true), nullptr);
  vpd_platform::testing::reset_library();
  EXPECT_EQ(vpd_lib::find_vpd_record(4, true), nullptr);
}

}  // namespace
