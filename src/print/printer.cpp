// SPDX-License-Identifier: Apache-2.0
// The field printer. Every line is assembled in a small stack buffer and handed to fwrite in one
// piece, then flushed: -p over a whole block is the tool's hottest path, and a per-byte printf
// there costs more than the rest of the command together.
#include "print/printer.h"

#include <cstring>

#include "print/field_kinds.h"
#include "util/bytes.h"
#include "util/report.h"

namespace orvantis {
namespace {

constexpr size_t NAME_COLUMN_WIDTH = 45;
// Continuation lines of a long hex value start with this many spaces, so that their digits stand
// under those of the first line: 45 name columns, ": " and "[".
constexpr size_t HEX_CONTINUATION_INDENT = 48;
constexpr uint32_t HEX_BYTES_PER_LINE = 16;
// An empty slot shows "  :", these blanks and "|".
constexpr size_t EMPTY_SLOT_BLANKS = 29;
constexpr unsigned char TAG_EMPTY_SLOT = 0x20;

const char HEX_DIGITS[] = "0123456789ABCDEF";

// Collects the bytes of one output line. Whatever does not fit is passed on to the stream early,
// so a long name or a long text field still comes out whole and in order.
class LineWriter {
 public:
  explicit LineWriter(FILE* out) : out_(out) {}
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void put(char c) {
    if (used_ == sizeof(buf_)) drain();
    buf_[used_++] = c;
  }
  void put(const void* bytes, size_t count) {
    if (count > sizeof(buf_) - used_) drain();
    if (count > sizeof(buf_)) {
      std::fwrite(bytes, 1, count, out_);
      return;
    }
    std::memcpy(buf_ + used_, bytes, count);
    used_ += count;
  }
  void put(const char* text) { put(text, std::strlen(text)); }
  void spaces(size_t count) {
    while (count-- > 0) put(' ');
  }
  void hex_byte(unsigned char b) {
    put(HEX_DIGITS[b >> 4]);
    put(HEX_DIGITS[b & 0xF]);
  }
  // "0x" and two upper-case hex digits for each of the number's `bytes` bytes, zero-filled.
  void put_hex_number(uint32_t value, uint32_t bytes) {
    put("0x", 2);
    for (uint32_t digit = 2 * bytes; digit-- > 0;) put(HEX_DIGITS[(value >> (4 * digit)) & 0xF]);
  }
  // Ends the line and flushes, so an interrupted printout keeps every finished line.
  void end_line() {
    put('\n');
    drain();
    flush_output(out_);
  }
  void drain() {
    if (used_ > 0) std::fwrite(buf_, 1, used_, out_);
    used_ = 0;
  }

 private:
  FILE* out_;
  char buf_[256] = {};
  size_t used_ = 0;
};

void write_name_column(LineWriter& line, const char* name) {
  size_t length = std::strlen(name);
  if (length < NAME_COLUMN_WIDTH) line.spaces(NAME_COLUMN_WIDTH - length);
  line.put(name, length);
  line.put(": ", 2);
}

// The bytes as hex digits (reversed: last byte first), `separator` between them unless 0; in full
// mode a value of more than 16 bytes goes on over continuation lines.
void write_hex_bytes(LineWriter& line, const unsigned char* field, uint32_t length, bool reversed,
                     bool single, char separator = 0) {
  for (uint32_t k = 1; k <= length; ++k) {
    line.hex_byte(reversed ? field[length - k] : field[k - 1]);
    if (separator != 0 && k < length) line.put(separator);
    if (!single && k < length && k % HEX_BYTES_PER_LINE == 0) {
      line.end_line();
      line.spaces(HEX_CONTINUATION_INDENT);
    }
  }
}

// The tag form of a 32-byte slot. The first NUL of the text stands as "|" so the converter can
// split head and tail there; a slot without NUL gets the "|" after all 31 bytes.
void write_tagged_text(LineWriter& line, const unsigned char* slot, uint32_t width) {
  if (slot[0] == TAG_EMPTY_SLOT) {
    line.put("  :", 3);
    line.spaces(EMPTY_SLOT_BLANKS);
    line.put('|');
    return;
  }
  line.hex_byte(slot[0]);
  line.put(':');
  const unsigned char* text = slot + 1;
  const size_t text_bytes = width - 1;
  const void* nul = std::memchr(text, 0, text_bytes);
  if (nul == nullptr) {
    line.put(text, text_bytes);
    line.put('|');
    return;
  }
  size_t head = static_cast<size_t>(static_cast<const unsigned char*>(nul) - text);
  line.put(text, head);
  line.put('|');
  line.put(text + head + 1, text_bytes - head - 1);
}

// The value of one field in the form of its kind (field_kinds.h), in full mode inside "[" and the
// kind's closing mark; nothing for kinds without brackets and kinds the tool does not know.
// `adjust` shows the kinds that are reordered in reverse stored order.
void write_value(LineWriter& line, const vpd_lib::FieldDescriptor& d, const unsigned char* field,
                 bool adjust, bool single) {
  const FieldKind* kind = field_kind(d.kind);
  if (kind == nullptr || kind->close == nullptr) return;
  const bool reversed = adjust && kind->reordered;
  const uint32_t width = kind->width_of(d);
  if (!single) line.put('[');
  switch (kind->form) {
    case FORM_HEX: write_hex_bytes(line, field, width, reversed, single); break;
    case FORM_NUMBER: line.put_hex_number(reversed ? load_le(field, width) : load_be(field, width), width); break;
    // Text is written as stored, NUL bytes, newlines and "]" included: the converter takes the
    // value up to the line's last "]".
    case FORM_TEXT: line.put(field, width); break;
    case FORM_FILL: break;
    case FORM_TAGGED: write_tagged_text(line, field, width); break;
    case FORM_MAC: write_hex_bytes(line, field, width, false, single, ':'); break;
  }
  if (!single) line.put(kind->close);
}

}  // namespace

void print_field_lines(FILE* out, const vpd_lib::FieldDescriptor* table, const unsigned char* data,
                       uint32_t first, uint32_t last, bool adjust_byte_order, bool single_field) {
  LineWriter line(out);
  for (uint32_t i = first; i <= last; ++i) {
    const vpd_lib::FieldDescriptor& d = table[i];
    // Each field is read from its own block, whatever block selected the range.
    const uint32_t address = vpd_lib::field_address(d);
    if (!single_field) write_name_column(line, d.name);
    write_value(line, d, data + address, adjust_byte_order, single_field);
    line.end_line();
  }
}

void print_fields(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                  uint32_t last, bool adjust_byte_order, bool single_field) {
  print_field_lines(stdout, table, record->vpd_data, first, last, adjust_byte_order, single_field);
}

void print_name_column(FILE* out, const char* name) {
  LineWriter line(out);
  write_name_column(line, name);
  line.drain();
}

}  // namespace orvantis
