// Offsets may reach 4 GiB on the 32-bit target: use a 64-bit off_t in this file.
#define _FILE_OFFSET_BITS 64

#include "device_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace vpd_platform {
namespace {

constexpr unsigned kDefaultLockTimeoutMs = 3000;
constexpr long kLockPollMs = 10;

unsigned g_lock_timeout_ms = kDefaultLockTimeoutMs;

// An open device file, closed (and so unlocked) when it goes out of scope.
class DeviceFd {
 public:
  DeviceFd() = default;
  ~DeviceFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  DeviceFd(const DeviceFd&) = delete;
  DeviceFd& operator=(const DeviceFd&) = delete;

  // Opens without blocking (a FIFO would block a plain open) and keeps only files that can hold
  // VPD: regular files, block and character devices.
  bool open(const std::string& path, int mode) {
    fd_ = ::open(path.c_str(), mode | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0) return false;
    if (!S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode) && !S_ISCHR(st.st_mode)) return false;
    character_ = S_ISCHR(st.st_mode);
    int flags = ::fcntl(fd_, F_GETFL);
    return flags >= 0 && ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) == 0;
  }

  // Polls for the flock lock until the timeout passes.
  bool lock(int operation) {
    struct timespec start;
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
      if (::flock(fd_, operation | LOCK_NB) == 0) return true;
      if (errno != EWOULDBLOCK && errno != EINTR) return false;
      struct timespec now;
      ::clock_gettime(CLOCK_MONOTONIC, &now);
      long long waited_ms = (now.tv_sec - start.tv_sec) * 1000LL +
                            (now.tv_nsec - start.tv_nsec) / 1000000LL;
      if (waited_ms >= g_lock_timeout_ms) return false;
      struct timespec pause = {0, kLockPollMs * 1000000L};
      ::nanosleep(&pause, nullptr);
    }
  }

  // The file's length; character devices have none (returns false).
  bool length(uint64_t* out) const {
    if (character_) return false;
    off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) return false;
    *out = static_cast<uint64_t>(end);
    return true;
  }

  int fd() const { return fd_; }
  bool character() const { return character_; }

 private:
  int fd_ = -1;
  bool character_ = false;
};

// Reads up to `length` bytes at `offset` into *done, stopping early only at end of file. A failed
// read (EIO from an EEPROM bus) returns false: a short result must never pass for the whole device.
bool read_at(int fd, uint64_t offset, uint32_t length, unsigned char* buffer, uint32_t* done) {
  *done = 0;
  while (*done < length) {
    ssize_t n = ::pread(fd, buffer + *done, length - *done, static_cast<off_t>(offset + *done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    *done += static_cast<uint32_t>(n);
  }
  return true;
}

// Reads exactly `length` bytes at `offset`.
bool read_exact(int fd, uint64_t offset, uint32_t length, unsigned char* buffer) {
  uint32_t done = 0;
  return read_at(fd, offset, length, buffer, &done) && done == length;
}

uint32_t write_at(int fd, uint64_t offset, uint32_t length, const unsigned char* buffer) {
  uint32_t done = 0;
  while (done < length) {
    ssize_t n = ::pwrite(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

// A read error part way: nothing of what was read is returned.
DeviceStatus fail_read(std::vector<unsigned char>* out) {
  out->clear();
  return DEVICE_SHORT;
}

}  // namespace

void set_lock_timeout_ms(unsigned ms) { g_lock_timeout_ms = ms; }

DeviceStatus device_read(const std::string& path, uint64_t offset, uint32_t length,
                         unsigned char* buffer) {
  DeviceFd file;
  if (!file.open(path, O_RDONLY)) return DEVICE_OPEN_FAILED;
  if (!file.lock(LOCK_SH)) return DEVICE_LOCK_TIMEOUT;
  return read_exact(file.fd(), offset, length, buffer) ? DEVICE_OK : DEVICE_SHORT;
}

DeviceStatus device_read_all(const std::string& path, uint32_t limit,
                             std::vector<unsigned char>* out) {
  out->clear();
  DeviceFd file;
  if (!file.open(path, O_RDONLY)) return DEVICE_OPEN_FAILED;
  if (!file.lock(LOCK_SH)) return DEVICE_LOCK_TIMEOUT;
  uint64_t end = 0;
  if (file.length(&end)) {
    uint32_t want = end < limit ? static_cast<uint32_t>(end) : limit;
    out->resize(want);
    uint32_t got = 0;
    if (!read_at(file.fd(), 0, want, out->data(), &got)) return fail_read(out);
    out->resize(got);
  } else {
    // A character device tells no length: read it in chunks up to the limit or its end.
    constexpr uint32_t kChunk = 0x10000;
    while (out->size() < limit) {
      size_t have = out->size();
      uint32_t want = limit - static_cast<uint32_t>(have) < kChunk
                          ? limit - static_cast<uint32_t>(have) : kChunk;
      out->resize(have + want);
      uint32_t got = 0;
      if (!read_at(file.fd(), have, want, out->data() + have, &got)) return fail_read(out);
      out->resize(have + got);
      if (got < want) break;
    }
  }
  return out->empty() ? DEVICE_SHORT : DEVICE_OK;
}

DeviceStatus device_write(const std::string& path, uint64_t offset, uint32_t length,
                          const unsigned char* buffer) {
  DeviceFd file;
  if (!file.open(path, O_RDWR)) return DEVICE_OPEN_FAILED;
  if (!file.lock(LOCK_EX)) return DEVICE_LOCK_TIMEOUT;
  if (!file.character()) {
    uint64_t end = 0;
    if (!file.length(&end)) return DEVICE_OPEN_FAILED;
    if (offset + length > end) return DEVICE_OUT_OF_RANGE;
  }
  if (write_at(file.fd(), offset, length, buffer) != length) return DEVICE_SHORT;
  if (::fsync(file.fd()) != 0 && !(file.character() && errno == EINVAL)) return DEVICE_SYNC_FAILED;
  std::vector<unsigned char> back(length);
  if (!read_exact(file.fd(), offset, length, back.data())) return DEVICE_SHORT;
  if (length > 0 && std::memcmp(back.data(), buffer, length) != 0) return DEVICE_MISMATCH;
  return DEVICE_OK;
}

}  // namespace vpd_platform
