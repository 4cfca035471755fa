// SPDX-License-Identifier: Apache-2.0
// The whole invocation: parse, list or open, dispatch. Returns the process's exit status.
#pragma once

#include "cli/command_line.h"
#include "cli/open_record.h"

namespace orvantis {

// Runs one invocation; the caller exits with the result.
int run_tool(int argc, char** argv);

// Hands an opened record to the mode's handler; returns the exit status.
int dispatch(const CommandLine& cl, const OpenRecord& rec);

}  // namespace orvantis
