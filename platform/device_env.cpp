// SPDX-License-Identifier: Apache-2.0
#include "device_env.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vpd_platform {

int DeviceEnv::open(const char* path, int flags) { return ::open(path, flags); }
int DeviceEnv::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int DeviceEnv::stat(const char* path, struct stat* st) { return ::stat(path, st); }
int DeviceEnv::flock(int fd, int operation) { return ::flock(fd, operation); }
ssize_t DeviceEnv::pread(int fd, unsigned char* buffer, size_t n, off_t offset) {
  return ::pread(fd, buffer, n, offset);
}
ssize_t DeviceEnv::pwrite(int fd, const unsigned char* buffer, size_t n, off_t offset) {
  return ::pwrite(fd, buffer, n, offset);
}
int DeviceEnv::fsync(int fd) { return ::fsync(fd); }

}  // namespace vpd_platform
