// SPDX-License-Identifier: Apache-2.0
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>

#include "cli/dispatch.h"
#include "util/report.h"

namespace {

// Far more stack than any command takes: each runs within 24 KB, its environment included.
constexpr size_t kStackReserve = 64 * 1024;

// Touches kStackReserve bytes of stack from the top down, so that a stack limit too small for the
// tool ends it here, before any device is opened, never in the middle of a write.
__attribute__((noinline)) void reserve_stack() {
  volatile unsigned char probe[kStackReserve];
  for (size_t i = kStackReserve; i > 0; i -= 256) probe[i - 1] = 0;
  (void)probe[0];  // a read of the deepest byte, so the array is used
}

// Memory set aside at the start. With the address space exhausted, std::bad_alloc could not
// even be allocated and the process would end in std::terminate: the first failed allocation
// releases this and throws, so the exception has room and the tool's own handling (a message
// and status 1) runs. A failure after that, or before the reserve was made, ends the tool here.
constexpr size_t kMemoryReserve = 16 * 1024;
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
  int status = 1;
  try {
    status = orvantis::run_tool(argc, argv);
  } catch (const std::bad_alloc&) {
    orvantis::report("out of memory");
  } catch (const std::exception& e) {
    orvantis::report("%s", e.what());
  } catch (...) {
    orvantis::report("unexpected error");
  }
  std::exit(orvantis::finish_stdout(status));
}
