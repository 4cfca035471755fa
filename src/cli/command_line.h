// SPDX-License-Identifier: Apache-2.0
// The command line: one tool mode per invocation plus its settings.
#pragma once

#include <cstdint>
#include <string>

namespace orvantis {

// The numbers are the values the dispatch switches on; the last mode option wins.
enum ToolMode : int {
  MODE_NONE = 0,
  MODE_PRINT = 1,           // -p
  MODE_PRINT_FIELD = 2,     // -o NUM
  MODE_SET_FIELD = 3,       // -O "NUM type data"
  MODE_BURN = 4,            // -w rawFile
  MODE_CONVERT = 5,         // -c asciiFile rawFile
  MODE_DUMP = 6,            // -r rawFile
  MODE_LIST_FRUS = 7,       // -l
  MODE_LIST_FIELDS = 8,     // -n
  MODE_GET_NAMED = 9,       // -g id
  MODE_SET_NAMED = 10,      // -G "id type data"
  MODE_CHECK_CRC = 11,      // -s
  MODE_FIX_CRC = 12,        // -S
  MODE_FIX_TEXT = 13,       // -f
  MODE_EXAMINE_TEXT = 14,   // -e
  MODE_PLATFORM_ID = 15,    // -P
};

struct CommandLine {
  int mode = MODE_NONE;
  int32_t block = 0;
  uint32_t fru_id = 0;  // only the low byte names the FRU; the full value is kept for -B and messages
  bool backup = false;
  bool no_adjust = false;
  uint16_t blocksize = 0;
  bool blocksize_given = false;
  int32_t field_number = 0;  // -o; used as its low 16 bits
  std::string input_file;    // -w, and -c's asciiFile
  std::string output_file;   // -r, and -c's rawFile
  std::string request;       // -O and -G share it
  std::string field_name;    // -g
};

// Parses the options into *out. Returns true to go on; false after it printed the usage text or a
// validation message, with the exit status in *exit_status.
bool parse_command_line(int argc, char** argv, CommandLine* out, int* exit_status);

// Writes the 25-line usage text to standard output.
void print_usage();

}  // namespace orvantis
