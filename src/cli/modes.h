// SPDX-License-Identifier: Apache-2.0
// The tool's modes, one row each: the option that selects it, whether it opens a record, what it
// reads and writes, and the handler that runs it. The option parser and the load plan read the rows.
#pragma once

#include "cli/open_record.h"
#include "util/rows.h"

namespace orvantis {

// Where a mode option's argument goes.
enum ModeArgument {
  ARG_NONE,
  ARG_FIELD_NUMBER,   // -o NUM
  ARG_REQUEST,        // -O and -G "field type data"
  ARG_FIELD_NAME,     // -g id
  ARG_INPUT_FILE,     // -w rawFile
  ARG_OUTPUT_FILE,    // -r rawFile
  ARG_ASCII_AND_RAW,  // -c asciiFile rawFile: the second file is the word after the option's
};

struct Context;  // what a handler sees (dispatch.cpp)

struct ModeRow {
  char letter;  // 0: the mode of a command line without a mode option
  ModeArgument argument;
  bool opens_record;
  DataReads reads;
  bool writes;          // the device stays locked from load to the last write
  const char* refusal;  // printed, status 1, for a record that is not system VPD; null: any format
  int (*handler)(const Context&);
};

// The tool's modes. run_tool is handed the table it runs on; a test may hand it another.
extern const Rows<ModeRow> kModes;

// The row of a mode option letter (0: the row of no mode option), or null for any other letter.
inline const ModeRow* mode_row(const Rows<ModeRow>& modes, int letter) {
  for (const ModeRow& row : modes)
    if (row.letter == letter) return &row;
  return nullptr;
}

}  // namespace orvantis
