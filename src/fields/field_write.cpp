// SPDX-License-Identifier: Apache-2.0
#include "fields/field_write.h"

#include <cstdio>

#include "util/number.h"
#include "util/report.h"
#include "vpd_access/vpd.h"

namespace orvantis {
namespace {

// Both writers end here: `count` bytes go into the field only when it is exactly that long. The
// field length, or 0 after printing the length message (the input's length unsigned, the library's
// answer signed, -1 for an unknown field) or, when the library answers the write with something
// other than the count, "Failed to update VPD".
int write_exactly(uint8_t fru_id, uint32_t field_id, unsigned char* data, size_t count) {
  const int field_length = vpd_lib::vpd_read_field_size(fru_id, field_id);
  // A negative answer (unknown id) can never equal a count, so it fails here like any mismatch.
  if (field_length < 0 || static_cast<size_t>(field_length) != count) {
    std::printf("ERROR: Input has length %zu, but expect %d for field %u\n", count, field_length,
                static_cast<unsigned>(field_id));
    return 0;
  }
  if (vpd_lib::vpd_write_field(fru_id, field_id, static_cast<unsigned>(count), data, true) != field_length) {
    print_failed_update();
    return 0;
  }
  return field_length;
}

// Splits a request into its whitespace-separated tokens (space, tab, newline, VT, FF, CR; runs
// count as one); no token is empty.
std::vector<std::string> split_request(const std::string& request) {
  std::vector<std::string> tokens;
  size_t i = 0;
  const size_t n = request.size();
  while (i < n) {
    while (i < n && is_space(request[i])) ++i;
    size_t start = i;
    while (i < n && !is_space(request[i])) ++i;
    if (i > start) tokens.push_back(request.substr(start, i - start));
  }
  return tokens;
}

}  // namespace

uint8_t byte_of_token(const std::string& token) {
  return static_cast<uint8_t>(parse_ulong32(token.c_str(), 0) & 0xFFu);
}

SetRequest parse_set_request(const std::string& request) {
  SetRequest parsed;
  parsed.tokens = split_request(request);
  if (parsed.tokens.size() < 3) return parsed;
  parsed.enough = true;
  // Decimal only: "0x10" names field 0.
  parsed.number = parse_long32(parsed.tokens[0].c_str(), 10);
  parsed.type = parsed.tokens[1][0];
  return parsed;
}

bool take_set_request(const std::string& request, SetRequest* parsed) {
  *parsed = parse_set_request(request);
  if (!parsed->enough) std::printf("ERROR: Not enough input!\n");
  return parsed->enough;
}

bool request_bytes(const std::vector<std::string>& tokens, unsigned char (&buffer)[MAX_BYTE_TOKENS],
                   size_t* count) {
  *count = tokens.size() > 2 ? tokens.size() - 2 : 0;
  if (*count > MAX_BYTE_TOKENS) return false;
  for (size_t i = 0; i < *count; ++i) buffer[i] = byte_of_token(tokens[i + 2]);
  return true;
}

int write_byte_field(uint8_t fru_id, uint32_t field_id, const std::vector<std::string>& tokens) {
  unsigned char buffer[MAX_BYTE_TOKENS] = {};
  size_t count = 0;
  if (!request_bytes(tokens, buffer, &count)) {
    std::printf("Whoops, only support up to 64 byte fields right now\n");
    return 0;
  }
  return write_exactly(fru_id, field_id, buffer, count);
}

int write_string_field(uint8_t fru_id, uint32_t field_id, const std::string& text) {
  // The library takes a mutable pointer; hand it a copy, without a terminating NUL in the count.
  std::vector<unsigned char> data(text.begin(), text.end());
  return write_exactly(fru_id, field_id, data.data(), data.size());
}

int run_set_field(const std::string& request, uint8_t fru_id, uint32_t base) {
  SetRequest parsed;
  if (!take_set_request(request, &parsed)) return 1;
  // Negative numbers go to the library as their bit pattern.
  const uint32_t field_id = vpd_lib::field_id_of(base, static_cast<uint32_t>(parsed.number));
  int written;
  switch (parsed.type) {
    case 'b': written = write_byte_field(fru_id, field_id, parsed.tokens); break;
    case 's': written = write_string_field(fru_id, field_id, parsed.tokens[2]); break;
    default: return 0;  // an unknown type letter is not an error: nothing to do
  }
  return written != 0 ? 0 : 1;
}

}  // namespace orvantis
