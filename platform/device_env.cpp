// SPDX-License-Identifier: Apache-2.0
#include "device_env.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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
int DeviceEnv::fcntl(int fd, int command, int argument) { return ::fcntl(fd, command, argument); }
off_t DeviceEnv::lseek(int fd, off_t offset, int whence) { return ::lseek(fd, offset, whence); }

int DeviceEnv::create(const char* path) {
  return ::open(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
}
int DeviceEnv::mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int DeviceEnv::rename(const char* from, const char* to) { return ::rename(from, to); }
int DeviceEnv::unlink(const char* path) { return ::unlink(path); }

int DeviceEnv::list(const char* dir, std::vector<std::string>* names) {
  DIR* d = ::opendir(dir);
  if (d == nullptr) return -1;
  names->clear();
  errno = 0;
  while (const dirent* e = ::readdir(d)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names->push_back(e->d_name);
    errno = 0;
  }
  const int error = errno;
  ::closedir(d);
  return error != 0 ? (errno = error, -1) : 0;
}

int DeviceEnv::canonical(const char* path, std::string* out) {
  char* resolved = ::realpath(path, nullptr);
  if (resolved == nullptr) return -1;
  *out = resolved;
  std::free(resolved);
  return 0;
}

}  // namespace vpd_platform
