// SPDX-License-Identifier: Apache-2.0
// Failures that must never pass for success: a device that refuses writes (a read-only bind mount
// inside a private mount namespace; permission bits stop nothing for root), raw files on a full
// disk (/dev/full), a raw file that delivers fewer bytes than its size promised, and a printout
// line too long to hold.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::RunResult;

const std::string kNoUpdate = "Failed to update VPD\n";

// FRU 0: a full record of zeros, whose stored CRC (0) is wrong. FRU 2: a compact record of one
// 4096-byte block.
class FailuresE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.add_fru(0, "full", 0x2000, "mb", image_);
    db_.add_fru(2, "cff3", 0x1000, "psu", testing::cff3_image(0x1000, 0x1000));
    testing::write_file(raw_, Bytes(0x400, 0xAA));
  }

  // The device mounted read-only over itself, seen only by this run; false when that is impossible.
  bool can_mount_read_only() const {
    const std::string probe = "unshare -m sh -c 'mount --bind -o ro \"$0\" \"$0\"' '" + dev_ +
                              "' >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
  }
  RunResult run_read_only(const std::vector<std::string>& args) const {
    return db_.run(args, {"unshare", "-m", "sh", "-c",
                          "mount --bind -o ro \"$0\" \"$0\" && exec \"$@\"", dev_});
  }

  testing::FixtureDb db_;
  Bytes image_ = testing::full_image();
  std::string dev_ = db_.device_path("mb"), raw_ = db_.scratch("block.raw");
};

// The library's diagnostic names the device on standard error.
TEST_F(FailuresE2e, WriteToRefusingDeviceFailsAndLeavesItUnchanged) {
  if (!can_mount_read_only()) GTEST_SKIP() << "no private mount namespace (unshare -m)";
  char crc[80];
  std::snprintf(crc, sizeof crc, "Calculated CRC = 0x%x\nStored CRC     = 0x0\nNew Stored CRC = 0x0\n",
                static_cast<unsigned>(testing::reference_crc32(image_.data(), 0x3FC)));
  const struct { std::vector<std::string> args; std::string out; } rows[] = {
      {{"-O", "57 s ABCDEFGHIJ"}, kNoUpdate}, {{"-G", "sn s J30A4F7K99"}, kNoUpdate},
      {{"-G", "posid b 0x12 0x34"}, kNoUpdate}, {{"-S"}, crc + kNoUpdate}, {{"-w", raw_}, kNoUpdate}};
  for (const auto& row : rows) {
    const RunResult r = run_read_only(row.args);
    EXPECT_EQ(r.out, row.out) << row.args[0];
    EXPECT_EQ(r.status, 1) << row.args[0];
    EXPECT_EQ(r.err.rfind("orvantis: " + dev_ + ": ", 0), 0u) << row.args[0] << ": " << r.err;
    EXPECT_EQ(db_.read_device("mb"), image_) << row.args[0];
  }
}

TEST_F(FailuresE2e, RawFileOnFullDiskFails) {
  const std::string printout = db_.scratch("p.txt");
  testing::write_file(printout, db_.run({"-p"}).out);
  const struct { std::vector<std::string> args; const char* out; } rows[] = {
      {{"-r", "/dev/full"}, "Failed to write binary output file.\n"},
      {{"-c", printout, "/dev/full"}, "Failed to write file for raw output\n"}};
  for (const auto& row : rows) {
    const RunResult r = db_.run(row.args);
    EXPECT_EQ(r.out, row.out) << row.args[0];
    EXPECT_EQ(r.status, 1) << row.args[0];
  }
}

// A sysfs attribute reports 4096 bytes and reads a few: the case of a file that shrank between
// its size check and its read. Not one byte of it may reach the device.
TEST_F(FailuresE2e, BurnRefusesFileThatReadsShorterThanItsSize) {
  std::string short_file;
  for (const char* path : {"/sys/kernel/profiling", "/sys/power/state", "/sys/kernel/mm/ksm/run"}) {
    struct stat st;
    if (::stat(path, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0x1000) short_file = path;
  }
  if (short_file.empty()) GTEST_SKIP() << "no sysfs attribute of 4096 bytes";
  const Bytes before = db_.read_device("psu");
  const RunResult r = db_.run({"-i", "2", "-w", short_file});
  EXPECT_EQ(r.out, "Corrupted VPD Raw File (wrong size)!\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(db_.read_device("psu"), before);
}

// A printout line is read up to 128 KiB; a longer one refuses the printout before any raw file
// is made, so memory stays bounded whatever the input.
TEST_F(FailuresE2e, HundredMegabyteLineIsRefusedWithoutRawFile) {
  const std::string ascii = db_.scratch("huge.txt"), raw = db_.scratch("huge.raw");
  testing::write_file(ascii, std::string(34, ' ') + "Length: [" + std::string(100 << 20, 'A'));
  const RunResult r = db_.run({"-c", ascii, raw});
  EXPECT_EQ(r.out, "Convert2bin failed: line 1: line longer than 131072 characters\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(std::filesystem::exists(raw));
}

}  // namespace
}  // namespace orvantis
