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

struct Harness {
  const char* name;  // also the folder of its corpus and of its regression inputs
  void (*run)(const uint8_t* data, size_t size);
};

extern const Harness kHarnesses[4];

}  // namespace orvantis_fuzz
