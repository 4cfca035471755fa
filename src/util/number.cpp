// SPDX-License-Identifier: Apache-2.0
#include "util/number.h"

namespace orvantis {
namespace {

struct Magnitude {
  uint64_t value;   // clamped just above 0xFFFFFFFF once it overflows 32 bits
  bool negative;
  bool any_digit;
  const char* end;
};

// The scanning shared by both conversions; the magnitude saturates above 32 bits so the callers
// can tell an overflow from a representable value.
Magnitude scan(const char* text, int base) {
  Magnitude m{0, false, false, text};
  if (base < 0 || base == 1 || base > 36) return m;
  const char* p = text;
  while (is_space(*p)) ++p;
  if (*p == '+' || *p == '-') {
    m.negative = *p == '-';
    ++p;
  }
  if ((base == 0 || base == 16) && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
      digit_value(p[2]) < 16) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = (p[0] == '0') ? 8 : 10;
  }
  const uint64_t kCap = 0x1FFFFFFFFull;
  for (; digit_value(*p) < base; ++p) {
    m.any_digit = true;
    m.value = m.value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit_value(*p));
    if (m.value > kCap) m.value = kCap;
  }
  m.end = m.any_digit ? p : text;
  return m;
}

}  // namespace

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

int32_t parse_long32(const char* text, int base, const char** end) {
  Magnitude m = scan(text, base);
  if (end) *end = m.end;
  if (!m.any_digit) return 0;
  if (m.negative) {
    if (m.value >= 0x80000000ull) return INT32_MIN;
    return static_cast<int32_t>(-static_cast<int64_t>(m.value));
  }
  if (m.value > 0x7FFFFFFFull) return INT32_MAX;
  return static_cast<int32_t>(m.value);
}

uint32_t parse_ulong32(const char* text, int base, const char** end) {
  Magnitude m = scan(text, base);
  if (end) *end = m.end;
  if (!m.any_digit) return 0;
  if (m.value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  uint32_t v = static_cast<uint32_t>(m.value);
  return m.negative ? static_cast<uint32_t>(0u - v) : v;
}

}  // namespace orvantis
