// SPDX-License-Identifier: Apache-2.0
// The file-backed VPD library in-process, for what the tool cannot show: unknown field ids, raw
// ranges whose end wraps 32 bits, and a write that gives up when another process keeps the
// device's lock. The rest of the library is replayed through the tool in
// tests/transcripts/platform_*.t and under injected device faults in tests/device_faults_test.cpp.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "../platform/database.h"
#include "support/library_hooks.h"
#include "support/fixture.h"
#include "vpd_access/vpd.h"

namespace {

using orvantis::testing::Bytes;
using orvantis::testing::read_file;

constexpr unsigned kSn = 0x39;  // BlockX: System Serial Number

// The sample platform; each test starts the library afresh on its own copy.
class Library : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("VPD_DB_ROOT", db.root().c_str(), 1); }
  void TearDown() override {
    vpd_platform::testing::reset_library();
    vpd_platform::testing::use_device_env(nullptr);
  }
  // The FRU's record, loaded on first use; null when it has none or it does not load.
  static vpd_lib::vpd* loaded(unsigned char fru) {
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(fru, true);
    return r && (r->vpd_data || r->load(0)) ? r : nullptr;
  }
  orvantis::testing::SampleDb db;
};

// FRU 0 is a full record, 2 a brief one, 3 a compact one, 9 one of a format the library lacks.
TEST_F(Library, FieldIdsOutsideTheFormatsTableAreUnknown) {
  db.add_line("9 yes 7 0x200 psu1_vpd");
  const char* devices[] = {"dev/mb_vpd", "dev/ocp_vpd", "dev/psu1_vpd"};
  std::vector<Bytes> before;
  for (const char* d : devices) before.push_back(read_file(db.file(d)));
  struct Row { unsigned char fru; uint32_t id; bool known; };
  const Row rows[] = {{0, 0xBC, true}, {0, 0xBD, false}, {0, 0x2000, false}, {0, 0x10000, false},
                      {0, 0x80000000, false}, {0, 0x7FFFFFFF, false}, {2, 0x2016, true}, {2, 0x2017, false},
                      {2, 0, false}, {2, 0x80002000, false}, {3, 0x3015, true}, {3, 0x3016, false},
                      {3, 0x2000, false}, {9, 0, false}, {9, 0x3000, false}};
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
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(read_file(db.file(devices[i])), before[i]) << devices[i];
}

TEST_F(Library, RawRangesEndAtMaxSizeEvenWhenTheSumWraps) {
  db.add_line("9 yes full 0x2000 /dev/zero");  // no end of its own: only max_size bounds a range
  vpd_lib::vpd* r = vpd_lib::find_vpd_record(9, true);
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

// The test programs link the build tree's root, as the build tree's tool does.
TEST_F(Library, RootIsTheEnvironmentsUnlessUnsetOrEmpty) {
  const struct { const char* env; std::string root; } rows[] = {
      {"/srv/vpd", "/srv/vpd"}, {"", SAMPLE_DB_DIR}, {nullptr, SAMPLE_DB_DIR}};
  for (const auto& row : rows) {
    row.env ? ::setenv("VPD_DB_ROOT", row.env, 1) : ::unsetenv("VPD_DB_ROOT");
    EXPECT_EQ(vpd_platform::database_root(), row.root) << (row.env ? row.env : "unset");
  }
}

// An inventory line is at most 4096 bytes (its "\r\n" or "\n" aside) of UTF-8 text without control
// characters other than tab; the first byte that breaks this rejects the file with its line.
TEST_F(Library, InventoryLinesAreBoundedUtf8Text) {
  const std::string entry = "0 yes full 0x2000 mb_vpd ";
  const std::string filled = entry + std::string(4096 - entry.size(), 'x');
  const struct { std::string text, error; } rows[] = {
      {"Netzteil f\xC3\xBCr Einschub\t\xE2\x82\xAC \xF0\x9D\x84\x9E \xF4\x8F\xBF\xBF \xC2\xA0", ""},
      {filled + "\n", ""}, {filled + "\r\n", ""}, {filled + "y\n", "2: line longer than 4096 characters"},
      {"\xC2\x80", "2: control character U+0080"}, {"\xC2\x85", "2: control character U+0085"},
      {"\xC2\x9F", "2: control character U+009F"}, {"\x7F", "2: control byte 0x7F"},
      {"a\rb", "2: control byte 0x0D"}, {"\x1B[2J", "2: control byte 0x1B"},
      {"\xC0\xAF", "2: invalid UTF-8"}, {"\xC1\xBF", "2: invalid UTF-8"},          // overlong
      {"\xE0\x80\xAF", "2: invalid UTF-8"}, {"\xF0\x8F\xBF\xBF", "2: invalid UTF-8"},
      {"\xED\xA0\x80", "2: invalid UTF-8"}, {"\xED\xBF\xBF", "2: invalid UTF-8"},  // surrogates
      {"\xF4\x90\x80\x80", "2: invalid UTF-8"}, {"\xF5\x80\x80\x80", "2: invalid UTF-8"},  // past U+10FFFF
      {"\xE2\x82 ", "2: invalid UTF-8"}, {"\xE2\x82\n", "2: invalid UTF-8"},   // cut short
      {"\xE2\x82\r\n", "2: invalid UTF-8"}, {"\xF0\x9D\x84", "2: invalid UTF-8"},  // ... at the end
      {"\x80", "2: invalid UTF-8"}, {"\xFF", "2: invalid UTF-8"}};
  for (const auto& row : rows) {
    const std::string text = row.text.compare(0, entry.size(), entry) == 0 ? row.text : entry + row.text;
    orvantis::testing::write_file(db.file("inventory"), "# fru present format max_size device\n" + text);
    const vpd_platform::Inventory inv = vpd_platform::read_inventory(db.root());
    EXPECT_EQ(inv.error, row.error) << &row - rows;
    EXPECT_EQ(inv.status, row.error.empty() ? vpd_platform::INVENTORY_OK : vpd_platform::INVENTORY_INVALID) << &row - rows;
  }
}

TEST_F(Library, WriteFailsAfterTheTimeoutWhileAnotherDescriptorHoldsTheLock) {
  vpd_platform::DeviceEnv short_wait;
  short_wait.lock_timeout_ms = 50;
  vpd_platform::testing::use_device_env(&short_wait);
  const std::string device = db.file("dev/mb_vpd");
  const Bytes image = read_file(device);
  vpd_lib::vpd* r = loaded(0);
  ASSERT_NE(r, nullptr);
  const unsigned char* sn = r->vpd_data + vpd_lib::field_address(vpd_lib::BlockX[kSn]);
  const Bytes sn_before(sn, sn + 10);
  // Readers keep a writer out; a writer keeps readers out. Nothing is written, on the device or
  // in vpd_data.
  for (int operation : {LOCK_EX, LOCK_SH}) {
    SCOPED_TRACE(operation == LOCK_EX ? "exclusive" : "shared");
    int fd = ::open(device.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, operation | LOCK_NB), 0);
    unsigned char data[] = "LOCKEDOUT!";
    EXPECT_EQ(r->write_raw(0x100, 4, data, false), 0);
    EXPECT_EQ(r->write_field(kSn, 10, data, true), -1);
    EXPECT_EQ(r->read_raw(0, 2, data) != 0, operation == LOCK_SH);
    ::close(fd);
    EXPECT_EQ(read_file(device), image);
    EXPECT_EQ(Bytes(sn, sn + 10), sn_before);
  }
}

}  // namespace
