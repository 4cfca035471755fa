// SPDX-License-Identifier: Apache-2.0
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

#include "cli/dispatch.h"

namespace {

int fail(const char* what) {
  std::fprintf(stderr, "orvantis: %s\n", what);
  return 1;
}

// Output that never arrived is a failure whatever the command reported: a script must not take
// exit status 0 for a printout that is not there. A reader that went away has already ended the
// process by SIGPIPE, quietly, as for any filter.
int close_stdout(int status) {
  const bool lost = std::ferror(stdout) != 0;
  errno = 0;
  const bool closed = std::fclose(stdout) == 0;
  if (!lost && closed) return status;
  std::fprintf(stderr, "orvantis: standard output: %s\n",
               closed || errno == 0 ? "write error" : std::strerror(errno));
  return 1;
}

}  // namespace

// Nothing escapes as an abort: any exception becomes one line on standard error and status 1.
int main(int argc, char** argv) {
  int status;
  try {
    status = orvantis::run_tool(argc, argv);
  } catch (const std::bad_alloc&) {
    status = fail("out of memory");
  } catch (const std::exception& e) {
    status = fail(e.what());
  } catch (...) {
    status = fail("unexpected error");
  }
  std::exit(close_stdout(status));
}
