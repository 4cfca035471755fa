// SPDX-License-Identifier: Apache-2.0
// The device layer on a fault-injecting device env, through the whole tool run in a forked child:
// - a command reads only the blocks it shows;
// - every command that writes holds the device's exclusive lock from its load to its write;
// - every device call of every command failed in turn: no false success, no silent failure.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../platform/device_env.h"
#include "support/library_hooks.h"
#include "support/fixture.h"
#include "util/bytes.h"

namespace orvantis {
namespace testing {
namespace {

// The calls the fault env counts, and what it can make of one. OP_STAT is the check that the path
// still names the open file, OP_FCNTL the switch to blocking I/O after the open; fstat, lseek and
// canonical are not counted (they only tell a file's kind, length and name). The journal's calls (journal.h) have kinds of their own: OP_J* on a journal
// file or folder, and the folder operations.
enum DeviceOp {
  OP_OPEN, OP_LOCK, OP_READ, OP_WRITE, OP_SYNC, OP_STAT, OP_FCNTL,
  OP_JOPEN, OP_JREAD, OP_JWRITE, OP_JSYNC, OP_CREATE, OP_MKDIR, OP_RENAME, OP_UNLINK, OP_LIST
};
// A power cut (FAULT_CUT) ends the process before the call, losing what was not synced.
enum DeviceFault { FAULT_NONE, FAULT_ERROR, FAULT_HALF, FAULT_POWER_LOSS, FAULT_CUT };

bool mutates(DeviceOp op) {
  return op == OP_WRITE || op == OP_SYNC || (op >= OP_JWRITE && op <= OP_UNLINK);
}

// What the fault env in the child shares with the test (in shared memory): counters and the
// faults to inject.
struct Shared {
  unsigned ops;
  unsigned long long bytes_read;
  DeviceOp kinds[4096];  // the calls of a run, in order
  unsigned fail_at = ~0u;  // the index of the call to fail
  DeviceFault fault, then;  // its fault, and the fault of the call after it
  int error = EIO;  // errno of FAULT_ERROR
  DeviceOp fail_kind = OP_LIST;  // with fail_every, every call of this kind fails with `error`
  bool fail_every;
  bool write_protected;  // device writes are taken and ignored, as by a chip whose WP pin is held
  unsigned busy_locks;  // lock tries that find the lock held elsewhere (EWOULDBLOCK)
  unsigned page;  // a device write moves at most up to the next multiple of this (0: any count)
  DeviceOp pause_op;  // at the pause_at-th call of this kind (0-based; -1 for none), the child
  int pause_at = -1, seen;  // runs g_meanwhile before making the call ...
  bool meanwhile_ok;  // ... and tells its result here
};
Shared* const g = static_cast<Shared*>(
    ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
std::function<bool()> g_meanwhile;  // set before the fork, so the child has it too

// The journal's changes that a power cut would lose, newest last: file data written since the
// file's last fsync, and folder entries made since the folder's last fsync. Each knows how to
// put back what was there before.
struct Unsynced {
  enum What { DATA, CREATED, MADE_FOLDER, RENAMED, UNLINKED } what;
  std::string folder, path, to;  // `folder` is the one whose fsync makes it durable
  Bytes before;  // DATA, UNLINKED: the file's bytes; RENAMED: those of `to`, if it was there
  bool had_to = false;
};
std::vector<Unsynced> g_unsynced;
std::map<int, std::string> g_journal_fds;  // journal files and folders open in the child

std::string folder_of(const std::string& path) { return path.substr(0, path.rfind('/')); }
bool is_journal_path(const std::string& path) { return path.find("/journal") != std::string::npos; }

// The power fails: what was not synced is lost, newest first, and the process ends (status 99).
[[noreturn]] void power_cut() {
  for (auto u = g_unsynced.rbegin(); u != g_unsynced.rend(); ++u) {
    switch (u->what) {
      case Unsynced::DATA: case Unsynced::UNLINKED: write_file(u->path, u->before); break;
      case Unsynced::CREATED: ::unlink(u->path.c_str()); break;
      case Unsynced::MADE_FOLDER: std::filesystem::remove_all(u->path); break;
      case Unsynced::RENAMED:
        ::rename(u->to.c_str(), u->path.c_str());
        if (u->had_to) write_file(u->to, u->before);
        break;
    }
  }
  ::_exit(99);
}

// Counts the call (and the bytes it is to move, 0 for calls that move none), runs g_meanwhile
// where the test asked, and tells the fault to inject.
DeviceFault hook(DeviceOp op, size_t bytes = 0) {
  if (op == OP_READ) g->bytes_read += bytes;
  if (g->ops < 4096) g->kinds[g->ops] = op;
  if (op == g->pause_op && g->seen++ == g->pause_at) g->meanwhile_ok = g_meanwhile();
  const unsigned n = g->ops++;
  const DeviceFault f = n == g->fail_at ? g->fault : n == g->fail_at + 1 ? g->then : FAULT_NONE;
  if (f == FAULT_CUT) power_cut();
  return f == FAULT_NONE && g->fail_every && op == g->fail_kind ? FAULT_ERROR : f;
}

// Half of a transfer, never 0: a zero-byte read would look like the end of the file.
size_t half(size_t n) { return n > 1 ? n / 2 : n; }

int fail() { return errno = g->error, -1; }

// The file-backed env with the faults `hook` tells: an error (EIO unless the test says), a call
// that moves half its bytes, a power loss half way through a device write (the process ends with
// status 99), or a power cut before the call. Device writes go a page at a time when the test
// sets a page size, as at24 writes an EEPROM.
class FaultEnv : public vpd_platform::DeviceEnv {
 public:
  int open(const char* path, int flags) override {
    const bool journal = is_journal_path(path) || (flags & O_DIRECTORY) != 0;
    if (hook(journal ? OP_JOPEN : OP_OPEN) != FAULT_NONE) return fail();
    const int fd = DeviceEnv::open(path, flags);
    if (fd >= 0 && journal) g_journal_fds[fd] = path;
    if (fd >= 0 && !journal) g_journal_fds.erase(fd);  // a number a closed journal had
    return fd;
  }
  int stat(const char* path, struct stat* st) override {
    return hook(OP_STAT) != FAULT_NONE ? fail() : DeviceEnv::stat(path, st);
  }
  int fcntl(int fd, int command, int argument) override {
    return hook(OP_FCNTL) != FAULT_NONE ? fail() : DeviceEnv::fcntl(fd, command, argument);
  }
  int flock(int fd, int operation) override {
    if (hook(OP_LOCK) != FAULT_NONE) return fail();
    if (g->busy_locks > 0) return --g->busy_locks, errno = EWOULDBLOCK, -1;
    return DeviceEnv::flock(fd, operation);
  }
  int fsync(int fd) override {
    const auto journal = g_journal_fds.find(fd);
    if (hook(journal != g_journal_fds.end() ? OP_JSYNC : OP_SYNC) != FAULT_NONE) return fail();
    if (journal != g_journal_fds.end()) {  // the file's data, or the folder's entries, are durable
      const std::string& synced = journal->second;
      g_unsynced.erase(std::remove_if(g_unsynced.begin(), g_unsynced.end(), [&](const Unsynced& u) {
        return u.what == Unsynced::DATA ? u.path == synced : u.folder == synced;
      }), g_unsynced.end());
    }
    return DeviceEnv::fsync(fd);
  }
  ssize_t pread(int fd, unsigned char* buffer, size_t n, off_t offset) override {
    const DeviceFault f = hook(g_journal_fds.count(fd) ? OP_JREAD : OP_READ, n);
    return f == FAULT_ERROR ? fail() : DeviceEnv::pread(fd, buffer, f == FAULT_HALF ? half(n) : n, offset);
  }
  ssize_t pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset) override {
    const auto journal = g_journal_fds.find(fd);
    const DeviceFault f = hook(journal != g_journal_fds.end() ? OP_JWRITE : OP_WRITE, n);
    if (journal != g_journal_fds.end()) {
      const std::string& path = journal->second;
      if (std::none_of(g_unsynced.begin(), g_unsynced.end(),
                       [&](const Unsynced& u) { return u.what == Unsynced::DATA && u.path == path; }))
        g_unsynced.push_back({Unsynced::DATA, "", path, "", read_file(path)});
    } else if (g->write_protected) {
      return static_cast<ssize_t>(n);
    } else if (g->page != 0) {
      n = std::min<size_t>(n, g->page - static_cast<size_t>(offset) % g->page);
    }
    if (f == FAULT_POWER_LOSS) {  // half the bytes land, then the power is gone
      DeviceEnv::pwrite(fd, buffer, half(n), offset);
      ::_exit(99);
    }
    return f == FAULT_ERROR ? fail() : DeviceEnv::pwrite(fd, buffer, f == FAULT_HALF ? half(n) : n, offset);
  }
  int create(const char* path) override {
    if (hook(OP_CREATE) != FAULT_NONE) return fail();
    const int fd = DeviceEnv::create(path);
    if (fd >= 0) {
      g_journal_fds[fd] = path;
      g_unsynced.push_back({Unsynced::CREATED, folder_of(path), path, "", {}});
    }
    return fd;
  }
  int mkdir(const char* path, mode_t mode) override {
    if (hook(OP_MKDIR) != FAULT_NONE) return fail();
    const int r = DeviceEnv::mkdir(path, mode);
    if (r == 0) g_unsynced.push_back({Unsynced::MADE_FOLDER, folder_of(path), path, "", {}});
    return r;
  }
  int rename(const char* from, const char* to) override {
    if (hook(OP_RENAME) != FAULT_NONE) return fail();
    const bool had_to = ::access(to, F_OK) == 0;
    Unsynced u{Unsynced::RENAMED, folder_of(to), from, to, had_to ? read_file(to) : Bytes()};
    u.had_to = had_to;
    const int r = DeviceEnv::rename(from, to);
    if (r != 0) return r;
    for (Unsynced& d : g_unsynced)  // unsynced data goes with its file
      if (d.what == Unsynced::DATA && d.path == from) d.path = to;
    g_unsynced.push_back(u);
    return r;
  }
  int unlink(const char* path) override {
    if (hook(OP_UNLINK) != FAULT_NONE) return fail();
    Bytes before = read_file(path);
    const int r = DeviceEnv::unlink(path);
    if (r == 0) g_unsynced.push_back({Unsynced::UNLINKED, folder_of(path), path, "", before});
    return r;
  }
  int list(const char* dir, std::vector<std::string>* names) override {
    return hook(OP_LIST) != FAULT_NONE ? fail() : DeviceEnv::list(dir, names);
  }
};

class Board;
std::vector<std::string> journals(const Board& board);

// Fresh counters; no fault, no pause.
Shared* reset_shared() { return &(*g = Shared{}); }

// In the child: the tool's records open their devices through the fault env.
void with_faults() {
  static FaultEnv env;
  vpd_platform::testing::use_device_env(&env);
}

// A copy of the sample platform whose block 0 was changed (so -S has a new CRC to store), a raw
// image of another block 1 (every byte inverted), and its journal folder.
class Board : public SampleDb {
 public:
  Board() {
    Bytes mb = read_file(file("dev/mb_vpd"));
    Bytes raw(mb.begin() + 0x400, mb.begin() + 0x800);
    for (unsigned char& b : raw) b = static_cast<unsigned char>(~b);
    write_file(file("block.raw"), raw);
    ::mkdir(file("journal").c_str(), 0700);
    mb.at(0x30) ^= 0x5A;
    write_file(file("dev/mb_vpd"), mb);
  }
  // Every file of the database and every raw file, for comparing what a command left behind.
  std::vector<Bytes> state() const {
    std::vector<Bytes> s;
    for (const char* f : {"dev/mb_vpd", "dev/mb_vpd.backup", "dev/riser_vpd", "dev/ocp_vpd",
                          "dev/psu1_vpd", "out.raw"})
      s.push_back(read_file(file(f)));
    return s;
  }
  // RAW names block.raw, OUT out.raw.
  RunResult run(std::vector<std::string> args) const {
    for (std::string& a : args)
      if (a == "RAW" || a == "OUT") a = file(a == "RAW" ? "block.raw" : "out.raw");
    return run_in_process(args, with_faults);
  }
  // Runs `args` with `meanwhile` run in the tool's process just before the pause_at-th device
  // call of kind `op` (0-based).
  RunResult run_paused(const std::vector<std::string>& args, DeviceOp op, int pause_at,
                       std::function<bool()> meanwhile) const {
    reset_shared()->pause_op = op;
    g->pause_at = pause_at;
    g_meanwhile = std::move(meanwhile);
    const RunResult r = run(args);
    EXPECT_TRUE(g->meanwhile_ok) << "the step run in the pause failed";
    return r;
  }
};

// The sample system board is 8 KiB; one block is 1 KiB.
TEST(DeviceLayer, CommandsReadOnlyTheBlocksTheyShow) {
  struct Row { std::vector<std::string> args; unsigned long long most; };
  const Row rows[] = {
      {{"-p"}, 0x400}, {{"-o", "25"}, 0x400}, {{"-g", "sn"}, 0x400}, {{"-P"}, 0x400},
      {{"-s"}, 0x400}, {{"-n"}, 0x400}, {{"-e"}, 0x400}, {{"-O", "5 b 1 2"}, 0x400},
      {{"-p", "-b", "3"}, 0x800}, {{"-f", "-b", "1"}, 0x800}, {{"-g", "uefiid"}, 0x800},
      {{"-r", "OUT", "-b", "3"}, 0x800}, {{"-l"}, 0},
      {{"-p", "-i", "7"}, 0x400},  // /dev/zero with max_size 0xFFFFFFFF
  };
  Board board;
  board.add_line("7 yes full 0xFFFFFFFF /dev/zero endless device");
  for (const Row& row : rows) {
    reset_shared();
    board.run(row.args);
    EXPECT_LE(g->bytes_read, row.most) << ::testing::PrintToString(row.args);
  }
  EXPECT_EQ(board.run({"-p", "-i", "7"}).out, "VPD Length is invalid! Got 0x0 expected 0x3fe\n");
}

// A reader started while a writer is between its load and its write must not get in.
TEST(DeviceLayer, WritersHoldTheExclusiveLockFromLoadToWrite) {
  const std::vector<std::string> writers[] = {
      {"-S"}, {"-O", "5 b 1 2"}, {"-G", "sn s ABCDEFGHIJ"}, {"-w", "RAW"}};
  for (const auto& args : writers) {
    SCOPED_TRACE(::testing::PrintToString(args));
    Board board;
    const RunResult r = board.run_paused(args, OP_WRITE, 0, [&] {
      const int fd = ::open(board.file("dev/mb_vpd").c_str(), O_RDWR);  // a descriptor of its own
      const bool got_in = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
      // A change to block 0 behind the writer's back (its result matters only through got_in).
      if (got_in && ::pwrite(fd, "\xEE", 1, 0x10) != 1) {}
      ::close(fd);
      return !got_in;
    });
    EXPECT_EQ(r.status, 0) << r.out << r.err;
  }
}

// The device file replaced (by rename, or its symlink relinked) while -S waits for its lock: -S
// works on the new file alone. Replaced between its load and its write: nothing is written, to
// either file, and -S fails.
TEST(DeviceLayer, DeviceReplacedBeforeTheWriteNeverGetsBytesOfAnother) {
  for (const bool relink : {false, true}) {
    for (const DeviceOp op : {OP_LOCK, OP_STAT}) {
      SCOPED_TRACE(std::string(relink ? "relink" : "rename") + (op == OP_LOCK ? " at lock" : " at write"));
      Board board;
      const std::string dev = board.file("dev/mb_vpd"), old_file = board.file("old"),
                        new_file = board.file("new"), tmp = board.file("tmp");
      ASSERT_EQ(::rename(dev.c_str(), old_file.c_str()), 0);
      Bytes other = read_file(old_file);
      other.at(0x40) ^= 0x77;  // another board: its own block 0, its own CRC
      write_file(new_file, other);
      auto make_link = relink ? ::symlink : ::link;
      ASSERT_EQ(make_link(old_file.c_str(), dev.c_str()), 0);
      const Bytes old_before = read_file(old_file);
      // The stat after the lock is call 0 of its kind, the one before the write call 1.
      const RunResult r = board.run_paused({"-S"}, op, op == OP_LOCK ? 0 : 1, [&] {
        return make_link(new_file.c_str(), tmp.c_str()) == 0 && ::rename(tmp.c_str(), dev.c_str()) == 0;
      });
      EXPECT_EQ(read_file(old_file), old_before);
      const Bytes now = read_file(new_file);
      if (op == OP_LOCK) {
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(load_be32(now.data() + 0x3FC), reference_crc32(now.data(), 0x3FC));
        EXPECT_TRUE(std::equal(now.begin(), now.begin() + 0x3FC, other.begin()));
      } else {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out.substr(r.out.size() - 21), "Failed to update VPD\n") << r.out;
        EXPECT_NE(r.err.find("is no longer the file that was read"), std::string::npos) << r.err;
        EXPECT_EQ(now, other);
      }
    }
  }
}

// -S whose write fails fails, even when the device already held the right CRC; after a write that
// failed half way (two of the four bytes landed) its third line shows the CRC the device holds:
// the old one once the write was undone, the torn one when the undo failed too.
TEST(DeviceLayer, FailedCrcStoreShowsWhatTheDeviceHolds) {
  enum Case { REFUSED, TORN, TORN_KEPT };  // TORN_KEPT: every later device write fails, the undo too
  for (const Case c : {REFUSED, TORN, TORN_KEPT}) {
    SCOPED_TRACE(c);
    Board board;
    const std::string mb = board.file("dev/mb_vpd");
    reset_shared();
    ASSERT_EQ(board.run({"-S"}).status, 0);  // the stored CRC is now right; the calls are counted
    const unsigned first_write = static_cast<unsigned>(std::find(g->kinds, g->kinds + g->ops, OP_WRITE) - g->kinds);
    Bytes image = read_file(mb);
    if (c != REFUSED) std::fill(image.begin() + 0x3FC, image.begin() + 0x400, 0);
    write_file(mb, image);
    reset_shared()->fail_at = first_write;
    g->fault = c == REFUSED ? FAULT_ERROR : FAULT_HALF;
    g->then = c == TORN ? FAULT_ERROR : FAULT_NONE;
    g->fail_every = c == TORN_KEPT, g->fail_kind = OP_WRITE;
    const RunResult r = board.run({"-S"});
    const char* now = c == REFUSED ? "27749ad4" : c == TORN ? "0" : "27740000";
    EXPECT_EQ(r.out, std::string("Calculated CRC = 0x27749ad4\nStored CRC     = 0x") + (c == REFUSED ? "27749ad4" : "0") +
                         "\nNew Stored CRC = 0x" + now + "\nFailed to update VPD\n") << r.err;
    EXPECT_EQ(r.status, 1);
    // Rolled back at once, unless the undo failed too: then the journal stays for the next command.
    EXPECT_EQ(read_file(mb) == image, c != TORN_KEPT);
    EXPECT_EQ(journals(board).size(), c == TORN_KEPT ? 1u : 0u);
  }
}

// A writer waits its 3 s for a lock another process holds for a moment (an at24 driver's
// reader, say), rather than failing at once: here the lock is busy for its first 60 tries, about
// 0.6 s of 10 ms polls.
TEST(DeviceLayer, WriterWaitsForABrieflyHeldLock) {
  Board board;
  reset_shared()->busy_locks = 60;
  const RunResult r = board.run({"-O", "5 b 1 2"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(g->busy_locks, 0u);
}

// Every device call of each command failed in turn, as an error (EIO), as a call that moves half
// its bytes, and for writes as a power loss half way through the write.
TEST(DeviceLayer, EveryDeviceCallFailedInTurn) {
  struct Case { std::vector<std::string> args; bool writes; };
  const Case cases[] = {
      {{"-O", "57 s ABCDEFGHIJ"}, true}, {{"-G", "sn s ABCDEFGHIJ"}, true}, {{"-S"}, true},
      {{"-w", "RAW", "-b", "1"}, true}, {{"-p"}, false}, {{"-o", "25"}, false}, {{"-g", "sn"}, false},
      {{"-s"}, false}, {{"-P"}, false}, {{"-e"}, false}, {{"-r", "OUT", "-b", "1"}, false}};
  const std::string failures[] = {"Failed to update VPD\n", "Failed to fetch vpd data!\n",
                                  "Failed reading vpd data from vpd_obj!\n"};
  unsigned points = 0;
  for (const Case& c : cases) {
    Board clean_board;
    const std::vector<Bytes> before = clean_board.state();
    reset_shared();
    const RunResult clean = clean_board.run(c.args);
    ASSERT_EQ(clean.status, 0) << clean.out << clean.err;
    const std::vector<Bytes> after = clean_board.state();
    const std::vector<DeviceOp> kinds(g->kinds, g->kinds + std::min(g->ops, 256u));
    for (unsigned k = 0; k < kinds.size(); ++k) {
      for (DeviceFault fault : {FAULT_ERROR, FAULT_HALF, FAULT_POWER_LOSS}) {
        if ((fault == FAULT_HALF && kinds[k] != OP_READ && kinds[k] != OP_WRITE) ||
            (fault == FAULT_POWER_LOSS && kinds[k] != OP_WRITE))
          continue;
        ++points;
        SCOPED_TRACE(::testing::PrintToString(c.args) + " call " + std::to_string(k) + " fault " + std::to_string(fault));
        Board board;
        reset_shared()->fail_at = k;
        g->fault = fault;
        const RunResult r = board.run(c.args);
        if (fault == FAULT_POWER_LOSS) {
          ASSERT_EQ(r.status, 99);
          for (const Case& read : cases) {  // the torn device still reads cleanly
            if (read.writes) continue;
            reset_shared();
            const RunResult t = board.run(read.args);
            EXPECT_TRUE(t.status == 0 || (t.status == 1 && !t.out.empty())) << t.status << t.out;
          }
          continue;
        }
        ASSERT_TRUE(r.status == 0 || r.status == 1) << r.status;
        // Nothing retries an I/O error: only a call that moved half its bytes may still succeed.
        EXPECT_TRUE(fault != FAULT_ERROR || r.status == 1) << r.out;
        if (r.status == 0) {  // no false success: exactly the clean run
          EXPECT_EQ(r.out, clean.out);
          EXPECT_TRUE(board.state() == after);
          continue;
        }
        // No silent failure: the tool's message as the last line, and the cause on stderr.
        const size_t last_line = r.out.rfind('\n', r.out.size() - 2);
        const std::string tail = last_line == std::string::npos ? r.out : r.out.substr(last_line + 1);
        EXPECT_NE(std::find(std::begin(failures), std::end(failures), tail), std::end(failures)) << r.out;
        EXPECT_EQ(r.err.rfind("orvantis: ", 0), 0u) << r.err;
        // A failed read is told as one, never as a device that ended early.
        if (kinds[k] == OP_READ && fault == FAULT_ERROR) {
          EXPECT_NE(r.err.find(": read failed at offset 0x"), std::string::npos) << r.err;
        }
        const std::vector<Bytes> left = board.state();
        // cppcheck-suppress knownConditionTrueFalse ; state() reads the device files, which the run between changed
        if (c.writes) EXPECT_TRUE(left == before || left == after);
        else EXPECT_EQ(read_file(board.file("out.raw")), Bytes());  // -r claims nothing
      }
    }
  }
  std::printf("%u fault points, every one failed cleanly or succeeded exactly\n", points);
}

// The calls of a run where the power is cut in turn: every mutating one, except that with 1-byte
// pages only the first, second, middle, next-to-last and last of each row of device writes.
std::vector<unsigned> cut_points(const std::vector<DeviceOp>& kinds, unsigned page) {
  std::vector<unsigned> cuts;
  for (unsigned k = 0; k < kinds.size(); ++k) {
    if (!mutates(kinds[k])) continue;
    if (kinds[k] == OP_WRITE && page == 1) {
      unsigned first = k, last = k;
      while (first > 0 && kinds[first - 1] == OP_WRITE) --first;
      while (last + 1 < kinds.size() && kinds[last + 1] == OP_WRITE) ++last;
      const unsigned i = k - first, n = last - first + 1;
      if (i > 1 && i != n / 2 && i + 2 < n) continue;
    }
    cuts.push_back(k);
  }
  return cuts;
}

// The journal files left in ROOT/journal, temporary ones included.
std::vector<std::string> journals(const Board& board) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& e : std::filesystem::directory_iterator(board.file("journal"), ignored))
    names.push_back(e.path().filename());
  return names;
}

// Runs `args` on the board with the power cut before call `cut` (none when ~0u), with device
// writes a page at a time; the calls of the run are left in g.
RunResult run_cut(const Board& board, const std::vector<std::string>& args, unsigned page, unsigned cut) {
  reset_shared()->page = page;
  g->fail_at = cut;
  g->fault = FAULT_CUT;
  return board.run(args);
}

std::vector<DeviceOp> kinds_of_run() { return {g->kinds, g->kinds + std::min(g->ops, 4096u)}; }

// SQLite's crash test for each write: the power cut at each of its mutating calls in turn (what
// was not synced is lost; the device keeps the pages written before the cut), then the next
// command, a reader, must find the old bytes or the new ones, never a mix, and must say so when it
// rolled back. The recovery itself is cut too, at each of its calls, for a cut in the middle of
// each write's device pages.
TEST(PowerCut, EveryCutLeavesTheOldBytesOrTheNew) {
  struct Write { std::vector<std::string> args; const char* rolled_back; };
  const Write writes[] = {
      {{"-O", "25 s " + std::string(32, 'Q')}, "32 bytes at offset 0xb6"},
      {{"-G", "sn s ABCDEFGHIJ"}, "10 bytes at offset 0x216"},
      {{"-S"}, "4 bytes at offset 0x3fc"},
      {{"-w", "RAW", "-b", "1"}, "1024 bytes at offset 0x400"}};
  const std::vector<std::string> reader = {"-s"};
  unsigned runs = 0;
  for (const unsigned page : {32u, 1u}) {
    for (const Write& w : writes) {
      Board clean;
      const std::vector<Bytes> before = clean.state();
      ASSERT_EQ(run_cut(clean, w.args, page, ~0u).status, 0);
      const std::vector<Bytes> after = clean.state();
      // cppcheck-suppress knownConditionTrueFalse ; state() reads the device files, which the run between changed
      ASSERT_NE(before, after);
      const std::vector<DeviceOp> kinds = kinds_of_run();
      const std::vector<unsigned> cuts = cut_points(kinds, page);
      const unsigned device_writes = static_cast<unsigned>(std::count(kinds.begin(), kinds.end(), OP_WRITE));
      unsigned seen_writes = 0;
      for (const unsigned cut : cuts) {
        const bool middle = kinds[cut] == OP_WRITE && ++seen_writes == device_writes / 2 && page == 32;
        // The next command after the cut, and for a cut in the middle also each cut of its
        // recovery followed by one more command.
        std::vector<unsigned> recovery_cuts = {~0u};
        if (middle) {
          Board probe;
          run_cut(probe, w.args, page, cut);
          run_cut(probe, reader, page, ~0u);
          const std::vector<unsigned> more = cut_points(kinds_of_run(), page);
          recovery_cuts.insert(recovery_cuts.end(), more.begin(), more.end());
        }
        for (const unsigned recovery_cut : recovery_cuts) {
          SCOPED_TRACE(::testing::PrintToString(w.args) + " page " + std::to_string(page) + " cut at call " +
                       std::to_string(cut) + " of " + std::to_string(kinds.size()) +
                       (recovery_cut == ~0u ? "" : ", recovery cut at call " + std::to_string(recovery_cut)));
          ++runs;
          Board board;
          ASSERT_EQ(run_cut(board, w.args, page, cut).status, 99);
          bool hot = false;
          for (const std::string& name : journals(board)) hot = hot || name.find(".journal") != std::string::npos;
          if (recovery_cut != ~0u) { ASSERT_EQ(run_cut(board, reader, page, recovery_cut).status, 99); }
          const RunResult next = run_cut(board, reader, page, ~0u);
          EXPECT_EQ(next.status, 0) << next.out << next.err;
          const std::vector<Bytes> left = board.state();
          // cppcheck-suppress knownConditionTrueFalse ; state() reads the device files, which the run between changed
          EXPECT_TRUE(left == before || left == after);
          if (hot) { EXPECT_TRUE(left == before); }
          // A recovery cut after its journal was gone has nothing left to say.
          const bool said = next.err == "orvantis: " + board.file("dev/mb_vpd") +
                                            ": rolled back an interrupted write of " + w.rolled_back + "\n";
          if (recovery_cut == ~0u) {
            EXPECT_EQ(said, hot) << next.err;
          } else {
            EXPECT_TRUE(said || next.err.empty()) << next.err;
          }
          EXPECT_EQ(journals(board), std::vector<std::string>());
        }
      }
    }
  }
  std::printf("%u power cuts, every one left the old bytes or the new\n", runs);
}

// A hot journal: a burn of block 1 cut after 16 of its 32 pages.
void make_hot_journal(const Board& board) {
  reset_shared()->page = 32;
  g->pause_op = OP_WRITE;
  g->pause_at = 16;
  g_meanwhile = []() -> bool { power_cut(); };
  ASSERT_EQ(board.run({"-w", "RAW", "-b", "1"}).status, 99);
  ASSERT_EQ(journals(board).size(), 1u);
}

// The journal's name for the board's system board device: the CRC-32 of its canonical path.
std::string journal_name(const Board& board, const char* suffix) {
  char* path = ::realpath(board.file("dev/mb_vpd").c_str(), nullptr);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", reference_crc32(reinterpret_cast<unsigned char*>(path), std::strlen(path)));
  std::free(path);
  return std::string(hex) + suffix;
}

// What each fault of the journal and its folder does to the commands that meet it.
TEST(PowerCut, JournalFaultsEachHaveTheirOutcome) {
  const std::vector<std::string> read = {"-s"}, write = {"-G", "sn s ABCDEFGHIJ"};
  struct Row {
    const char* name;
    std::function<void(const Board&)> setup;  // in the test, before the command
    std::vector<std::string> args;
    int status;
    const char* out;  // the last line of standard output, or null for the command's usual output
    const char* err;  // a part of standard error ("" for none at all)
    size_t journals_left;
  };
  const std::string wp_cause = "write did not read back";
  const Row rows[] = {
      {"temporary journal left behind", [](const Board& b) { write_file(b.file("journal/" + journal_name(b, ".tmp")), "par"); },
       read, 0, nullptr, "", 0},
      {"damaged journal", [](const Board& b) {
         make_hot_journal(b);
         const std::string j = b.file("journal/" + journal_name(b, ".journal"));
         Bytes bytes = read_file(j);
         bytes.at(60) ^= 1;
         write_file(j, bytes);
       }, read, 1, "Failed to fetch vpd data!\n", "the journal of an interrupted write is damaged; it is kept", 1},
      {"damaged journal, writer", [](const Board& b) {
         make_hot_journal(b);
         write_file(b.file("journal/" + journal_name(b, ".journal")), "ORVJRNL\n");
       }, write, 1, "Failed to fetch vpd data!\n", "is damaged", 1},
      {"another device's journal", [](const Board& b) { make_hot_journal(b); },
       {"-i", "1", "-O", "25 s " + std::string(32, 'R')}, 0, nullptr, "", 1},
      {"journal of a device gone from the inventory", [](const Board& b) {
         make_hot_journal(b);
         std::string inv = string_of(read_file(b.file("inventory")));
         inv.erase(inv.find("\n0 ") + 1, inv.find("\n1 ") - inv.find("\n0 "));
         write_file(b.file("inventory"), inv);
       }, {"-i", "1", "-p"}, 0, nullptr, "", 1},
      {"hot journal on a write-protected chip", [](const Board& b) { make_hot_journal(b); g->write_protected = true; },
       read, 1, "Failed to fetch vpd data!\n", "write did not read back", 1},
      {"journal folder missing", [](const Board& b) { std::filesystem::remove_all(b.file("journal")); },
       write, 0, nullptr, "", 0},
      {"journal folder cannot be made", [](const Board& b) {
         std::filesystem::remove_all(b.file("journal"));
         g->fail_every = true, g->fail_kind = OP_MKDIR, g->error = EROFS;
       }, write, 1, "Failed to update VPD\n", "journal: cannot make the journal folder: Read-only file system", 0},
      {"journal folder read-only", [](const Board&) { g->fail_every = true, g->fail_kind = OP_CREATE, g->error = EROFS; },
       write, 1, "Failed to update VPD\n", "cannot create the journal: Read-only file system", 0},
      {"journal folder full", [](const Board&) { g->fail_every = true, g->fail_kind = OP_JWRITE, g->error = ENOSPC; },
       write, 1, "Failed to update VPD\n", "cannot write the journal: No space left on device", 0},
      {"journal folder a dangling symlink", [](const Board& b) {
         std::filesystem::remove_all(b.file("journal"));
         std::filesystem::create_symlink(b.file("nowhere/journal"), b.file("journal"));
       }, write, 1, "Failed to update VPD\n", "cannot create the journal: No such file or directory", 0},
      {"journal folder unreadable", [](const Board&) { g->fail_every = true, g->fail_kind = OP_LIST, g->error = EACCES; },
       read, 1, "Failed to fetch vpd data!\n", "journal: cannot read the journal folder: Permission denied", 0},
      {"a file in place of the journal folder", [](const Board& b) {
         std::filesystem::remove_all(b.file("journal"));
         write_file(b.file("journal"), "x");
       }, write, 1, "Failed to fetch vpd data!\n", "journal: cannot read the journal folder: Not a directory", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Board board;
    reset_shared();
    row.setup(board);
    const std::vector<Bytes> before = board.state();
    const bool fail_every = g->fail_every, write_protected = g->write_protected;
    const DeviceOp kind = g->fail_kind;
    const int error = g->error;
    reset_shared();
    g->fail_every = fail_every, g->fail_kind = kind, g->error = error, g->write_protected = write_protected;
    const RunResult r = board.run(row.args);
    EXPECT_EQ(r.status, row.status) << r.out << r.err;
    if (row.out) { EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), row.out) << r.out; }
    if (*row.err == 0) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    }
    std::error_code is_file;
    if (std::filesystem::is_directory(board.file("journal"), is_file)) { EXPECT_EQ(journals(board).size(), row.journals_left); }
    // cppcheck-suppress knownConditionTrueFalse ; state() reads the device files, which the run between changed
    if (row.status != 0) { EXPECT_TRUE(board.state() == before); }  // nothing written, nothing rolled back
  }
}

// Two commands find the same hot journal: the first to get the exclusive lock rolls back, the
// other finds the journal gone and goes on.
TEST(PowerCut, TwoCommandsFindOneHotJournal) {
  Board board;
  const std::vector<Bytes> before = board.state();
  make_hot_journal(board);
  // The reader found the journal under its shared lock and let go; the other command runs whole
  // (in the reader's pause, so it is checked there) before the reader takes the exclusive lock.
  const RunResult r = board.run_paused({"-s"}, OP_LOCK, 1, [&] {
    const RunResult other = board.SampleDb::run({"-p"});
    return other.status == 0 &&
           other.err.find(": rolled back an interrupted write of 1024 bytes at offset 0x400\n") != std::string::npos;
  });
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(board.state() == before);
  EXPECT_EQ(journals(board), std::vector<std::string>());
}

// Signals that end a process wait until the write is whole; a file-size limit fails the write,
// which is undone at once: the rollback stops at the limit too, where the old bytes still are.
TEST(PowerCut, SignalsAndLimitsNeverTearAWrite) {
  Board board;
  const RunResult r = board.run_paused({"-w", "RAW", "-b", "1"}, OP_WRITE, 0, [] { return ::kill(::getpid(), SIGTERM) == 0; });
  EXPECT_EQ(r.status, 128 + SIGTERM);
  EXPECT_EQ(read_file(board.file("dev/mb_vpd")).at(0x7FF), read_file(board.file("block.raw")).at(0x3FF));
  EXPECT_EQ(journals(board), std::vector<std::string>());

  Board limited;
  const Bytes mb = read_file(limited.file("dev/mb_vpd"));
  const RunResult big = limited.SampleDb::run({"-G", "sn s ZZZZZZZZZZ"}, {"prlimit", "--fsize=540"});
  EXPECT_EQ(big.out, "Failed to update VPD\n");
  EXPECT_EQ(big.status, 1);
  EXPECT_NE(big.err.find("File too large"), std::string::npos) << big.err;
  EXPECT_EQ(journals(limited), std::vector<std::string>());  // undone, up to the limit it reached
  const RunResult next = limited.SampleDb::run({"-g", "sn"});
  EXPECT_EQ(next.out, "J30A4F7K  \n");
  EXPECT_EQ(read_file(limited.file("dev/mb_vpd")), mb);
}

}  // namespace
}  // namespace testing
}  // namespace orvantis
