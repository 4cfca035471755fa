// SPDX-License-Identifier: Apache-2.0
// The system calls the device layer (device_file.h) makes on device files, behind one interface
// the library hands to every record. This class makes the calls themselves, and is what the tool
// uses; tests derive from it to make a device fail, stall or lose power part way through a call.
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
  virtual int open(const char* path, int flags);
  virtual int fstat(int fd, struct stat* st);
  // Whether a path still names the open file is asked with stat, never fstat.
  virtual int stat(const char* path, struct stat* st);
  virtual int flock(int fd, int operation);
  virtual ssize_t pread(int fd, unsigned char* buffer, size_t n, off_t offset);
  virtual ssize_t pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset);
  virtual int fsync(int fd);

  // How long an open waits for its device's lock, in milliseconds.
  unsigned lock_timeout_ms = 3000;
};

}  // namespace vpd_platform
