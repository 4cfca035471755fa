// SPDX-License-Identifier: Apache-2.0
// The 32-bit target's strtol/strtoul results, on every host; on the target itself (the cross
// build under qemu-arm) every row is also checked against its own C library.
#include "util/number.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace orvantis {
namespace {

TEST(Number, ConversionsMatchThe32BitTarget) {
  const struct Row { const char* text; int base; uint32_t value; int consumed; } rows[] = {
      {"0", 0, 0, 1}, {"0x10", 0, 16, 4}, {"0X1f", 0, 31, 4}, {"0x10", 10, 0, 1}, {"017", 0, 15, 3},
      {"09", 0, 0, 1}, {"  \t7", 0, 7, 4}, {"+5", 0, 5, 2}, {"-1", 0, UINT32_MAX, 2}, {"ff", 16, 255, 2},
      {"-4294967295", 10, 1, 11}, {"-4294967296", 10, UINT32_MAX, 11},  // saturates even when negative
      {"4294967295", 10, UINT32_MAX, 10}, {"4294967296", 10, UINT32_MAX, 10}, {"12abc", 10, 12, 2},
      {"99999999999999999999999", 10, UINT32_MAX, 23}, {"123456789", 16, UINT32_MAX, 9}, {"0x", 0, 0, 1},
      {"0xg", 16, 0, 1}, {"zz", 16, 0, 0}, {"", 0, 0, 0}, {"-", 0, 0, 0}, {"65792", 0, 65792, 5},
      {"037777777777", 0, UINT32_MAX, 12}, {"040000000000", 0, UINT32_MAX, 12},
  };
  constexpr bool kOnTarget = sizeof(long) == 4;
  for (const Row& r : rows) {
    const char* end = nullptr;
    EXPECT_EQ(r.value, parse_ulong32(r.text, r.base, &end)) << "row '" << r.text << "'";
    EXPECT_EQ(r.consumed, end - r.text) << "row '" << r.text << "'";
    char* c_end = nullptr;
    if (kOnTarget) {
      EXPECT_EQ(r.value, std::strtoul(r.text, &c_end, r.base)) << "strtoul '" << r.text << "'";
      EXPECT_EQ(r.consumed, c_end - r.text) << "strtoul '" << r.text << "'";
    }
  }
  // Signed, base 10: saturates at the 32-bit limits where a 64-bit long would wrap to another value.
  const struct SignedRow { const char* text; int32_t value; } signed_rows[] = {
      {"-1", -1}, {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"4294967296", INT32_MAX},
      {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
      {"0x10", 0}, {"abc", 0}, {"65536", 65536},
  };
  for (const SignedRow& r : signed_rows) {
    EXPECT_EQ(r.value, parse_long32(r.text, 10)) << "row " << r.text;
    if (kOnTarget) {
      EXPECT_EQ(r.value, std::strtol(r.text, nullptr, 10)) << "strtol " << r.text;
    }
  }
}

}  // namespace
}  // namespace orvantis
