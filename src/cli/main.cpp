// SPDX-License-Identifier: Apache-2.0
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

#include "cli/dispatch.h"
#include "util/report.h"
#include "util/sysfs.h"
#include "vpd_access/vpd.h"

namespace {


// Why descriptor fd must not receive the tool's output, or "". A sysfs file is refused whatever
// it is: an EEPROM the inventory does not name, or any other attribute, never wants a printout.
std::string refused_stream(int fd) {
  struct stat st;
  struct statfs fs;
  if (::fstat(fd, &st) != 0) return "";
  const std::string why = vpd_db::refused_output(&st, "/proc/self/fd/" + std::to_string(fd));
  if (why.empty() && ::fstatfs(fd, &fs) == 0 && fs.f_type == orvantis::kSysfsMagic) return "is a sysfs file";
  return why;
}

// Points fd at /dev/null, or closes it; no byte written after this reaches its file.
void silence(int fd) {
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0 || ::dup2(null, fd) < 0) ::close(fd);
  if (null >= 0) ::close(null);
}

// Standard output and error on a VPD device, the inventory, the journal or sysfs: a mistyped
// redirection must not put a printout or a message into an EEPROM. Each such descriptor is
// silenced and the command refused, with one line on standard error when it is not one of them.
bool standard_streams_usable() {
  std::string why[3];
  try {
    for (int fd = 1; fd <= 2; ++fd) why[fd] = refused_stream(fd);
  } catch (const std::bad_alloc&) {
    // Unchecked, only what holds no VPD is kept: a pipe, a socket, a terminal.
    for (int fd = 1; fd <= 2; ++fd) {
      struct stat st;
      if (::fstat(fd, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || ::isatty(fd))) silence(fd);
    }
    throw;
  }
  for (int fd = 1; fd <= 2; ++fd)
    if (!why[fd].empty()) silence(fd);
  if (!why[1].empty() && why[2].empty()) orvantis::report("refused: standard output %s", why[1].c_str());
  return why[1].empty() && why[2].empty();
}

// Far more stack than any command takes: each runs within 24 KB, its environment included.
constexpr size_t kStackReserve = size_t{64} * 1024;

// Touches kStackReserve bytes of stack from the top down, so that a stack limit too small for the
// tool ends it here, before any device is opened, never in the middle of a write.
__attribute__((noinline)) void reserve_stack() {
  volatile unsigned char probe[kStackReserve];
  for (size_t i = kStackReserve; i >= 256; i -= 256) probe[i - 256] = 0;
  // cppcheck-suppress uninitvar ; the loop's last step wrote it
  (void)probe[0];  // a read of the deepest byte, so the array is used
}

// Memory set aside at the start. With the address space exhausted, std::bad_alloc could not
// even be allocated and the process would end in std::terminate: the first failed allocation
// releases this and throws, so the exception has room and the tool's own handling (a message
// and status 1) runs. A failure after that, or before the reserve was made, ends the tool here.
constexpr size_t kMemoryReserve = size_t{16} * 1024;
char* g_reserve = nullptr;

void out_of_memory() {
  if (g_reserve != nullptr) {
    delete[] g_reserve;
    g_reserve = nullptr;
    throw std::bad_alloc();
  }
  orvantis::report("out of memory");
  std::exit(orvantis::finish_stdout(1));
}

}  // namespace

// Nothing escapes as an abort: any exception becomes one line on standard error and status 1.
// Output that never arrived is a failure whatever the command reported: a script must not take
// exit status 0 for a printout that is not there. A reader that went away has already ended the
// process by SIGPIPE, quietly, as for any filter.
int main(int argc, char** argv) {
  reserve_stack();
  std::set_new_handler(out_of_memory);
  g_reserve = new char[kMemoryReserve];
  // Before anything else is opened: a closed descriptor 1 or 2 would otherwise be handed to a
  // device or a raw file, and the next diagnostic written into it.
  if (!orvantis::ensure_standard_descriptors()) return 1;
  // A file-size limit fails the write that passes it (EFBIG, reported and rolled back) rather than
  // killing the process between two page writes.
  std::signal(SIGXFSZ, SIG_IGN);
  int status = 1;
  try {
    if (standard_streams_usable()) status = orvantis::run_tool(orvantis::kModes, argc, argv);
  } catch (const std::bad_alloc&) {
    orvantis::report("out of memory");
  } catch (const std::exception& e) {
    orvantis::report("%s", e.what());
  } catch (...) {
    orvantis::report("unexpected error");
  }
  std::exit(orvantis::finish_stdout(status));
}
