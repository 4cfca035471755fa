// SPDX-License-Identifier: Apache-2.0
#include <csignal>
#include <cstdlib>
#include <exception>
#include <new>

#include "cli/dispatch.h"
#include "util/report.h"

// Nothing escapes as an abort: any exception becomes one line on standard error and status 1.
// Output that never arrived is a failure whatever the command reported: a script must not take
// exit status 0 for a printout that is not there. A reader that went away has already ended the
// process by SIGPIPE, quietly, as for any filter.
int main(int argc, char** argv) {
  // Before anything else is opened: a closed descriptor 1 or 2 would otherwise be handed to a
  // device or a raw file, and the next diagnostic written into it.
  if (!orvantis::ensure_standard_descriptors()) return 1;
  // A file-size limit fails the write that passes it (EFBIG, reported and rolled back) rather than
  // killing the process between two page writes.
  std::signal(SIGXFSZ, SIG_IGN);
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
