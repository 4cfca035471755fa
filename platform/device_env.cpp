// SPDX-License-Identifier: Apache-2.0
#include "device_env.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vpd_platform {

int FileDeviceEnv::open(const char* path, int flags) { return ::open(path, flags); }
int FileDeviceEnv::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int FileDeviceEnv::stat(const char* path, struct stat* st) { return ::stat(path, st); }
int FileDeviceEnv::flock(int fd, int operation) { return ::flock(fd, operation); }
ssize_t FileDeviceEnv::pread(int fd, unsigned char* buffer, size_t n, off_t offset) {
  return ::pread(fd, buffer, n, offset);
}
ssize_t FileDeviceEnv::pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset) {
  return ::pwrite(fd, buffer, n, offset);
}
int FileDeviceEnv::fsync(int fd) { return ::fsync(fd); }

}  // namespace vpd_platform
