// SPDX-License-Identifier: Apache-2.0
// The real binary in a hostile environment, on a copy of the sample platform: closed standard
// descriptors, a standard output or raw file that is a pipe or a full disk, a device that refuses
// writes, a raw file that delivers fewer bytes than its size promised. Nothing may pass for
// success, and nothing may be written to a device on a refused path; standard output and error
// redirected onto a VPD file are refused. (Raw outputs that name a VPD device, the inventory or a
// FIFO, and inventories that are no regular file, are in the transcripts.)
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::RunResult;

std::vector<std::string> shell(const std::string& script) {
  return {"timeout", "10", "bash", "-o", "pipefail", "-c", script, "bash"};
}

// Runs `mounts` (with $0 = `path`) in a private mount namespace, then the tool with `redirect`.
std::vector<std::string> with_mounts(const std::string& mounts, const std::string& path,
                                     const std::string& redirect = "") {
  return {"unshare", "-m", "sh", "-c", mounts + " && exec \"$@\" " + redirect, path};
}

// The sample platform with block 0 of the system board changed (its stored CRC is now wrong), and
// FRU 7: a full record of 0x2000 bytes on a device of 0x1400 (its first five blocks).
class Hostile : public ::testing::Test {
 protected:
  void SetUp() override {
    image_[0x30] ^= 0x5A;
    testing::write_file(mb_, image_);
    testing::write_file(db_.file("dev/five"), Bytes(image_.begin(), image_.begin() + 0x1400));
    db_.add_line("7 yes full 0x2000 five");
  }
  testing::SampleDb db_;
  const std::string mb_ = db_.file("dev/mb_vpd");
  Bytes image_ = testing::read_file(mb_);
};

// With descriptors 1 and 2 closed, a device opened by the tool would become one of them and the
// next diagnostic would be written into it.
TEST_F(Hostile, ClosedStandardDescriptorsNeverReachADevice) {
  const std::string out = db_.file("out.raw");
  const struct { const char* redirect; std::vector<std::string> args; int status; Bytes raw; } rows[] = {
      {">&- 2>&-", {"-i", "7", "-O", "184 b 1"}, 1, {}},  // block 5 passes the device's end
      {"<&- >&- 2>&-", {"-i", "7", "-O", "184 b 1"}, 1, {}},
      {"2>&-", {"-i", "7", "-b", "6", "-r", out}, 1, {}},
      {">&-", {"-r", out}, 0, Bytes(image_.begin(), image_.begin() + 0x400)},
      // A printout nobody reads is no failure: it goes to /dev/null and the command succeeds.
      {">&-", {"-o", "57"}, 0, {}},
      {">&- 2>&-", {"-g", "sn"}, 0, {}},
  };
  const Bytes five = testing::read_file(db_.file("dev/five"));
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.redirect) + " " + row.args[row.args.size() - 2]);
    ::unlink(out.c_str());
    const RunResult r = db_.run(row.args, shell(std::string("exec \"$@\" ") + row.redirect));
    EXPECT_EQ(r.status, row.status) << r.out << r.err;
    EXPECT_EQ(r.err, "");  // closed, or nothing to say
    EXPECT_EQ(testing::read_file(db_.file("dev/five")), five);
    EXPECT_EQ(testing::read_file(mb_), image_);
    EXPECT_EQ(testing::read_file(out), row.raw);
  }
}

// A mistyped redirection must not put a printout, the usage text or a message into a VPD device,
// the inventory or the journal, whatever the name or the shape: each such descriptor is silenced,
// the command refused with one line when standard error is usable, and nothing more reaches the
// file. A truncating `>` onto a plain file empties it before the tool starts.
TEST_F(Hostile, StandardStreamsNeverReachAVpdFile) {
  ::mkdir(db_.file("journal").c_str(), 0700);  // the journal folder, when the sample has none
  ASSERT_EQ(::symlink("dev/mb_vpd", db_.file("alias").c_str()), 0);
  ASSERT_EQ(::link(db_.file("dev/riser_vpd").c_str(), db_.file("hard").c_str()), 0);
  const std::string fru0 = "is the VPD of FRU 0 (" + db_.root() + "/dev/mb_vpd";
  const struct { const char* redirect; std::vector<std::string> args; const char* file; bool emptied; std::string why; } rows[] = {
      {"1<>dev/mb_vpd", {"-p"}, "dev/mb_vpd", false, fru0 + ")"},
      {">>dev/mb_vpd.backup", {"-h"}, "dev/mb_vpd.backup", false, fru0 + ".backup)"},
      {">alias", {"-p"}, "dev/mb_vpd", true, fru0 + ")"},
      {"1<>hard", {"-i", "1", "-O", "57 s X"}, "dev/riser_vpd", false, "is the VPD of FRU 1 (" + db_.root() + "/dev/riser_vpd)"},
      {"3<>dev/ocp_vpd 1<>/proc/self/fd/3", {"-i", "2", "-r", "/dev/stdout"}, "dev/ocp_vpd", false,
       "is the VPD of FRU 2 (" + db_.root() + "/dev/ocp_vpd)"},
      {"2<>dev/mb_vpd", {"-p"}, "dev/mb_vpd", false, ""},  // no line can be shown
      {"&>>dev/mb_vpd.backup", {"-x"}, "dev/mb_vpd.backup", false, ""},
      {"1<>inventory", {"-l"}, "inventory", false, "is the inventory (" + db_.root() + "/inventory)"},
      {">journal/p.txt", {"-p"}, "journal/p.txt", true, "is the journal folder or lies in it (" + db_.root() + "/journal)"},
      {"1</sys/kernel/uevent_seqnum", {"-p"}, nullptr, false, "is a sysfs file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.redirect);
    const std::string file = row.file ? db_.file(row.file) : "";
    const Bytes before = testing::read_file(file);
    const RunResult r = db_.run(row.args, shell(std::string("exec \"$@\" ") + row.redirect));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.why.empty() ? "" : "orvantis: refused: standard output " + row.why + "\n");
    EXPECT_EQ(testing::read_file(file), row.emptied ? Bytes() : before);
    testing::write_file(file, before);
  }
}

// Without an inventory the devices are unknown: a descriptor on any file under the database root
// is refused, while the usage text says nothing about the inventory.
TEST_F(Hostile, StandardStreamsWithoutAnInventory) {
  ::unlink(db_.file("inventory").c_str());
  RunResult r = db_.run({"-h"}, shell("exec \"$@\" 1<>dev/mb_vpd"));
  EXPECT_EQ(r.err, "orvantis: refused: standard output lies under the database root " + db_.root() +
                       ", whose inventory cannot be read\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(testing::read_file(mb_), image_);
  r = db_.run({"-h"});
  EXPECT_EQ(r.out.rfind("orvantis <options>", 0), 0u);
  EXPECT_EQ(r.err, "");
}

// A bind mount of a device is the device, by device and inode.
TEST_F(Hostile, StandardOutputOnABindMountOfADevice) {
  if (db_.run({}, with_mounts("true", "")).status != 0) GTEST_SKIP() << "no private mount namespace (unshare -m)";
  testing::write_file(db_.file("elsewhere"), Bytes());
  const RunResult r = db_.run({"-p"}, with_mounts("mount --bind \"$0\" elsewhere", mb_, "1<>elsewhere"));
  EXPECT_EQ(r.err, "orvantis: refused: standard output is the VPD of FRU 0 (" + mb_ + ")\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(testing::read_file(mb_), image_);
}

// An inventory is refused at its first byte that no inventory holds, never read on to the end of a
// line: 20 GB without a newline (sparse, so reading it would take minutes) cost one read.
TEST_F(Hostile, HugeInventoryIsRefusedAtItsFirstBadByte) {
  const std::string inventory = db_.file("inventory");
  const struct { std::string start, error; } rows[] = {
      {"", "1: NUL byte"}, {std::string(4097, 'x'), "1: line longer than 4096 characters"}};
  for (const auto& row : rows) {
    testing::write_file(inventory, row.start);
    ASSERT_EQ(::truncate(inventory.c_str(), off_t{20} << 30), 0);
    const RunResult r = db_.run({"-l"}, {"timeout", "10"});
    EXPECT_EQ(r.out, "Problem filling stream with vpd info. rc = -22\n") << row.error;
    EXPECT_EQ(r.err, "orvantis: " + inventory + ":" + row.error + "\n");
    EXPECT_EQ(r.status, 1);
  }
}

TEST_F(Hostile, RawOutputIntoAPipeGetsTheBlock) {
  const RunResult r = db_.run({"-r", "/dev/stdout"}, shell("\"$@\" | cat"));
  EXPECT_EQ(r.out, std::string(image_.begin(), image_.begin() + 0x400));
  EXPECT_EQ(r.status, 0) << r.err;
}

// The journal folder's files are the library's own: no raw file is made or written there.
TEST_F(Hostile, RawOutputsStayOutOfTheJournal) {
  ::mkdir(db_.file("journal").c_str(), 0700);  // the journal folder, when the sample has none
  testing::write_file(db_.file("p.txt"), db_.run({"-p"}).out);
  const std::vector<std::string> commands[] = {{"-r", "journal/b0.raw"}, {"-c", "p.txt", "journal/b0.raw"}};
  for (const auto& args : commands) {
    const RunResult r = db_.run(args);
    EXPECT_EQ(r.err, "orvantis: journal/b0.raw: is the journal folder or lies in it (" + db_.root() +
                         "/journal); a raw file is never written over it\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(::access(db_.file("journal/b0.raw").c_str(), F_OK), 0) << args[0];
  }
}

// Every command's output on a full disk fails the same way.
TEST_F(Hostile, StandardOutputFailuresSayOneThing) {
  const std::vector<std::string> commands[] = {{"-p"}, {"-o", "1"}, {"-g", "sn"}, {"-f"}, {"-l"}, {"-n"}, {"-s"},
                                               {"-P"}, {"-e"}, {"-h"}, {"-O", "5 b 1 2 3"}};  // too many bytes: a message
  for (const auto& args : commands) {
    const RunResult r = db_.run(args, shell("exec \"$@\" >/dev/full"));
    EXPECT_EQ(r.err, "orvantis: standard output: No space left on device\n") << args[0];
    EXPECT_EQ(r.status, 1) << args[0];
  }
}

// Address-space and stack limits: the sanitizers reserve terabytes of address space and an
// emulator its guest's, so neither runs under them.
bool limits_apply() {
#ifdef __SANITIZE_ADDRESS__
  return false;
#endif
  return std::string(ORVANTIS_EMULATOR).empty();
}

// Under a small address space every command ends with its result or with the out-of-memory line
// and status 1 (never in std::terminate), and writes its device whole or not at all. The sweep
// starts where the process starts at all: the loader maps the binary and its libraries first.
TEST_F(Hostile, SmallAddressSpaceEndsInTheResultOrOutOfMemory) {
  if (!limits_apply()) GTEST_SKIP() << "sanitizer or emulator build";
  const auto limited = [](unsigned kb) { return std::vector<std::string>{"prlimit", "--as=" + std::to_string(kb << 10)}; };
  unsigned start = 4096;
  while (start < 16384 && db_.run({"-h"}, limited(start)).status == 127) start += 64;
  std::vector<unsigned> limits = {8192, 16384};
  for (unsigned kb = start - 64; kb <= start + 128; kb += 16) limits.push_back(kb);
  testing::write_file(db_.file("block.raw"), Bytes(image_.begin(), image_.begin() + 0x400));
  const std::vector<std::string> commands[] = {{"-p"}, {"-h"}, {"-S"}, {"-O", "57 s J30A4F7K99"}, {"-w", "block.raw"},
                                               {"-c", "block.txt", "out.raw"}, {"-b", "1", "-r", "out.raw"}};
  testing::write_file(db_.file("block.txt"), db_.run({"-p"}).out);
  for (const auto& args : commands) {
    testing::write_file(mb_, image_);
    const RunResult want = db_.run(args);
    const Bytes written = testing::read_file(mb_);
    for (unsigned kb : limits) {
      SCOPED_TRACE(args[0] + " under " + std::to_string(kb) + " KB");
      testing::write_file(mb_, image_);
      const RunResult r = db_.run(args, limited(kb));
      if (r.status == 1 && r.err == "orvantis: out of memory\n") {
        EXPECT_EQ(testing::read_file(mb_), image_);
      } else if (kb >= start) {
        EXPECT_EQ(r.status, want.status) << r.err;
        EXPECT_EQ(r.out, want.out);
        EXPECT_EQ(testing::read_file(mb_), written);
      }
    }
  }
}

// Under a tiny stack the tool may crash, but only before it opens a device: a write that fails
// (past the device's end) has its diagnostic, the deepest path, after the open.
TEST_F(Hostile, TinyStackCrashesOnlyBeforeADeviceIsOpened) {
  if (!limits_apply()) GTEST_SKIP() << "sanitizer or emulator build";
  const std::string five = db_.file("dev/five");
  const Bytes five_image = testing::read_file(five);
  const std::vector<std::string> commands[] = {{"-i", "7", "-O", "184 b 1"}, {"-O", "57 s J30A4F7K99"}};
  for (const auto& args : commands) {
    testing::write_file(mb_, image_);
    const RunResult want = db_.run(args);
    const Bytes written = testing::read_file(mb_);
    std::vector<unsigned> limits = {128, 8192};
    for (unsigned kb = 12; kb <= 32; ++kb) limits.push_back(kb);
    for (unsigned kb : limits) {
      SCOPED_TRACE(args.back() + " under a stack of " + std::to_string(kb) + " KB");
      testing::write_file(mb_, image_);
      const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
      ASSERT_GE(watch, 0);
      ASSERT_GE(::inotify_add_watch(watch, mb_.c_str(), IN_OPEN), 0);
      ASSERT_GE(::inotify_add_watch(watch, five.c_str(), IN_OPEN), 0);
      const RunResult r = db_.run(args, {"prlimit", "--stack=" + std::to_string(kb << 10)});
      char events[4096];
      const bool opened = ::read(watch, events, sizeof events) > 0;
      ::close(watch);
      if (r.status > 128) {
        EXPECT_FALSE(opened) << "crashed with signal " << r.status - 128 << " after opening a device";
        EXPECT_EQ(testing::read_file(mb_), image_);
      } else {
        EXPECT_EQ(r.status, want.status) << r.err;
        EXPECT_EQ(r.out, want.out);
        EXPECT_EQ(testing::read_file(mb_), written);
      }
      EXPECT_EQ(testing::read_file(five), five_image);
    }
  }
}

// A device that refuses writes: a read-only bind mount inside a private mount namespace
// (permission bits stop nothing for root). The library's diagnostic names the device.
TEST_F(Hostile, WriteToRefusingDeviceFailsAndLeavesItUnchanged) {
  const std::vector<std::string> read_only = with_mounts("mount --bind -o ro \"$0\" \"$0\"", mb_);
  if (db_.run({}, read_only).status != 0) GTEST_SKIP() << "no private mount namespace (unshare -m)";
  testing::write_file(db_.file("block.raw"), Bytes(0x400, 0xAA));
  const std::string kNoUpdate = "Failed to update VPD\n";
  const struct { std::vector<std::string> args; std::string out; } rows[] = {
      {{"-O", "57 s ABCDEFGHIJ"}, kNoUpdate}, {{"-G", "sn s J30A4F7K99"}, kNoUpdate},
      {{"-G", "posid b 0x12 0x34"}, kNoUpdate}, {{"-w", db_.file("block.raw")}, kNoUpdate},
      {{"-S"}, "Calculated CRC = 0x27749ad4\nStored CRC     = 0xae720bc8\nNew Stored CRC = 0xae720bc8\n" + kNoUpdate}};
  for (const auto& row : rows) {
    const RunResult r = db_.run(row.args, read_only);
    EXPECT_EQ(r.out, row.out) << row.args[0];
    EXPECT_EQ(r.status, 1) << row.args[0];
    EXPECT_EQ(r.err.rfind("orvantis: " + mb_ + ": ", 0), 0u) << row.args[0] << ": " << r.err;
    EXPECT_EQ(testing::read_file(mb_), image_) << row.args[0];
  }
}

// A raw output on a full file system: the fixed message, and the path and the system's text.
TEST_F(Hostile, RawOutputOnAFullFileSystemSaysWhy) {
  if (db_.run({}, with_mounts("true", "")).status != 0) GTEST_SKIP() << "no private mount namespace (unshare -m)";
  ASSERT_EQ(::mkdir(db_.file("full").c_str(), 0755), 0);
  testing::write_file(db_.file("p.txt"), db_.run({"-p"}).out);
  const auto full = with_mounts("mount -t tmpfs -o size=4k none \"$0\" && { cat /dev/zero >\"$0/fill\" 2>/dev/null; true; }", "full");
  const struct { std::vector<std::string> args; std::string out; } rows[] = {
      {{"-r", "full/b0.raw"}, "Failed to write binary output file.\n"},
      {{"-c", "p.txt", "full/b0.raw"}, "Failed to write file for raw output\n"}};
  for (const auto& row : rows) {
    const RunResult r = db_.run(row.args, full);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, "orvantis: full/b0.raw: cannot write: No space left on device\n");
    EXPECT_EQ(r.status, 1);
  }
}

// A sysfs attribute reports 4096 bytes and reads a few: the case of a file that shrank between
// its size check and its read. Not one byte of it may reach the device.
TEST_F(Hostile, BurnRefusesFileThatReadsShorterThanItsSize) {
  std::string short_file;
  for (const char* path : {"/sys/kernel/profiling", "/sys/power/state", "/sys/kernel/mm/ksm/run"}) {
    struct stat st;
    if (::stat(path, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0x1000) short_file = path;
  }
  if (short_file.empty()) GTEST_SKIP() << "no sysfs attribute of 4096 bytes";
  Bytes compact(0x1000, 0);  // a compact record of one 4096-byte block: length word 00 10
  compact[1] = 0x10;
  testing::write_file(db_.file("dev/psu4k"), compact);
  db_.add_line("8 yes cff3 0x1000 psu4k");
  const RunResult r = db_.run({"-i", "8", "-w", short_file});
  EXPECT_EQ(r.out, "Corrupted VPD Raw File (wrong size)!\n");
  EXPECT_EQ(r.err.rfind("orvantis: " + short_file + ": holds ", 0), 0u) << r.err;
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(testing::read_file(db_.file("dev/psu4k")), compact);
}

}  // namespace
}  // namespace orvantis
