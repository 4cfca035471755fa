// SPDX-License-Identifier: Apache-2.0
// The system calls the device layer (device_file.h) and the rollback journal (journal.h) make,
// behind one interface the library hands to every record. This class makes the calls themselves,
// and is what the tool uses; tests derive from it to make a device fail, stall or lose power part
// way through a call, and to cut the power between the journal's writes and syncs.
//
// Each call behaves as its namesake in the C library: a result below 0 is a failure with errno set.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

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
  virtual int fcntl(int fd, int command, int argument);
  virtual off_t lseek(int fd, off_t offset, int whence);

  // The journal's file and folder operations. create makes a new file (mode 0600) that no other
  // name or symlink stands for, open for reading and writing; list gives the names in a folder
  // but "." and ".."; canonical resolves every symlink, "." and ".." of an existing path.
  virtual int create(const char* path);
  virtual int mkdir(const char* path, mode_t mode);
  virtual int rename(const char* from, const char* to);
  virtual int unlink(const char* path);
  virtual int list(const char* dir, std::vector<std::string>* names);
  virtual int canonical(const char* path, std::string* out);

  // How long an open waits for its device's lock, in milliseconds.
  unsigned lock_timeout_ms = 3000;
};

}  // namespace vpd_platform
