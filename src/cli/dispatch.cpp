#include "cli/dispatch.h"

namespace orvantis {
// Not built yet: refuse without output.
int run_tool(int, char**) { return 1; }
int dispatch(const CommandLine&, const OpenRecord&) { return 1; }
}  // namespace orvantis
