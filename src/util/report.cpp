// SPDX-License-Identifier: Apache-2.0
#include "util/report.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

namespace orvantis {
namespace {

int g_stdout_errno = 0;  // the first failure to write standard output

void note_stdout_failure() {
  if (g_stdout_errno == 0) g_stdout_errno = errno != 0 ? errno : EIO;
}

}  // namespace

// NOLINTNEXTLINE(cert-dcl50-cpp): printf-style, so -Wformat checks every caller's arguments
void report(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::fprintf(stderr, "%s: %s\n", kProgramName, line);
}

bool ensure_standard_descriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open returns the lowest free descriptor, which is this one.
    const int opened = ::open("/dev/null", O_RDWR | O_NOCTTY);
    if (opened != fd) {
      if (opened >= 0) ::close(opened);
      return false;
    }
  }
  return true;
}

void flush_output(FILE* out) {
  errno = 0;
  if (std::fflush(out) != 0 && out == stdout) note_stdout_failure();
}

int finish_stdout(int status) {
  flush_output(stdout);
  const bool lost = std::ferror(stdout) != 0;
  errno = 0;
  if (std::fclose(stdout) != 0) note_stdout_failure();
  if (!lost && g_stdout_errno == 0) return status;
  if (g_stdout_errno == 0) g_stdout_errno = EIO;
  report("standard output: %s", std::strerror(g_stdout_errno));
  return 1;
}

int print_failure(const char* line) {
  std::fputs(line, stdout);
  flush_output(stdout);
  return 1;
}

}  // namespace orvantis
