// SPDX-License-Identifier: Apache-2.0
// Entry points of the fuzz harnesses: each takes arbitrary bytes and drives one reader of hostile
// input through the tool's real code. libFuzzer calls them (fuzz/fuzz_main.cpp); the regression
// test replays saved inputs through the same functions in every build.
//
// A harness returns normally on every input. A broken invariant aborts, and the sanitizer builds
// stop at the first out-of-bounds access or undefined operation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvantis_fuzz {

// Bytes 0..3 choose the format, block and block size; the rest is a printout for convert_printout
// over that block's field range, into a heap buffer of exactly the block size.
void fuzz_converter(const uint8_t* data, size_t size);

// The whole input is a -O / -G request text: tokens, field number, type word, data bytes, names.
void fuzz_request(const uint8_t* data, size_t size);

// The whole input is an inventory file for the VPD database parser.
void fuzz_inventory(const uint8_t* data, size_t size);

// Byte 0 chooses the table and the printer's modes; the rest is a record's vpd_data (zero-filled
// to the library's size), printed field by field and put through the text conformance rule.
void fuzz_printer(const uint8_t* data, size_t size);

// A hostile FRU and one command, run in this process through the tool's own run_tool on device
// files written afresh (fuzz/record_harness.cpp). Bytes, little-endian where wider than one:
//   0      the mode, a row of the tool's mode table (kModes, cli/modes.h): a mode option letter,
//          0 for none, or any other byte for the row at its value modulo the table's size
//   1      options: bit 0 -B, bit 1 -E, bits 2-4 the -y word (none, 256, 1024, 512, 0x10100,
//          0x10400, 0, none), bit 5 FRU not present, bits 6-7 the device name (mb_vpd with its
//          backup copy beside it, an absolute path, another name, VPDb)
//   2      -b: low four bits 0-7 that block, 8 none, 9-11 the refused words 8, -1, 4294967303
//   3      FRU: the inventory's id and -i (0 and -i 0, 0 and no -i, 0 and -i 0x100, 5 and -i 5,
//          5 and -i 0), modulo 5
//   4      format: full, brief, cff3, or the unsupported codes 3, -1, 32767 (modulo 6)
//   5      argument mode: the -o number when there is no argument text, the -g name, how -c
//          edits the record's printout and how -w edits its dumped block
//   6-9    max_size
//   10-13  device length (at most 512 KiB), 14-15 backup copy length (0: no backup file)
//   16-17  device bytes given, 18-19 backup bytes given: the images that follow, zero-filled
//          (or cut) to their lengths
//   then   the argument: -o, -O, -G and -g text up to its first NUL; the bytes -c adds to the
//          printout; the bytes -w burns or lays over the dumped block
// Whatever the bytes, it requires exit status 0 or 1, a message with every failure, no byte
// changed outside the field, CRC or block the command writes (none by a failed command), and a
// dump, burn or CRC fix that did what it reported.
void fuzz_record(const uint8_t* data, size_t size);

struct Harness {
  const char* name;  // also the folder of its corpus and of its regression inputs
  void (*run)(const uint8_t* data, size_t size);
};

extern const Harness kHarnesses[5];

}  // namespace orvantis_fuzz
