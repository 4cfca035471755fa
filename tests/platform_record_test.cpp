// The file-backed VPD library in-process, for what the tool cannot show: unknown field ids, raw
// ranges that wrap 32 bits, field writes reaching vpd_data, the legacy layout, field text forms,
// the CRC-32, and safe writes (a device lock other processes respect; writes that must read back).
// The inventory text and its errors, device loading, backups, raw block limits and the CRC support
// answers are replayed through the tool in tests/transcripts/platform_*.t.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "../platform/crc32.h"
#include "../platform/testing.h"
#include "support/fixture.h"

namespace {

using orvantis::testing::Bytes;
using orvantis::testing::Image;
using orvantis::testing::address_of;

constexpr unsigned kLegacyMtm = 8, kLegacySn = 9, kMtm = 0x38, kSn = 0x39;  // BlockX text fields
constexpr int16_t kFull = vpd_lib::VPD_FORMAT_FULL;

class Library : public ::testing::Test {
 protected:
  // Each test starts the library afresh on its own database.
  void SetUp() override { ::setenv("VPD_DB_ROOT", db.root().c_str(), 1); }
  void TearDown() override { vpd_platform::testing::reset_library(); }
  // The FRU's record, loaded on first use; null when it has none or it does not load.
  static vpd_lib::vpd* loaded(unsigned char fru) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(fru, true);
    return r && (r->vpd_data || r->load(0)) ? r : nullptr;
  }
  // vpd_data, and what it holds of a whole device image: the bytes up to the furthest field.
  static Bytes memory(const vpd_lib::vpd* r) { return Bytes(r->vpd_data, r->vpd_data + kData); }
  static Bytes held(Bytes image) { return image.resize(kData), image; }
  static inline const size_t kData = vpd_platform::testing::record_data_size();
  orvantis::testing::FixtureDb db;
};

TEST_F(Library, FieldIdsOutsideTheFormatsTableAreUnknown) {
  const char* formats[] = {"full", "brief", "cff3", "7"};
  const Image images[] = {Image::full(), Image::brief(), Image::cff3(0x40), Image::cff3(0x40)};
  for (unsigned i = 0; i < 4; ++i) db.add_fru(i, formats[i], 0x2000, formats[i], images[i].bytes());
  struct Row { unsigned char fru; uint32_t id; bool known; };
  const Row rows[] = {{0, 0xBC, true}, {0, 0xBD, false}, {0, 0x2000, false}, {0, 0x10000, false},
                      {0, 0x80000000, false}, {0, 0x7FFFFFFF, false}, {1, 0x2016, true}, {1, 0x2017, false},
                      {1, 0, false}, {1, 0x80002000, false}, {2, 0x3015, true}, {2, 0x3016, false},
                      {2, 0x2000, false}, {3, 0, false}, {3, 0x3000, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    vpd_lib::vpd* r = loaded(row.fru);
    ASSERT_NE(r, nullptr);
    unsigned char byte[1] = {};
    std::string text;
    EXPECT_EQ(r->get_field_size(row.id) < 0, !row.known);
    EXPECT_EQ(vpd_lib::vpd_read_field_size(row.fru, row.id) < 0, !row.known);
    EXPECT_EQ(r->read_field(row.id, 1, byte), row.known ? 1 : -1);  // known fields are longer
    EXPECT_EQ(r->read_field_to_string(text, row.id, 0, 0) < 0, !row.known);
    EXPECT_EQ(r->write_field(row.id, 1, byte, true), row.known ? 1 : -1);  // writes back what it read
  }
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(db.read_device(formats[i]), images[i].bytes()) << formats[i];
}

TEST_F(Library, RawRangesEndAtMaxSizeEvenWhenTheSumWraps) {
  db.add_line("0 yes full 0x2000 /dev/zero");  // no end of its own: only max_size bounds a range
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
  ASSERT_NE(r, nullptr);
  struct Row { uint32_t offset, length; bool ok; };
  const Row rows[] = {{0x1FE0, 0x20, true}, {0x1FF0, 0x20, false},  // at and past max_size
                      {0xFFFFFFF0, 0x20, false}, {0x10, 0xFFFFFFF8, false}};  // offset + length wraps to 0x10
  for (const Row& row : rows) {
    unsigned char zeros[0x20] = {};
    EXPECT_EQ(r->read_raw(row.offset, row.length, zeros) != 0, row.ok) << &row - rows;
    EXPECT_EQ(r->write_raw(row.offset, row.length, zeros, false) != 0, row.ok) << &row - rows;
  }
}

// Layout 1 keeps the 7-byte type-model and serial in fields 8 and 9; later layouts retire them.
TEST_F(Library, FieldWritesReachDeviceAndVpdDataInTheRecordsLayout) {
  for (int layout = 1; layout <= 3; ++layout)  // the FRU id is the layout
    db.add_fru(layout, "full", 0x2000, "l" + std::to_string(layout), Image::full(layout).bytes());
  struct Row { unsigned char layout; unsigned id; int size; };
  const Row rows[] = {{1, kLegacyMtm, 7}, {1, kLegacySn, 7}, {1, kSn, 10},
                      {2, kLegacyMtm, 0}, {2, kLegacySn, 0}, {3, kLegacySn, 0}};
  unsigned char data[] = "WWWWWWWWWWWW", copy[16];
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    vpd_lib::vpd* r = loaded(row.layout);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->get_field_size(row.id), row.size);
    EXPECT_EQ(vpd_lib::vpd_read_field_size(row.layout, row.id), row.size);
    EXPECT_EQ(r->read_field(row.id, 16, copy), row.size);
    EXPECT_EQ(r->write_field(row.id, 12, data, true), row.size);  // at most the field's bytes
  }
  for (int n : {2, 3}) EXPECT_EQ(db.read_device("l" + std::to_string(n)), Image::full(n).bytes()) << n;
  Image l1 = Image::full(1);
  l1.set_text(kFull, kLegacyMtm, "WWWWWWW").set_text(kFull, kLegacySn, "WWWWWWW");
  l1.set_text(kFull, kSn, "WWWWWWWWWW");
  EXPECT_EQ(db.read_device("l1"), l1.bytes());
  EXPECT_EQ(memory(loaded(1)), held(l1.bytes()));
}

TEST_F(Library, FieldToStringForms) {
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = loaded(0);
  ASSERT_NE(r, nullptr);
  struct Row { const char* stored; int mode, width; const char* text; };  // stored: the 10-byte field
  const Row rows[] = {{"01AB0000000000000000", 0, 0, "0x01AB0000000000000000"},
                      {"41420043440000000000", 4, 7, "AB"}, {"41422020202020202020", 4, 0, "AB"},
                      {"20204142202020202020", 4, 7, "  AB"}, {"41424344454647484950", 4, 7, "ABCDEFGHIP"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    const Bytes stored = orvantis::testing::hex_bytes(row.stored);
    std::memcpy(r->vpd_data + address_of(vpd_lib::BlockX[kMtm]), stored.data(), stored.size());
    std::string out = "old";
    EXPECT_GE(r->read_field_to_string(out, kMtm, row.mode, row.width), 0);
    EXPECT_EQ(out, row.text);
  }
}

TEST(Crc32, MatchesTheCheckValue) {
  EXPECT_EQ(vpd_platform::crc32(reinterpret_cast<const unsigned char*>("123456789"), 9), 0xCBF43926u);
}

// Safe writes: another descriptor or process holding the device's lock; devices that lose writes.

TEST_F(Library, WriteFailsAfterTheTimeoutWhileAnotherDescriptorHoldsTheLock) {
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = loaded(0);
  ASSERT_NE(r, nullptr);
  vpd_platform::testing::set_lock_timeout(50);
  for (int operation : {LOCK_EX, LOCK_SH}) {  // readers keep a writer out; a writer keeps readers out
    SCOPED_TRACE(operation == LOCK_EX ? "exclusive" : "shared");
    int fd = ::open(db.device_path("mb_vpd").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, operation | LOCK_NB), 0);
    unsigned char data[] = "LOCKEDOUT!";
    EXPECT_EQ(r->write_raw(0x100, 4, data, false), 0);
    EXPECT_EQ(r->write_field(kSn, 10, data, true), -1);
    EXPECT_EQ(r->read_raw(0, 2, data) != 0, operation == LOCK_SH);
    ::close(fd);
    EXPECT_EQ(db.read_device("mb_vpd"), Image::full().bytes());
    EXPECT_EQ(memory(r), held(Image::full().bytes()));
  }
}

TEST_F(Library, WriteWaitsForAnotherProcessToReleaseTheLock) {
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = loaded(0);
  ASSERT_NE(r, nullptr);
  vpd_platform::testing::set_lock_timeout(10000);
  int ready[2];
  unsigned char data[] = "AFTERWAIT!", taken = 0;
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {  // holds the lock until it exits, well after the parent starts writing
    int fd = ::open(db.device_path("mb_vpd").c_str(), O_RDWR);
    if (fd >= 0 && ::flock(fd, LOCK_EX) == 0 && ::write(ready[1], "L", 1) == 1) ::usleep(200000);
    ::_exit(0);
  }
  ::close(ready[1]);  // so that the read ends if the child never takes the lock
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  EXPECT_EQ(r->write_field(kSn, 10, data, true), 10);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(db.read_device("mb_vpd"), Image::full().set_text(kFull, kSn, "AFTERWAIT!").bytes());
}

TEST_F(Library, WriteThatDoesNotReadBackFailsAndKeepsVpdData) {
  const char* devices[] = {"/dev/zero", "/dev/full"};  // zeros read back; no room at all
  for (int i = 0; i < 2; ++i) db.add_line(std::to_string(i) + " yes full 0x2000 " + devices[i]);
  for (unsigned char fru = 0; fru < 2; ++fru) {
    SCOPED_TRACE(devices[fru]);
    vpd_lib::vpd* r = loaded(fru);
    ASSERT_NE(r, nullptr);
    unsigned char data[] = "VANISHES!!", zeros[10] = {};
    EXPECT_EQ(r->write_raw(0x200, 4, data, false), 0);
    EXPECT_EQ(r->write_field(kSn, 10, data, true), -1);
    EXPECT_EQ(vpd_lib::vpd_write_field(fru, kSn, 10, data, true), -1);
    EXPECT_EQ(memory(r), Bytes(kData, 0));
    EXPECT_EQ(r->write_field(kSn, 10, zeros, true), fru == 0 ? 10 : -1);  // what reads back counts
  }
}

}  // namespace
