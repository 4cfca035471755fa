// Records of the file-backed library: loading, device resolution, raw access, fields and the
// block-0 CRC.
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "../platform/crc32.h"
#include "../platform/testing.h"
#include "support/fixture.h"

namespace {

using orvantis::testing::Bytes;
using orvantis::testing::FixtureDb;
using orvantis::testing::Image;
using orvantis::testing::bytes_of;
using orvantis::testing::hex_bytes;
using orvantis::testing::read_file;
using orvantis::testing::reference_crc32;

// Fixed BlockX entries the library's layout rule and CRC rely on.
constexpr unsigned kLegacyMtm = 8, kLegacySn = 9, kMtm = 0x38, kSn = 0x39, kCrc = 0x4C;

class RecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VPD_DB_ROOT", db.root().c_str(), 1);
    vpd_platform::testing::reset_library();
    mtm_address = orvantis::testing::address_of(vpd_lib::BlockX[kMtm]);
  }
  void TearDown() override { vpd_platform::testing::reset_library(); }

  // FRU 0: a full layout-2 record of 8 blocks on device mb_vpd.
  vpd_lib::vpd* full_record(Image image = Image::full(), uint32_t max_size = 0x2000) {
    db.add_fru(0, "full", max_size, "mb_vpd", image.bytes());
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
    EXPECT_NE(r, nullptr);
    return r;
  }
  vpd_lib::vpd* loaded_full(Image image = Image::full(), uint32_t max_size = 0x2000) {
    vpd_lib::vpd* r = full_record(image, max_size);
    EXPECT_TRUE(r && r->load(0));
    return r;
  }

  FixtureDb db;
  uint32_t mtm_address = 0;
};

TEST_F(RecordTest, FindGivesOneRecordPerFruAndNullWhenAbsent) {
  db.add_line("0 yes full 0x2000 mb_vpd System");
  db.add_line("9 no brief 256 cpu");
  vpd_lib::vpd* first = vpd_lib::find_vpd_record(0, true);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(vpd_lib::find_vpd_record(0, false), first);
  EXPECT_EQ(first->dev_name, "mb_vpd");
  EXPECT_EQ(first->format, vpd_lib::VPD_FORMAT_FULL);
  EXPECT_EQ(first->max_size, 0x2000u);
  EXPECT_EQ(first->vpd_data, nullptr);
  EXPECT_NE(vpd_lib::find_vpd_record(9, true), nullptr);  // not present still has a record
  EXPECT_EQ(vpd_lib::find_vpd_record(1, true), nullptr);
}

TEST_F(RecordTest, LoadFailsWithoutUsableDevice) {
  struct Row {
    const char* name;
    const char* line;
  } rows[] = {
      {"not present", "1 no full 0x2000 present_file"},
      {"missing device file", "2 yes full 0x2000 nowhere"},
      {"directory", "3 yes full 0x2000 a_dir"},
      {"empty file", "4 yes full 0x2000 empty"},
      {"fifo", "5 yes full 0x2000 a_fifo"},
      {"max_size 0", "6 yes full 0 present_file"},
  };
  db.write_device("present_file", Image::full().bytes());
  db.write_device("empty", Bytes());
  ASSERT_EQ(::mkdir(db.device_path("a_dir").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(db.device_path("a_fifo").c_str(), 0644), 0);
  for (const Row& row : rows) db.add_line(row.line);
  for (unsigned fru = 1; fru <= 6; ++fru) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(static_cast<unsigned char>(fru), true);
    ASSERT_NE(r, nullptr) << rows[fru - 1].name;
    EXPECT_FALSE(r->load(0)) << rows[fru - 1].name;
    EXPECT_EQ(r->vpd_data, nullptr) << rows[fru - 1].name;
    unsigned char b[2];
    EXPECT_EQ(r->read_raw(0, 2, b), 0) << rows[fru - 1].name;
  }
}

TEST_F(RecordTest, LoadReadsAtMostMaxSizeIntoZeroFilledBuffer) {
  struct Row {
    uint32_t file_size;
    uint32_t max_size;
    uint32_t last_read;  // last byte that comes from the device
  } rows[] = {{0x300, 0x2000, 0x2FF}, {0x800, 0x200, 0x1FF}, {0x1, 0x400, 0x0}};
  for (const Row& row : rows) {
    vpd_platform::testing::reset_library();
    FixtureDb fresh;
    ::setenv("VPD_DB_ROOT", fresh.root().c_str(), 1);
    fresh.add_fru(0, "full", row.max_size, "d", Bytes(row.file_size, 0xAA));
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
    ASSERT_TRUE(r && r->load(0)) << row.file_size;
    EXPECT_EQ(r->vpd_data[row.last_read], 0xAA) << row.file_size;
    EXPECT_EQ(r->vpd_data[row.last_read + 1], 0x00) << row.file_size;
    EXPECT_EQ(r->vpd_data[0x3FF], 0x00) << row.file_size;  // block 0 is always there
  }
}

TEST_F(RecordTest, EveryFieldOfEveryFormatLiesInsideVpdData) {
  // A one-block device: fields past it read as zeros instead of outside the buffer.
  db.add_fru(0, "full", 0x2000, "f", Image::full(2, 0x400).bytes());
  db.add_fru(1, "brief", 0x100, "b", Image::brief(0x10).bytes());
  db.add_fru(2, "cff3", 0x100, "c", Image::cff3(4, 4).bytes());
  struct Row {
    unsigned char fru;
    uint32_t base;
    uint32_t last;
  } rows[] = {{0, 0, 0xBC}, {1, 0x2000, 0x16}, {2, 0x3000, 0x15}};
  for (const Row& row : rows) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(row.fru, true);
    ASSERT_TRUE(r && r->load(0)) << int{row.fru};
    for (uint32_t i = 0; i <= row.last; ++i) {
      const vpd_lib::FieldDescriptor& d = orvantis::testing::table_for(r->format)[i];
      Bytes buf(0x10000, 0x5A);
      int n = r->read_field(row.base + i, 0x10000, buf.data());
      ASSERT_GE(n, 0) << int{row.fru} << " index " << i;
      if (orvantis::testing::address_of(d) >= 0x400) {
        EXPECT_EQ(Bytes(buf.begin(), buf.begin() + n), Bytes(n, 0)) << "index " << i;
      }
    }
  }
}

TEST_F(RecordTest, BackupCopyIsReadAndWrittenWhenSelected) {
  Image main_image = Image::full(), backup_image = Image::full();
  backup_image.set(mtm_address, bytes_of("BACKUP"));
  vpd_lib::vpd* r = full_record(main_image);
  db.write_device("mb_vpd.backup", backup_image.bytes());
  r->use_backup = true;
  r->max_size = 0x400;
  ASSERT_TRUE(r->load(0));
  EXPECT_EQ(std::memcmp(r->vpd_data + mtm_address, "BACKUP", 6), 0);
  unsigned char text[] = "NEWVAL";
  ASSERT_EQ(r->write_field(kMtm, 6, text, true), 6);
  EXPECT_EQ(db.read_device("mb_vpd"), main_image.bytes());
  backup_image.set(mtm_address, bytes_of("NEWVAL"));
  EXPECT_EQ(db.read_device("mb_vpd.backup"), backup_image.bytes());
}

TEST_F(RecordTest, RenamedDeviceIsResolvedAtLoad) {
  Image backup = Image::full();
  backup.set(mtm_address, bytes_of("VPDB"));
  db.add_fru(0, "full", 0x2000, "planar", Image::full().bytes());
  db.write_device("VPDb", backup.bytes());
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
  ASSERT_NE(r, nullptr);
  r->dev_name = "VPDb";
  ASSERT_TRUE(r->load(0));
  EXPECT_EQ(std::memcmp(r->vpd_data + mtm_address, "VPDB", 4), 0);
}

TEST_F(RecordTest, AbsoluteDevicePathIsUsedAsIs) {
  Image image = Image::full();
  image.set(mtm_address, bytes_of("ABSOLUTE"));
  std::string path = db.scratch("elsewhere.bin");
  orvantis::testing::write_file(path, image.bytes());
  db.add_line("0 yes full 0x2000 " + path + " outside dev");
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
  ASSERT_TRUE(r && r->load(0));
  EXPECT_EQ(std::memcmp(r->vpd_data + mtm_address, "ABSOLUTE", 8), 0);
}

TEST_F(RecordTest, RawReadStaysInsideMaxSizeAndFile) {
  Bytes image(0x1000);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 7);
  db.add_fru(0, "full", 0x800, "big", image);  // file longer than max_size
  db.add_fru(1, "full", 0x2000, "short", Bytes(image.begin(), image.begin() + 0x400));
  vpd_lib::vpd* big = vpd_lib::find_vpd_record(0, true);
  vpd_lib::vpd* small = vpd_lib::find_vpd_record(1, true);
  struct Row {
    vpd_lib::vpd* record;
    uint32_t offset;
    uint32_t length;
    bool ok;
  } rows[] = {
      {big, 0x7FE, 2, true},          {big, 0x800, 0, true},      {big, 0x7FF, 2, false},
      {big, 0x800, 1, false},         {big, 0xFFFFFFFF, 2, false}, {big, 2, 0xFFFFFFFF, false},
      {small, 0x3FE, 2, true},        {small, 0x3FF, 2, false},  {small, 0x400, 1, false},
  };
  for (const Row& row : rows) {
    unsigned char buf[2] = {0xEE, 0xEE};
    int ok = row.record->read_raw(row.offset, row.length, row.length <= 2 ? buf : nullptr);
    EXPECT_EQ(ok != 0, row.ok) << std::hex << row.offset << "+" << row.length;
    if (row.ok && row.length == 2) {
      EXPECT_EQ(buf[0], image[row.offset]) << std::hex << row.offset;
      EXPECT_EQ(buf[1], image[row.offset + 1]) << std::hex << row.offset;
    }
  }
}

TEST_F(RecordTest, RawWriteStaysInsideMaxSizeAndFileWithoutTouchingVpdData) {
  Bytes image(0x1000, 0x11);
  db.add_fru(0, "full", 0x800, "big", image);
  db.add_fru(1, "full", 0x2000, "short", Bytes(0x400, 0x11));
  vpd_lib::vpd* big = vpd_lib::find_vpd_record(0, true);
  vpd_lib::vpd* small = vpd_lib::find_vpd_record(1, true);
  ASSERT_TRUE(big->load(0) && small->load(0));
  struct Row {
    vpd_lib::vpd* record;
    const char* device;
    uint32_t offset;
    bool ok;
  } rows[] = {
      {big, "big", 0x7FE, true},   {big, "big", 0x7FF, false},     {big, "big", 0x800, false},
      {big, "big", 0xFFFFFFFF, false},
      {small, "short", 0x3FE, true}, {small, "short", 0x3FF, false}, {small, "short", 0x400, false},
  };
  for (const Row& row : rows) {
    Bytes before = db.read_device(row.device);
    unsigned char data[2] = {0xC0, 0xDE};
    int ok = row.record->write_raw(row.offset, 2, data, false);
    EXPECT_EQ(ok != 0, row.ok) << row.device << " " << std::hex << row.offset;
    Bytes after = db.read_device(row.device);
    ASSERT_EQ(after.size(), before.size()) << row.device << " " << std::hex << row.offset;
    if (row.ok) {
      before[row.offset] = 0xC0;
      before[row.offset + 1] = 0xDE;
    }
    EXPECT_EQ(after, before) << row.device << " " << std::hex << row.offset;
  }
  EXPECT_EQ(big->vpd_data[0x7FE], 0x11);
  EXPECT_EQ(small->vpd_data[0x3FE], 0x11);
  unsigned char data[1] = {1};
  EXPECT_EQ(big->write_raw(2, 0xFFFFFFFF, data, false), 0);  // offset + length wraps 32 bits
}

TEST_F(RecordTest, RawRangeWrappingPast32BitsIsRefused) {
  // A character device has no length of its own: only max_size bounds the range.
  db.add_line("0 yes full 0x2000 /dev/zero endless");
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
  ASSERT_NE(r, nullptr);
  unsigned char buf[0x20] = {};
  struct Row {
    uint32_t offset;
    uint32_t length;
    bool ok;
  } rows[] = {{0x1FE0, 0x20, true}, {0x1FF0, 0x20, false}, {0xFFFFFFF0, 0x20, false},
              {0xFFFFFFFF, 0x2, false}};
  for (const Row& row : rows) {
    EXPECT_EQ(r->read_raw(row.offset, row.length, buf) != 0, row.ok) << std::hex << row.offset;
    if (!row.ok) {
      EXPECT_EQ(r->write_raw(row.offset, row.length, buf, false), 0) << std::hex << row.offset;
    }
  }
}

TEST_F(RecordTest, UnknownFieldIdsAreRefusedByEveryOperation) {
  db.add_fru(0, "full", 0x2000, "f", Image::full().bytes());
  db.add_fru(1, "brief", 0x100, "b", Image::brief().bytes());
  db.add_fru(2, "cff3", 0x100, "c", Image::cff3(0x40).bytes());
  db.add_fru(3, "7", 0x100, "c", Image::cff3(0x40).bytes());
  struct Row {
    unsigned char fru;
    uint32_t id;
    bool known;
  } rows[] = {
      {0, 0, true},           {0, 0xBC, true},        {0, 0xBD, false},      {0, 0x100, false},
      {0, 0x2000, false},     {0, 0x3000, false},     {0, 0x80000000, false}, {0, 0x7FFFFFFF, false},
      {0, 0xFFFFFFFF, false}, {0, 0x10000, false},
      {1, 0x2000, true},      {1, 0x2016, true},      {1, 0x2017, false},     {1, 0, false},
      {1, 0x3000, false},     {1, 0x80002000, false},
      {2, 0x3000, true},      {2, 0x3015, true},      {2, 0x3016, false},     {2, 0x2000, false},
      {2, 0x7FFFFFFF, false},
      {3, 0, false},          {3, 0x3000, false},     {3, 0x2000, false},
  };
  for (const Row& row : rows) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(row.fru, true);
    ASSERT_TRUE(r && (r->vpd_data || r->load(0))) << int{row.fru};
    unsigned char buf[0x40] = {};
    std::string text = "unchanged";
    if (row.known) {
      EXPECT_GE(r->get_field_size(row.id), 0) << std::hex << row.id;
      EXPECT_GE(r->read_field(row.id, 1, buf), 0) << std::hex << row.id;
      EXPECT_GE(r->read_field_to_string(text, row.id, 0, 0), 2) << std::hex << row.id;
    } else {
      EXPECT_EQ(r->get_field_size(row.id), -1) << std::hex << row.id;
      EXPECT_EQ(r->read_field(row.id, 1, buf), -1) << std::hex << row.id;
      EXPECT_EQ(r->write_field(row.id, 1, buf, true), -1) << std::hex << row.id;
      EXPECT_EQ(r->read_field_to_string(text, row.id, 0, 0), -1) << std::hex << row.id;
      EXPECT_EQ(vpd_lib::vpd_read_field_size(row.fru, row.id), -1) << std::hex << row.id;
    }
  }
}

TEST_F(RecordTest, ReadFieldCopiesAtMostTheField) {
  Image image = Image::full();
  image.set(mtm_address, bytes_of("ABCDEFGHIJKL"));  // two bytes past the 10-byte field
  vpd_lib::vpd* r = loaded_full(image);
  Bytes buf(16, '.');
  EXPECT_EQ(r->read_field(kMtm, 4, buf.data()), 4);
  EXPECT_EQ(buf, bytes_of("ABCD............"));
  EXPECT_EQ(r->read_field(kMtm, 16, buf.data()), 10);
  EXPECT_EQ(buf, bytes_of("ABCDEFGHIJ......"));
  EXPECT_EQ(r->read_field(kMtm, 0, buf.data()), 0);
}

TEST_F(RecordTest, WriteFieldReachesFileAndVpdData) {
  vpd_lib::vpd* r = loaded_full();
  Bytes expected = db.read_device("mb_vpd");
  unsigned char data[] = "0123456789XY";
  EXPECT_EQ(r->write_field(kSn, 12, data, true), 10);  // only the field's 10 bytes
  uint32_t sn = orvantis::testing::address_of(vpd_lib::BlockX[kSn]);
  std::copy(data, data + 10, expected.begin() + sn);
  EXPECT_EQ(db.read_device("mb_vpd"), expected);
  EXPECT_EQ(Bytes(r->vpd_data, r->vpd_data + 0x2000), expected);
}

TEST_F(RecordTest, FieldWriteThroughFruLoadsRecordOnFirstUse) {
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  db.add_line("1 no full 0x2000 mb_vpd absent");
  unsigned char data[] = "SERIAL0001";
  EXPECT_EQ(vpd_lib::vpd_write_field(0, kSn, 10, data, true), 10);
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
  ASSERT_NE(r->vpd_data, nullptr);
  uint32_t sn = orvantis::testing::address_of(vpd_lib::BlockX[kSn]);
  EXPECT_EQ(std::memcmp(r->vpd_data + sn, data, 10), 0);
  Bytes device = db.read_device("mb_vpd");
  EXPECT_EQ(Bytes(device.begin() + sn, device.begin() + sn + 10), Bytes(data, data + 10));
  EXPECT_EQ(vpd_lib::vpd_read_field_size(0, kSn), 10);
  EXPECT_EQ(vpd_lib::vpd_write_field(1, kSn, 10, data, true), -1);
  EXPECT_EQ(vpd_lib::vpd_read_field_size(1, kSn), -1);
  EXPECT_EQ(vpd_lib::vpd_write_field(2, kSn, 10, data, true), -1);
  EXPECT_EQ(vpd_lib::vpd_read_field_size(2, kSn), -1);
}

TEST_F(RecordTest, LegacyFieldsRetireFromLayoutTwo) {
  struct Row {
    int layout;
    unsigned id;
    int size;
  } rows[] = {
      {1, kLegacyMtm, 7}, {1, kLegacySn, 7}, {1, kMtm, 10}, {1, kSn, 10},
      {2, kLegacyMtm, 0}, {2, kLegacySn, 0}, {2, kMtm, 10}, {2, kSn, 10},
      {3, kLegacyMtm, 0}, {0, kLegacyMtm, 7},
  };
  for (const Row& row : rows) {
    vpd_platform::testing::reset_library();
    FixtureDb fresh;
    ::setenv("VPD_DB_ROOT", fresh.root().c_str(), 1);
    Image image = Image::full(row.layout);
    image.set_text(vpd_lib::VPD_FORMAT_FULL, kLegacyMtm, "LEGACY7");
    fresh.add_fru(0, "full", 0x2000, "mb_vpd", image.bytes());
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
    ASSERT_TRUE(r && r->load(0));
    std::string tag = "layout " + std::to_string(row.layout) + " id " + std::to_string(row.id);
    EXPECT_EQ(r->get_field_size(row.id), row.size) << tag;
    EXPECT_EQ(vpd_lib::vpd_read_field_size(0, row.id), row.size) << tag;
    unsigned char buf[16];
    EXPECT_EQ(r->read_field(row.id, 16, buf), row.size) << tag;
    unsigned char data[16];
    std::memset(data, 'W', sizeof data);
    EXPECT_EQ(r->write_field(row.id, 16, data, true), row.size) << tag;
    uint32_t address = orvantis::testing::address_of(vpd_lib::BlockX[row.id]);
    Bytes device = fresh.read_device("mb_vpd");
    if (row.size == 0) {
      EXPECT_EQ(device, image.bytes()) << tag;
    } else {
      EXPECT_EQ(device[address + row.size - 1], 'W') << tag;
    }
  }
}

TEST(Crc32, MatchesTheCheckValue) {
  const unsigned char text[] = "123456789";
  EXPECT_EQ(vpd_platform::crc32(text, 9), 0xCBF43926u);
  EXPECT_EQ(reference_crc32(text, 9), 0xCBF43926u);
  EXPECT_EQ(vpd_platform::crc32(text, 0), 0u);
}

TEST_F(RecordTest, Block0CrcIsCalculatedStoredAndWritten) {
  Image image = Image::full();
  image.set_text(vpd_lib::VPD_FORMAT_FULL, kMtm, "7X21CTO1WW");
  image.set(0x3FC, hex_bytes("DEADBEEF"));
  image.patch(0x400, 0x77);  // block 1 does not count
  vpd_lib::vpd* r = loaded_full(image);
  uint32_t expected = reference_crc32(image.bytes().data(), 0x3FC);
  EXPECT_EQ(r->calcBlock0CRC32(), expected);
  EXPECT_EQ(r->getBlock0CRC32(), 0xDEADBEEFu);
  ASSERT_EQ(r->isBlock0CRCSupported(), 1);
  unsigned char out[4] = {};
  r->returnVPDBlock0CRC32(out);
  EXPECT_EQ(out[0], expected >> 24);
  EXPECT_EQ(out[3], expected & 0xFF);
  EXPECT_EQ(r->write_field(kCrc, 4, out, true), 4);
  EXPECT_EQ(r->getBlock0CRC32(), expected);
  image.fix_crc();
  EXPECT_EQ(db.read_device("mb_vpd"), image.bytes());
}

TEST_F(RecordTest, Block0CrcSupportAnswers) {
  struct Row {
    const char* name;
    const char* format;
    uint32_t max_size;
    Image image;
    int answer;
  } rows[] = {
      {"full layout 2", "full", 0x2000, Image::full(2), 1},
      {"full layout 9, one block", "full", 0x400, Image::full(9, 0x400), 1},
      {"brief", "brief", 0x2000, Image::full(2), -1},
      {"cff3", "cff3", 0x2000, Image::full(2), -1},
      {"code 7", "7", 0x2000, Image::full(2), -1},
      {"max_size below a block", "full", 0x3FF, Image::full(2), -2},
      {"length word swapped", "full", 0x2000, Image::full(2).patch(0, 0xFE).patch(1, 0x03), -2},
      {"length word 0x3FF", "full", 0x2000, Image::full(2).patch(1, 0xFF), -2},
      {"layout 1", "full", 0x2000, Image::full(1), -3},
      {"layout 0", "full", 0x2000, Image::full(0), -3},
  };
  unsigned fru = 0;
  for (const Row& row : rows) {
    db.add_fru(fru, row.format, row.max_size, "d" + std::to_string(fru), row.image.bytes());
    ++fru;
  }
  fru = 0;
  for (const Row& row : rows) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(static_cast<unsigned char>(fru), true);
    ASSERT_TRUE(r && r->load(0)) << row.name;
    EXPECT_EQ(r->isBlock0CRCSupported(), row.answer) << row.name;
    ++fru;
  }
}

TEST_F(RecordTest, FieldToStringForms) {
  struct Row {
    const char* stored;  // hex of the 10-byte field
    int mode;
    int width;
    const char* text;
  } rows[] = {
      {"01AB0000000000000000", 0, 0, "0x01AB0000000000000000"},
      {"01AB0000000000000000", 0, 7, "0x01AB0000000000000000"},
      {"01AB0000000000000000", 2, 0, "0x01AB0000000000000000"},
      {"41420043440000000000", 4, 0, "AB"},
      {"41422020202020202020", 4, 7, "AB"},
      {"20204142202020202020", 4, 0, "  AB"},
      {"41424344454647484950", 4, 0, "ABCDEFGHIP"},
      {"00414243444546474849", 4, 0, ""},
  };
  Image image = Image::full();
  vpd_lib::vpd* r = loaded_full(image);
  for (const Row& row : rows) {
    Bytes stored = hex_bytes(row.stored);
    std::memcpy(r->vpd_data + mtm_address, stored.data(), stored.size());
    std::string out = "old";
    int n = r->read_field_to_string(out, kMtm, row.mode, row.width);
    EXPECT_EQ(out, row.text) << row.stored << " mode " << row.mode;
    EXPECT_EQ(n, static_cast<int>(out.size())) << row.stored << " mode " << row.mode;
  }
}

}  // namespace
