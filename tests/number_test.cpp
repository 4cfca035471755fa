// The 32-bit target's strtol/strtoul results, on every host.
#include "util/number.h"

#include <gtest/gtest.h>

namespace orvantis {
namespace {

TEST(Number, UnsignedConversionsMatchThe32BitTarget) {
  struct Row {
    const char* text;
    int base;
    uint32_t value;
    int consumed;
  } rows[] = {
      {"0", 0, 0, 1},
      {"42", 10, 42, 2},
      {"0x10", 0, 16, 4},
      {"0X1f", 0, 31, 4},
      {"0x10", 10, 0, 1},           // base 10 stops at the x
      {"017", 0, 15, 3},            // leading zero: octal
      {"09", 0, 0, 1},              // octal stops at 9
      {"  \t7", 0, 7, 4},
      {"+5", 0, 5, 2},
      {"-1", 0, 0xFFFFFFFFu, 2},    // negation in 32 bits
      {"-4294967295", 10, 1, 11},
      {"-4294967296", 10, 0xFFFFFFFFu, 11},  // magnitude overflow saturates even when negative
      {"4294967295", 10, 0xFFFFFFFFu, 10},
      {"4294967296", 10, 0xFFFFFFFFu, 10},
      {"99999999999999999999999", 10, 0xFFFFFFFFu, 23},
      {"123456789", 16, 0xFFFFFFFFu, 9},     // 9 hex digits: above 32 bits
      {"0x", 0, 0, 1},              // the prefix needs a digit; "0" is the number
      {"0xg", 16, 0, 1},
      {"zz", 16, 0, 0},
      {"", 0, 0, 0},
      {"-", 0, 0, 0},
      {"12abc", 10, 12, 2},
      {"ff", 16, 255, 2},
  };
  for (const Row& r : rows) {
    const char* end = nullptr;
    EXPECT_EQ(parse_ulong32(r.text, r.base, &end), r.value) << "text \"" << r.text << "\"";
    EXPECT_EQ(end - r.text, r.consumed) << "text \"" << r.text << "\"";
  }
}

TEST(Number, SignedConversionsSaturateAt32Bits) {
  struct Row {
    const char* text;
    int32_t value;
  } rows[] = {
      {"7", 7},
      {"-1", -1},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},
      {"4294967296", INT32_MAX},   // a 64-bit long would give 4294967296, then 0 as int32
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"-99999999999999999999", INT32_MIN},
      {"0x10", 0},                 // decimal reading stops at the x
      {"abc", 0},
      {"65536", 65536},
  };
  for (const Row& r : rows)
    EXPECT_EQ(parse_long32(r.text, 10), r.value) << "text \"" << r.text << "\"";
}

}  // namespace
}  // namespace orvantis
