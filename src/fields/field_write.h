// SPDX-License-Identifier: Apache-2.0
// Field writes from typed text: "NUM type data" (-O) and the writers -G shares.
//
// A request is split at white space into tokens: token 0 names the field, the first character of
// token 1 picks the writer ('b' bytes, 's' string), tokens 2 and later are the data. The writers
// reach the field through the library's free functions by FRU id and field id, and write only when
// the input has exactly the field's length: the tool never pads, cuts or guesses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvantis {

// The most data bytes one byte request may carry.
constexpr size_t MAX_BYTE_TOKENS = 64;

// One data token as the byte it stores: the target's strtoul in base 0 (0x hex, leading 0 octal,
// else decimal, trailing text ignored, no digits 0), low 8 bits kept, so "300" is 0x2C, "-1" 0xFF.
uint8_t byte_of_token(const std::string& token);

// A -O or -G request taken apart, before anything reaches the library.
struct SetRequest {
  std::vector<std::string> tokens;
  bool enough = false;  // at least three tokens: the field, the type word, data
  int32_t number = 0;   // token 0 as a decimal field number (the target's strtol); 0 when !enough
  char type = 0;        // the type word's first character; 0 when !enough
};
SetRequest parse_set_request(const std::string& request);
// The same for a command: false after printing "ERROR: Not enough input!" when it is not enough.
bool take_set_request(const std::string& request, SetRequest* parsed);

// The data tokens (tokens[2..]) as bytes into buffer[0..count). False, with nothing stored, when
// there are more than MAX_BYTE_TOKENS of them.
bool request_bytes(const std::vector<std::string>& tokens, unsigned char (&buffer)[MAX_BYTE_TOKENS],
                   size_t* count);

// Writes tokens[2..] as bytes into the field. Returns the byte count, or 0 after printing why
// nothing was written (length mismatch, more than 64 bytes) or "Failed to update VPD" when the
// library reports the write as failed.
int write_byte_field(uint8_t fru_id, uint32_t field_id, const std::vector<std::string>& tokens);

// Writes the text's bytes into the field. Returns the field length, or 0 after printing the
// length message or "Failed to update VPD".
int write_string_field(uint8_t fru_id, uint32_t field_id, const std::string& text);

// -O: the whole command. `base` is the format's field id base. Exit status.
int run_set_field(const std::string& request, uint8_t fru_id, uint32_t base);

}  // namespace orvantis
