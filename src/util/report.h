// SPDX-License-Identifier: Apache-2.0
// Diagnostics on standard error and the fate of standard output, shared by the tool and the
// file-backed VPD library.
//
// Standard output carries the tool's fixed messages and printouts; standard error carries one
// line per failure cause, "orvantis: PATH: what", so a script can keep the two apart.
#pragma once

#include <cstdio>

namespace orvantis {

// The name every diagnostic line starts with.
constexpr const char kProgramName[] = "orvantis";

// Writes "orvantis: " and the formatted text as one line on standard error.
void report(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null, so that no file the tool opens
// later can become one of them (a diagnostic must never land in a VPD device or a raw file).
// False when /dev/null itself cannot be opened.
bool ensure_standard_descriptors();

// flush_output(out); for standard output the first failure's errno is kept for finish_stdout, since a
// failed flush discards the buffer and a later fclose then succeeds with the cause lost.
void flush_output(FILE* out);

// Flushes and closes standard output at the end of the run. `status` when all output arrived;
// otherwise one line "orvantis: standard output: " and the system's text on standard error, and 1.
int finish_stdout(int status);

// Writes `line` (which ends in "\n") to standard output and flushes it. Always 1, the exit status
// of the failure it reports.
int print_failure(const char* line);

// The library refused a write, did it short, or it did not read back.
inline int print_failed_update() { return print_failure("Failed to update VPD\n"); }

}  // namespace orvantis
