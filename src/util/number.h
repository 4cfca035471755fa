// SPDX-License-Identifier: Apache-2.0
// Number conversions with the results of the 32-bit ARM target's C library.
//
// On the target `long` is 32 bits: strtol saturates at 0x7FFFFFFF / -0x80000000 and strtoul at
// 0xFFFFFFFF, and strtoul negates in 32 bits ("-1" is 0xFFFFFFFF). These helpers give exactly those
// results on every host, 64-bit ones included. Nothing else in the tool calls strtol/strtoul.
#pragma once

#include <cstdint>

namespace orvantis {

// White space as the C locale's isspace and strtol see it.
bool is_space(char c);

// The value of a digit in bases up to 36 (0-9, then a/A = 10 to z/Z = 35); 99 for anything else.
int digit_value(char c);

// Like the target's strtol(text, end, base): leading white space, an optional sign, for base 0 or
// 16 an optional 0x/0X prefix, base 0 picking 8 for a leading 0. Text with no digits gives 0 and
// *end == text. `end` may be null.
int32_t parse_long32(const char* text, int base, const char** end = nullptr);

// Like the target's strtoul(text, end, base).
uint32_t parse_ulong32(const char* text, int base, const char** end = nullptr);

}  // namespace orvantis
