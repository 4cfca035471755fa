// SPDX-License-Identifier: Apache-2.0
#include "image/raw_block.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "util/report.h"

namespace orvantis {
namespace {

// The block offset is an unsigned 32-bit product, as on the target.
uint32_t block_offset(uint32_t block, uint32_t block_size) { return block * block_size; }

// Reads exactly `size` bytes and then looks for the end of the file: the bytes the file held, `size`
// when exactly one block, fewer when it ended early (it shrank after its size was taken), size + 1
// when it goes on (it grew); -1 on a read error.
int64_t read_whole_block(int fd, unsigned char* buffer, uint32_t size) {
  uint32_t done = 0;
  unsigned char extra;
  while (done < size) {
    const ssize_t n = read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) return done;
    done += static_cast<uint32_t>(n);
  }
  ssize_t n;
  while ((n = read(fd, &extra, 1)) < 0 && errno == EINTR) {
  }
  return n < 0 ? -1 : int64_t{size} + n;
}

// A raw file is never written over the VPD of a FRU, the inventory or the journal: refused, with
// the reason on standard error. `st` is null for a file that does not exist yet.
bool forbidden_output(const char* raw_path, const struct stat* st, bool report_failure) {
  const std::string why = vpd_db::refused_output(st, raw_path);
  if (!why.empty() && report_failure)
    report("%s: %s; a raw file is never written over it", raw_path, why.c_str());
  return !why.empty();
}

}  // namespace

bool allocate_block(uint32_t block_size, std::vector<unsigned char>* buffer) {
  try {
    buffer->assign(block_size == 0 ? 1 : block_size, 0);
    return true;
  } catch (const std::bad_alloc&) {
    printf("Error! Failed to allocate data_buffer of size 0x%X\n", block_size);
    flush_output(stdout);
    return false;
  }
}

// The path is checked before the open that can create it, and the open descriptor again before a
// byte is truncated or written, so nothing put at the path in between is ever written to. The
// open never waits: a FIFO without a reader is refused rather than waited on.
int open_raw_output(const char* raw_path, bool report_failure) {
  struct stat st;
  if (forbidden_output(raw_path, ::stat(raw_path, &st) == 0 ? &st : nullptr, report_failure)) return -1;
  const int fd = ::open(raw_path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    if (report_failure) report("%s: cannot open for writing: %s", raw_path, std::strerror(errno));
    return -1;
  }
  const char* refused = nullptr;
  if (::fstat(fd, &st) != 0) {
    refused = std::strerror(errno);
  } else if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode)) {
    refused = "not a regular file, pipe or character device";
  } else if (forbidden_output(raw_path, &st, report_failure)) {
    ::close(fd);
    return -1;
  } else {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        (S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0))
      refused = std::strerror(errno);
  }
  if (refused == nullptr) return fd;
  if (report_failure) report("%s: %s", raw_path, refused);
  ::close(fd);
  return -1;
}

bool write_and_close(int fd, const unsigned char* buffer, uint32_t size, const char* path) {
  uint32_t done = 0;
  int error = 0;
  while (done < size) {
    const ssize_t n = write(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += static_cast<uint32_t>(n);
  }
  // A close error is the last word of a delayed write failure (NFS, quotas).
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) report("%s: cannot write: %s", path, std::strerror(error));
  return error == 0;
}

// The raw file is created (or truncated) before the device is read, so a failed read leaves it
// empty rather than holding an older block: nobody can burn a stale image by mistake.
int dump_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path) {
  std::vector<unsigned char> buffer;
  if (!allocate_block(block_size, &buffer)) return 1;
  const int raw = open_raw_output(raw_path, true);
  if (raw < 0) return print_failure("Failed to open binary output file.\n");
  if (record->read_raw(block_offset(block, block_size), block_size, buffer.data()) == 0) {
    close(raw);
    return print_failure("Failed reading vpd data from vpd_obj!\n");
  }
  const bool written = write_and_close(raw, buffer.data(), block_size, raw_path);
  return written ? 0 : print_failure("Failed to write binary output file.\n");
}

// Only a regular file of exactly one block reaches the device; a missing file, a directory, a FIFO
// (opened without waiting for a writer) and any other length are all the same refusal, before
// anything is written, and standard error says which. The kind comes from the open descriptor, the
// length from reading it: the read must deliver exactly one block and then reach the end, so a
// file that is shorter, longer or changing never burns zeros or a partial image, and a huge one
// costs one block and a byte.
int burn_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path) {
  static const char kWrongSize[] = "Corrupted VPD Raw File (wrong size)!\n";
  const int fd = open(raw_path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat st;
  const char* refused = fd < 0 || fstat(fd, &st) != 0 ? std::strerror(errno)
                        : S_ISDIR(st.st_mode)         ? std::strerror(EISDIR)
                        : S_ISREG(st.st_mode)         ? nullptr
                                                      : "not a regular file";
  if (refused != nullptr) {
    report("%s: %s", raw_path, refused);
    if (fd >= 0) close(fd);
    return print_failure(kWrongSize);
  }
  std::vector<unsigned char> buffer;
  const bool allocated = allocate_block(block_size, &buffer);
  const int64_t held = allocated ? read_whole_block(fd, buffer.data(), block_size) : 0;
  const int read_error = errno;
  close(fd);
  if (!allocated) return 1;
  if (held < 0) {
    report("%s: cannot read: %s", raw_path, std::strerror(read_error));
  } else if (held != block_size) {
    // A file that goes on is as long as it says, or at least one byte past the block.
    report("%s: holds %lld bytes, expected %u (one block)", raw_path,
           static_cast<long long>(held < block_size ? held : std::max<int64_t>(st.st_size, held)), block_size);
  }
  if (held != block_size) return print_failure(kWrongSize);
  const int written = record->write_raw(block_offset(block, block_size), block_size, buffer.data(), false);
  if (written == 0) return print_failed_update();
  return 0;
}

}  // namespace orvantis
