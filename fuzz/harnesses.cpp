// SPDX-License-Identifier: Apache-2.0
#include "harnesses.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "../platform/database.h"
#include "../platform/library.h"
#include "cli/open_record.h"
#include "fields/field_write.h"
#include "fields/named_fields.h"
#include "fields/text_fix.h"
#include "image/printout_reader.h"
#include "print/printer.h"
#include "util/number.h"

namespace orvantis_fuzz {
namespace {

using orvantis::FieldRange;

// Aborts on a broken invariant: a crash is what both libFuzzer and the replay test report.
void require(bool holds) {
  if (!holds) std::abort();
}

std::string text_of(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

const int16_t kFormats[] = {vpd_lib::VPD_FORMAT_FULL, vpd_lib::VPD_FORMAT_BRIEF,
                            vpd_lib::VPD_FORMAT_CFF3};

// A buffer of exactly `size` bytes on the heap, so that the address sanitizer sees the first byte
// past it; new[0] still gives a distinct pointer that may not be dereferenced.
std::unique_ptr<unsigned char[]> exact_buffer(size_t size) {
  return std::unique_ptr<unsigned char[]>(new unsigned char[size]());
}

// The printer writes here; every line is flushed, so the stream never holds much.
FILE* sink() {
  static FILE* const null_file = std::fopen("/dev/null", "w");
  require(null_file != nullptr);
  return null_file;
}

}  // namespace

void fuzz_converter(const uint8_t* data, size_t size) {
  if (size < 4) return;
  const int16_t format = kFormats[data[0] % 3];
  const vpd_lib::VpdFormat& f = *vpd_lib::format_of(format);
  const FieldRange range = orvantis::field_range_for(f, data[1] & 7);
  // The format's own block size, the other format's, or any small size (a compact FRU stores its
  // own length, and -y can mismatch the record).
  uint32_t block_size = f.block_size != 0 ? f.block_size : 0x100;
  if ((data[2] & 3) == 1) block_size = 0x400;
  if ((data[2] & 3) == 2) block_size = 0x100;
  if ((data[2] & 3) == 3) block_size = data[3];
  std::unique_ptr<unsigned char[]> buffer = exact_buffer(block_size);
  std::istringstream in(text_of(data + 4, size - 4));
  const int status = orvantis::convert_printout(in, range.table, range.first, range.last,
                                                buffer.get(), block_size, sink());
  require(status == 0 || status == 1);
}

void fuzz_request(const uint8_t* data, size_t size) {
  const std::string text = text_of(data, size);
  const orvantis::SetRequest parsed = orvantis::parse_set_request(text);
  require(parsed.enough == (parsed.tokens.size() >= 3));
  for (const std::string& token : parsed.tokens) {
    require(!token.empty() && token.find_first_of(" \t\n\v\f\r") == std::string::npos);
    orvantis::byte_of_token(token);
  }
  unsigned char bytes[orvantis::MAX_BYTE_TOKENS];
  size_t count = 0;
  const bool fits = orvantis::request_bytes(parsed.tokens, bytes, &count);
  require(fits == (count <= orvantis::MAX_BYTE_TOKENS));
  if (!parsed.tokens.empty()) orvantis::find_named_field(parsed.tokens[0]);

  // The number readers behind -b, -i, -o, -y and the byte tokens, on the text as a C string.
  const char* start = text.c_str();
  const size_t length = std::strlen(start);
  for (int base : {0, 10, 16}) {
    const char* end = nullptr;
    orvantis::parse_long32(start, base, &end);
    require(end >= start && end <= start + length);
    orvantis::parse_ulong32(start, base, &end);
    require(end >= start && end <= start + length);
  }
}

// The input goes through the file reader the library uses, so lines that span its read chunks
// are covered too.
void fuzz_inventory(const uint8_t* data, size_t size) {
  // One database root for the process, removed when it exits (a plain array outlives the exit
  // handlers).
  static char root[] = "/tmp/orvantis-inventory-XXXXXX";
  static const bool made = [] {
    require(::mkdtemp(root) != nullptr);
    std::atexit([] {
      std::remove((std::string(root) + "/inventory").c_str());
      ::rmdir(root);
    });
    return true;
  }();
  require(made);
  FILE* file = std::fopen((std::string(root) + "/inventory").c_str(), "wb");
  require(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0);
  const vpd_platform::Inventory inventory = vpd_platform::read_inventory(root);
  require(inventory.status == vpd_platform::INVENTORY_OK ||
          (inventory.status == vpd_platform::INVENTORY_INVALID && inventory.entries.empty()));
  unsigned previous = 0;
  for (size_t i = 0; i < inventory.entries.size(); ++i) {
    const vpd_platform::InventoryEntry& entry = inventory.entries[i];
    require(entry.fru <= 0xFF && (i == 0 || entry.fru > previous));
    previous = entry.fru;
    vpd_platform::device_path("/db", entry.device, true);
  }
  vpd_platform::inventory_text(inventory);
}

void fuzz_printer(const uint8_t* data, size_t size) {
  if (size < 3) return;
  const int16_t format = kFormats[data[0] % 3];
  const bool adjust = (data[0] & 0x10) != 0;
  const uint16_t any_pad = static_cast<uint16_t>(data[1] << 8 | data[2]);
  const size_t data_size = vpd_platform::vpd_data_extent();
  std::unique_ptr<unsigned char[]> vpd_data = exact_buffer(data_size);
  std::memcpy(vpd_data.get(), data + 3, std::min(size - 3, data_size));

  const vpd_lib::FieldDescriptor* table = vpd_lib::format_of(format)->table;
  const uint32_t last = vpd_lib::format_of(format)->table_size - 1;
  orvantis::print_field_lines(sink(), table, vpd_data.get(), 0, last, adjust, false);
  for (uint32_t i = 0; i <= last; ++i) {
    orvantis::print_field_lines(sink(), table, vpd_data.get(), i, i, adjust, true);
    const vpd_lib::FieldDescriptor& d = table[i];
    if (d.kind != vpd_lib::VPD_FIELD_TEXT) continue;
    const unsigned char* bytes = vpd_data.get() + vpd_lib::field_address(d);
    for (uint16_t pad : {d.pad, any_pad}) {
      require(orvantis::conforming_text(bytes, d.length, pad).size() == d.length);
    }
  }
}

const Harness kHarnesses[5] = {
    {"converter", fuzz_converter},
    {"request", fuzz_request},
    {"inventory", fuzz_inventory},
    {"printer", fuzz_printer},
    {"record", fuzz_record},
};

}  // namespace orvantis_fuzz
