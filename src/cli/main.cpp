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

// A failed allocation ends the tool here rather than by an exception: with the address space
// exhausted, the exception itself cannot be allocated and std::terminate would abort the process.
void out_of_memory() {
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
  // Before anything else is opened: a closed descriptor 1 or 2 would otherwise be handed to a
  // device or a raw file, and the next diagnostic written into it.
  if (!orvantis::ensure_standard_descriptors()) return 1;
  int status = 1;
  try {
    status = orvantis::run_tool(argc, argv);
  } catch (const std::exception& e) {
    orvantis::report("%s", e.what());
  } catch (...) {
    orvantis::report("unexpected error");
  }
  std::exit(orvantis::finish_stdout(status));
}
