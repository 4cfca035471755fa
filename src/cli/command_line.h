// SPDX-License-Identifier: Apache-2.0
// The command line: one tool mode per invocation (the last mode option wins) plus its settings.
#pragma once

#include <cstdint>
#include <string>

#include "util/rows.h"

namespace orvantis {

struct ModeRow;  // cli/modes.h

struct CommandLine {
  char mode = 0;  // the last mode option's letter (the rows of cli/modes.h); 0: none given
  int32_t block = 0;
  uint32_t fru_id = 0;  // only the low byte names the FRU; the full value is kept for -B and messages
  bool backup = false;
  bool no_adjust = false;
  uint16_t blocksize = 0;  // -y, a fixed block size (1024 or 256); 0: the length word decides
  int32_t field_number = 0;  // -o; its table index part names the field
  std::string input_file;    // -w, and -c's asciiFile
  std::string output_file;   // -r, and -c's rawFile
  std::string request;       // -O and -G share it
  std::string field_name;    // -g

  // The FRU the library is asked for: the low byte of the id.
  uint8_t fru() const { return static_cast<uint8_t>(fru_id & 0xFFu); }
};

// The getopt option string: the options that are no mode, then each mode row's letter, with ':'
// after those that take an argument.
std::string getopt_options(const Rows<ModeRow>& modes);

// Parses the options into *out, the mode options from `modes`. Returns true to go on; false after it
// printed the usage text or a validation message, with the exit status in *exit_status.
bool parse_command_line(const Rows<ModeRow>& modes, int argc, char** argv, CommandLine* out,
                        int* exit_status);

}  // namespace orvantis
