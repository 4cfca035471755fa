// SPDX-License-Identifier: Apache-2.0
// The whole invocation: parse, list or open, dispatch. Returns the process's exit status.
#pragma once

#include "cli/modes.h"

namespace orvantis {

// Runs one invocation with the modes of `modes` (the tool's are kModes); the caller exits with
// the result. Output goes to standard output and error.
int run_tool(const Rows<ModeRow>& modes, int argc, char** argv);

}  // namespace orvantis
