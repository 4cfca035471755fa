// Safe writes of the file-backed library: device locks, and writes that must read back.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "../platform/testing.h"
#include "support/fixture.h"

namespace {

using orvantis::testing::Bytes;
using orvantis::testing::FixtureDb;
using orvantis::testing::Image;

constexpr unsigned kSn = 0x39;  // BlockX: 10-byte serial number text

class SafeWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VPD_DB_ROOT", db.root().c_str(), 1);
    vpd_platform::testing::reset_library();
    vpd_platform::testing::set_lock_timeout(50);
  }
  void TearDown() override {
    vpd_platform::testing::reset_library();
    vpd_platform::testing::set_lock_timeout(3000);
  }

  vpd_lib::vpd* record_on(const std::string& device_line) {
    db.add_line("0 yes full 0x2000 " + device_line + " test FRU");
    vpd_lib::vpd* r = vpd_lib::find_vpd_record(0, true);
    EXPECT_TRUE(r && r->load(0));
    return r;
  }

  // Holds a flock lock on the device through a second descriptor, as another process would.
  int hold_lock(const std::string& device, int operation) {
    int fd = ::open(db.device_path(device).c_str(), O_RDONLY);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::flock(fd, operation | LOCK_NB), 0);
    return fd;
  }

  FixtureDb db;
};

TEST_F(SafeWriteTest, WriteFailsWhileAnotherHolderKeepsTheLock) {
  db.write_device("mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = record_on("mb_vpd");
  ASSERT_NE(r, nullptr);
  Bytes before = db.read_device("mb_vpd");
  Bytes memory(r->vpd_data, r->vpd_data + 0x2000);
  const int operations[] = {LOCK_EX, LOCK_SH};  // a reader blocks a writer too
  for (int operation : operations) {
    int fd = hold_lock("mb_vpd", operation);
    unsigned char data[] = "LOCKEDOUT!";
    EXPECT_EQ(r->write_raw(0x100, 4, data, false), 0) << operation;
    EXPECT_EQ(r->write_field(kSn, 10, data, true), -1) << operation;
    EXPECT_EQ(vpd_lib::vpd_write_field(0, kSn, 10, data, true), -1) << operation;
    ::close(fd);
    EXPECT_EQ(db.read_device("mb_vpd"), before) << operation;
    EXPECT_EQ(Bytes(r->vpd_data, r->vpd_data + 0x2000), memory) << operation;
  }
}

TEST_F(SafeWriteTest, ReadsShareTheLockButWaitForAWriter) {
  db.write_device("mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = record_on("mb_vpd");
  ASSERT_NE(r, nullptr);
  unsigned char buf[2];
  int shared = hold_lock("mb_vpd", LOCK_SH);
  EXPECT_NE(r->read_raw(0, 2, buf), 0);
  EXPECT_TRUE(r->load(0));
  ::close(shared);
  int exclusive = hold_lock("mb_vpd", LOCK_EX);
  EXPECT_EQ(r->read_raw(0, 2, buf), 0);
  EXPECT_FALSE(r->load(0));
  ::close(exclusive);
  EXPECT_NE(r->read_raw(0, 2, buf), 0);
}

TEST_F(SafeWriteTest, WriteWaitsForAnotherProcessToReleaseTheLock) {
  db.write_device("mb_vpd", Image::full().bytes());
  vpd_lib::vpd* r = record_on("mb_vpd");
  ASSERT_NE(r, nullptr);
  vpd_platform::testing::set_lock_timeout(10000);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int fd = ::open(db.device_path("mb_vpd").c_str(), O_RDWR);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    if (::write(ready[1], "L", 1) != 1) ::_exit(1);
    ::usleep(200 * 1000);  // the parent's write must wait this out
    ::_exit(0);            // exiting releases the lock
  }
  ::close(ready[1]);
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ::close(ready[0]);
  unsigned char data[] = "AFTERWAIT!";
  EXPECT_EQ(r->write_field(kSn, 10, data, true), 10);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  uint32_t sn = orvantis::testing::address_of(vpd_lib::BlockX[kSn]);
  Bytes device = db.read_device("mb_vpd");
  EXPECT_EQ(Bytes(device.begin() + sn, device.begin() + sn + 10), Bytes(data, data + 10));
}

TEST_F(SafeWriteTest, WriteToAFullDeviceFailsAndKeepsVpdData) {
  vpd_lib::vpd* r = record_on("/dev/full");
  ASSERT_NE(r, nullptr);
  r->vpd_data[0x200] = 0x42;  // distinguishable from what /dev/full reads
  Bytes memory(r->vpd_data, r->vpd_data + 0x2000);
  unsigned char data[] = "NOROOMHERE";
  EXPECT_EQ(r->write_raw(0x200, 4, data, false), 0);
  EXPECT_EQ(r->write_field(kSn, 10, data, true), -1);
  EXPECT_EQ(Bytes(r->vpd_data, r->vpd_data + 0x2000), memory);
}

TEST_F(SafeWriteTest, WriteThatDoesNotReadBackFails) {
  // /dev/zero takes every write and reads back zeros.
  vpd_lib::vpd* r = record_on("/dev/zero");
  ASSERT_NE(r, nullptr);
  Bytes memory(r->vpd_data, r->vpd_data + 0x2000);
  unsigned char data[] = "VANISHES!!";
  EXPECT_EQ(r->write_raw(0x200, 4, data, false), 0);
  EXPECT_EQ(r->write_field(kSn, 10, data, true), -1);
  EXPECT_EQ(vpd_lib::vpd_write_field(0, kSn, 10, data, true), -1);
  EXPECT_EQ(Bytes(r->vpd_data, r->vpd_data + 0x2000), memory);
  unsigned char zeros[10] = {};
  EXPECT_EQ(r->write_field(kSn, 10, zeros, true), 10);  // what reads back is accepted
}

TEST_F(SafeWriteTest, FifoDeviceFailsWithoutBlocking) {
  db.write_device("real", Image::full().bytes());
  vpd_lib::vpd* r = record_on("real");
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(::mkfifo(db.device_path("pipe").c_str(), 0644), 0);
  r->dev_name = "pipe";
  unsigned char data[4] = {1, 2, 3, 4};
  EXPECT_EQ(r->write_raw(0, 4, data, false), 0);
  EXPECT_EQ(r->read_raw(0, 4, data), 0);
  EXPECT_EQ(r->write_field(kSn, 4, data, true), -1);
  EXPECT_FALSE(r->load(0));
}

}  // namespace
