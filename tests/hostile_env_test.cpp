// SPDX-License-Identifier: Apache-2.0
// The tool in a hostile environment, run as the real binary: closed standard descriptors, an
// inventory that is no regular file or holds what no inventory holds, raw outputs that name a
// VPD device or a pipe (short devices are in platform_devices.t). Nothing may be written to a
// device or raw file on any refused path, and no command may wait forever (each run is bounded
// by timeout(1), so a hang fails the row instead of the suite).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::RunResult;

const std::vector<std::string> kBounded = {"timeout", "10"};

std::vector<std::string> shell(const std::string& script) {
  return {"timeout", "10", "bash", "-o", "pipefail", "-c", script, "bash"};
}

// FRU 0: an 8 KiB full record of zeros and its backup copy; FRU 1: a full record of one block on
// a device of 0x1400 bytes, with max_size 0x1400.
class Hostile : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.add_fru(0, "full", 0x2000, "mb_vpd", image_);
    testing::write_file(db_.device_path("mb_vpd.backup"), Bytes(image_.begin(), image_.begin() + 0x400));
    Bytes five(image_.begin(), image_.begin() + 0x1400);
    db_.add_fru(1, "full", 0x2000, "five", five);
  }
  testing::FixtureDb db_;
  Bytes image_ = testing::full_image();
};

// With descriptors 1 and 2 closed, a device opened by the tool would become one of them and the
// next diagnostic would be written into it.
TEST_F(Hostile, ClosedStandardDescriptorsNeverReachADevice) {
  const std::string out = db_.scratch("out.raw");
  const struct { const char* redirect; std::vector<std::string> args; int status; Bytes raw; } rows[] = {
      {">&- 2>&-", {"-i", "1", "-O", "184 b 1"}, 1, {}},  // block 5 passes the device's end
      {"<&- >&- 2>&-", {"-i", "1", "-O", "184 b 1"}, 1, {}},
      {"2>&-", {"-i", "1", "-b", "6", "-r", out}, 1, {}},
      {">&-", {"-r", out}, 0, Bytes(image_.begin(), image_.begin() + 0x400)},
  };
  const Bytes five = db_.read_device("five");
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.redirect) + " " + row.args[row.args.size() - 2]);
    ::unlink(out.c_str());
    const RunResult r = db_.run(row.args, shell(std::string("exec \"$@\" ") + row.redirect));
    EXPECT_EQ(r.status, row.status) << r.out << r.err;
    EXPECT_EQ(db_.read_device("five"), five);
    EXPECT_EQ(db_.read_device("mb_vpd"), image_);
    EXPECT_EQ(testing::read_file(out), row.raw);
  }
}

// Every kind of file where the inventory is expected: only a regular file is read, nothing waits,
// and each refusal names the cause.
TEST_F(Hostile, InventoryIsReadAsUntrustedInput) {
  const std::string inventory = db_.root() + "/inventory";
  auto replace_with = [&](const std::function<bool()>& make) {
    ::unlink(inventory.c_str());
    return make();
  };
  auto text = [&](const std::string& t) { return [&, t] { testing::write_file(inventory, t); return true; }; };
  auto link_to = [&](const char* target) { return [&, target] { return ::symlink(target, inventory.c_str()) == 0; }; };
  const std::string good = "0 yes full 0x2000 mb_vpd\n";
  const struct { const char* name; std::function<bool()> make; int rc; std::string why; } rows[] = {
      {"fifo", [&] { return ::mkfifo(inventory.c_str(), 0600) == 0; }, -2,
       ": cannot read the inventory: not a regular file"},
      {"socket", [&] {
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un addr = {};
         addr.sun_family = AF_UNIX;
         std::strncpy(addr.sun_path, inventory.c_str(), sizeof addr.sun_path - 1);
         const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
         ::close(fd);
         return bound;
       }, -2, ": cannot read the inventory: No such device or address"},
      {"endless device", link_to("/dev/zero"), -2, ": cannot read the inventory: not a regular file"},
      {"read error", link_to("/proc/self/mem"), -2, ": cannot read the inventory: Input/output error"},
      {"endless line", text(good + std::string(1 << 20, 'x')), -22, ":2: line longer than 4096 characters"},
      {"NUL in a column", text(good + std::string("1 yes full 0x100 ri\0ser\n", 24)), -22, ":2: NUL byte"},
      {"escape code", text("# \x1b[2J\n" + good), -22, ":1: control byte 0x1B"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(replace_with(row.make));
    const RunResult r = db_.run({"-l"}, kBounded);
    EXPECT_EQ(r.out, "Problem filling stream with vpd info. rc = " + std::to_string(row.rc) + "\n");
    EXPECT_EQ(r.err, "orvantis: " + inventory + row.why + "\n");
    EXPECT_EQ(r.status, 1);
  }
}

// A raw output that is a VPD device, by any name, is refused before it is opened; a pipe or a FIFO
// with a reader receives the block, one without a reader is refused without waiting.
TEST_F(Hostile, RawOutputsNeverOverwriteAVpdDevice) {
  const std::string printout = db_.scratch("p.txt"), dev = db_.device_path("mb_vpd");
  testing::write_file(printout, db_.run({"-p"}).out);
  ASSERT_EQ(::symlink(dev.c_str(), db_.scratch("alias").c_str()), 0);
  ASSERT_EQ(::link(db_.device_path("five").c_str(), db_.scratch("hard").c_str()), 0);
  const char kDump[] = "Failed to open binary output file.\n", kConvert[] = "Failed to open file for raw output\n";
  const struct { std::vector<std::string> args; const char* out; std::string device; } rows[] = {
      {{"-r", dev}, kDump, dev},
      {{"-b", "1", "-r", db_.scratch("alias")}, kDump, dev},
      {{"-i", "1", "-r", dev + ".backup"}, kDump, dev + ".backup"},
      {{"-b", "1", "-r", db_.scratch("hard")}, kDump, db_.device_path("five")},
      {{"-c", printout, dev}, kConvert, dev},
  };
  const Bytes backup = db_.read_device("mb_vpd.backup"), five = db_.read_device("five");
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    const RunResult r = db_.run(row.args, kBounded);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.status, 1);
    const std::string& path = row.args.back();
    EXPECT_EQ(r.err.rfind("orvantis: " + path + ": is the VPD of FRU ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("(" + row.device + ")"), std::string::npos) << r.err;
    EXPECT_EQ(db_.read_device("mb_vpd"), image_);
    EXPECT_EQ(db_.read_device("mb_vpd.backup"), backup);
    EXPECT_EQ(db_.read_device("five"), five);
  }
}

TEST_F(Hostile, RawOutputIntoAPipeOrFifoGetsTheBlock) {
  const Bytes block(image_.begin(), image_.begin() + 0x400);
  RunResult r = db_.run({"-r", "/dev/stdout"}, shell("\"$@\" | cat"));
  EXPECT_EQ(r.out, testing::string_of(block));
  EXPECT_EQ(r.status, 0) << r.err;

  const std::string fifo = db_.scratch("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  r = db_.run({"-r", fifo}, kBounded);  // a block fits in the pipe's buffer: no one need drain it
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  Bytes got(0x800);
  got.resize(static_cast<size_t>(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
  EXPECT_EQ(got, block);
  ::close(reader);

  r = db_.run({"-r", fifo}, kBounded);  // no reader
  EXPECT_EQ(r.out, "Failed to open binary output file.\n");
  EXPECT_EQ(r.err, "orvantis: " + fifo + ": cannot open for writing: No such device or address\n");
  EXPECT_EQ(r.status, 1);
}

// Every command's output on a full disk fails the same way.
TEST_F(Hostile, StandardOutputFailuresSayOneThing) {
  for (const char* mode : {"-p", "-o", "-g", "-f", "-l", "-n", "-s", "-P", "-e", "-h", "-O"}) {
    std::vector<std::string> args = {mode};
    if (mode == std::string("-o")) args.push_back("1");
    if (mode == std::string("-g")) args.push_back("sn");
    if (mode == std::string("-O")) args.push_back("5 b 1 2 3");  // too many bytes: a message
    const RunResult r = db_.run(args, shell("exec \"$@\" >/dev/full"));
    EXPECT_EQ(r.err, "orvantis: standard output: No space left on device\n") << mode;
    EXPECT_EQ(r.status, 1) << mode;
  }
}

}  // namespace
}  // namespace orvantis
