// SPDX-License-Identifier: Apache-2.0
// The system calls the device layer (device_file.h) makes on device files, behind one interface
// the library hands to every record: the file-backed one below in the tool, another one in tests
// that want a device to fail, stall or lose power part way through a call.
//
// Each call behaves as its namesake in the C library: a result below 0 is a failure with errno set.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace vpd_platform {

class DeviceEnv {
 public:
  virtual ~DeviceEnv() = default;
  virtual int open(const char* path, int flags) = 0;
  virtual int fstat(int fd, struct stat* st) = 0;
  // Whether a path still names the open file is asked with stat, never fstat.
  virtual int stat(const char* path, struct stat* st) = 0;
  virtual int flock(int fd, int operation) = 0;
  virtual ssize_t pread(int fd, unsigned char* buffer, size_t n, off_t offset) = 0;
  virtual ssize_t pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset) = 0;
  virtual int fsync(int fd) = 0;

  // How long an open waits for its device's lock, in milliseconds.
  unsigned lock_timeout_ms = 3000;
};

// The calls made on the files themselves.
class FileDeviceEnv : public DeviceEnv {
 public:
  int open(const char* path, int flags) override;
  int fstat(int fd, struct stat* st) override;
  int stat(const char* path, struct stat* st) override;
  int flock(int fd, int operation) override;
  ssize_t pread(int fd, unsigned char* buffer, size_t n, off_t offset) override;
  ssize_t pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset) override;
  int fsync(int fd) override;
};

}  // namespace vpd_platform
