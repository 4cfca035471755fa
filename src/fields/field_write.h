// Field writes from typed text: "NUM type data" (-O) and the writers -G shares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvantis {

// Splits a request into its whitespace-separated tokens; no token is empty.
std::vector<std::string> split_request(const std::string& request);

// Writes tokens[2..] as bytes into the field. Returns the byte count, or 0 after printing why
// nothing was written (length mismatch, more than 64 bytes).
int write_byte_field(uint8_t fru_id, uint32_t field_id, const std::vector<std::string>& tokens);

// Writes the text's bytes into the field. Returns the field length, or 0 after printing the
// length message.
int write_string_field(uint8_t fru_id, uint32_t field_id, const std::string& text);

// -O: the whole command. `base` is the format's field id base. Exit status.
int run_set_field(const std::string& request, uint8_t fru_id, uint32_t base);

}  // namespace orvantis
