// SPDX-License-Identifier: Apache-2.0
#include "device_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

// Offsets may reach 4 GiB on the 32-bit target: the build gives every file a 64-bit off_t.
static_assert(sizeof(off_t) == 8, "build with -D_FILE_OFFSET_BITS=64");

namespace vpd_platform {
namespace {

constexpr std::chrono::milliseconds kLockPoll{10};

unsigned long long ull(uint64_t v) { return static_cast<unsigned long long>(v); }

// Signals that would end the process are held from the journal's write until it is gone: they act
// once the device holds the old bytes or the new ones.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaddset(&held, s);
    sigprocmask(SIG_BLOCK, &held, &saved_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }

 private:
  sigset_t saved_;
};

}  // namespace

Device::~Device() { close(); }

void Device::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool Device::open(const std::string& path, DeviceAccess access) {
  path_ = path;
  // A file replaced while we waited for its lock is opened again; one that keeps being replaced
  // is given up on.
  for (int attempt = 0; attempt < 3; ++attempt) {
    bool replaced = false;
    if (open_once(access, &replaced)) {
      const Recovery r = recover(access);
      if (r == RECOVERY_CLEAN) return true;
      replaced = r == RECOVERY_REOPEN;
    }
    close();  // a device that failed to open is not open, whatever step failed
    if (!replaced) return false;
  }
  report("%s: replaced again and again while waiting for its lock", path_.c_str());
  return false;
}

bool Device::open_once(DeviceAccess access, bool* replaced) {
  close();
  write_errno_ = 0;
  // Without O_NONBLOCK a FIFO would wait here for a writer.
  const int flags = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  fd_ = env_.open(path_.c_str(), (access == DEVICE_READ ? O_RDONLY : O_RDWR) | flags);
  if (fd_ < 0 && access == DEVICE_UPDATE && (errno == EROFS || errno == EACCES || errno == EPERM)) {
    write_errno_ = errno;
    fd_ = env_.open(path_.c_str(), O_RDONLY | flags);
  }
  if (fd_ < 0) {
    report("%s: cannot open%s: %s", path_.c_str(), access == DEVICE_WRITE ? " for writing" : "",
           std::strerror(errno));
    return false;
  }
  struct stat st;
  if (env_.fstat(fd_, &st) != 0 ||
      (!S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode) && !S_ISCHR(st.st_mode))) {
    report("%s: not a file or device that can hold VPD", path_.c_str());
    return false;
  }
  character_ = S_ISCHR(st.st_mode);
  dev_ = st.st_dev;
  ino_ = st.st_ino;
  const int fl = ::fcntl(fd_, F_GETFL);
  if (fl < 0 || ::fcntl(fd_, F_SETFL, fl & ~O_NONBLOCK) != 0) {
    report("%s: %s", path_.c_str(), std::strerror(errno));
    return false;
  }
  if (!lock(access)) return false;
  const PathCheck check = check_path("cannot check the file after locking it");
  *replaced = check == PATH_NAMES_ANOTHER_FILE;
  return check == PATH_NAMES_OPEN_FILE;
}

// A failed check is reported with `what` and the system's text.
Device::PathCheck Device::check_path(const char* what) const {
  struct stat st;
  if (env_.stat(path_.c_str(), &st) != 0) {
    report("%s: %s: %s", path_.c_str(), what, std::strerror(errno));
    return PATH_CHECK_FAILED;
  }
  return st.st_dev == dev_ && st.st_ino == ino_ ? PATH_NAMES_OPEN_FILE : PATH_NAMES_ANOTHER_FILE;
}

// Polls for the flock lock until the timeout passes.
bool Device::lock(DeviceAccess access) {
  const int operation = (access == DEVICE_READ ? LOCK_SH : LOCK_EX) | LOCK_NB;
  const unsigned timeout = env_.lock_timeout_ms;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout);
  while (env_.flock(fd_, operation) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      report("%s: cannot lock: %s", path_.c_str(), std::strerror(errno));
      return false;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      if (timeout % 1000 == 0)
        report("%s: lock not obtained within %u s", path_.c_str(), timeout / 1000);
      else
        report("%s: lock not obtained within %u ms", path_.c_str(), timeout);
      return false;
    }
    std::this_thread::sleep_for(kLockPoll);
  }
  return true;
}

bool Device::file_length(uint64_t* out) const {
  if (character_) return false;
  struct stat st;
  if (env_.fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) {
    *out = static_cast<uint64_t>(st.st_size);
    return true;
  }
  const off_t end = ::lseek(fd_, 0, SEEK_END);  // a block device tells its size this way
  if (end < 0) return false;
  *out = static_cast<uint64_t>(end);
  return true;
}

bool Device::read(uint64_t offset, uint32_t length, unsigned char* buffer) {
  uint32_t done = 0;
  while (done < length) {
    const ssize_t n = env_.pread(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      report("%s: read failed at offset 0x%llx: %s", path_.c_str(), ull(offset + done),
             std::strerror(errno));
      return false;
    }
    if (n == 0) {
      report("%s: only %u of %u bytes at offset 0x%llx could be read", path_.c_str(), done, length,
             ull(offset));
      return false;
    }
    done += static_cast<uint32_t>(n);
  }
  return true;
}

Device::Recovery Device::recover(DeviceAccess access) {
  if (!journal_.enabled()) return RECOVERY_CLEAN;
  struct stat st;
  if (env_.fstat(fd_, &st) != 0 || !journal_.identify(path_, st)) return RECOVERY_FAILED;
  JournalEntry hot;
  const Journal::Found found = journal_.find(&hot);
  if (found != Journal::JOURNAL_HOT) return found == Journal::JOURNAL_NONE ? RECOVERY_CLEAN : RECOVERY_FAILED;
  if (access == DEVICE_READ) {
    // The rollback needs the exclusive lock, which a shared holder cannot take: let go, and let a
    // writer's open roll back (or find that another process already did).
    close();
    Device writer(env_, journal_dir_);
    return writer.open(path_, DEVICE_WRITE) ? RECOVERY_REOPEN : RECOVERY_FAILED;
  }
  const uint32_t length = static_cast<uint32_t>(hot.bytes.size());
  if (write_errno_ != 0) {
    report("%s: cannot roll back an interrupted write: cannot open for writing: %s", path_.c_str(),
           std::strerror(write_errno_));
    return RECOVERY_FAILED;
  }
  if (!restore(hot.offset, length, hot.bytes.data()) || !journal_.remove()) return RECOVERY_FAILED;
  report("%s: rolled back an interrupted write of %u bytes at offset 0x%llx", path_.c_str(), length,
         ull(hot.offset));
  return RECOVERY_CLEAN;
}

bool Device::write(uint64_t offset, uint32_t length, const unsigned char* buffer) {
  if (write_errno_ != 0) {
    report("%s: cannot open for writing: %s", path_.c_str(), std::strerror(write_errno_));
    return false;
  }
  const PathCheck check = check_path("cannot check the file before writing");
  if (check == PATH_NAMES_ANOTHER_FILE)
    report("%s: is no longer the file that was read; nothing written", path_.c_str());
  if (check != PATH_NAMES_OPEN_FILE) return false;
  uint64_t end = 0;
  if (file_length(&end) && offset + length > end) {
    report("%s: %u bytes at offset 0x%llx pass the end of the file (%llu bytes)", path_.c_str(),
           length, ull(offset), ull(end));
    return false;
  }
  if (!journal_.enabled()) return put(offset, length, buffer);
  std::vector<unsigned char> old(length);
  if (!read(offset, length, old.data())) return false;
  SignalsHeld held;
  if (!journal_.write(offset, old.data(), length)) return false;
  if (put(offset, length, buffer)) return journal_.remove();
  // Undone at once; when that fails too, the journal stays for the next command to roll back.
  if (restore(offset, length, old.data())) journal_.remove();
  return false;
}

// A device that refused a write may hold the old bytes all the same (a chip whose write-protect
// pin is held takes nothing; a file-size limit stops a rollback only past the bytes that
// changed): what it holds decides, before and after the old bytes are written back.
bool Device::restore(uint64_t offset, uint32_t length, const unsigned char* old) {
  const auto holds_old = [&] {
    std::vector<unsigned char> now(length);
    return read(offset, length, now.data()) && std::equal(now.begin(), now.end(), old);
  };
  return holds_old() || put(offset, length, old) || holds_old();
}

bool Device::put(uint64_t offset, uint32_t length, const unsigned char* buffer) {
  std::vector<unsigned char> back(length);  // before the first byte goes out: no allocation fails half way
  uint32_t done = 0;
  while (done < length) {
    const ssize_t n = env_.pwrite(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      report("%s: write failed at offset 0x%llx after %u of %u bytes: %s", path_.c_str(),
             ull(offset + done), done, length, n < 0 ? std::strerror(errno) : "no room");
      return false;
    }
    done += static_cast<uint32_t>(n);
  }
  if (env_.fsync(fd_) != 0 && !(character_ && errno == EINVAL)) {
    report("%s: sync failed: %s", path_.c_str(), std::strerror(errno));
    return false;
  }
  if (!read(offset, length, back.data())) return false;
  if (length > 0 && std::memcmp(back.data(), buffer, length) != 0) {
    report("%s: write did not read back (offset 0x%llx, %u bytes)", path_.c_str(), ull(offset), length);
    return false;
  }
  return true;
}

}  // namespace vpd_platform
