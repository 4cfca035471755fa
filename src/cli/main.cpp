#include <cstdio>
#include <cstdlib>

#include "cli/dispatch.h"

int main(int argc, char** argv) {
  int status = orvantis::run_tool(argc, argv);
  std::fflush(stdout);
  std::exit(status);
}
