// SPDX-License-Identifier: Apache-2.0
#include "image/printout_reader.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "print/field_kinds.h"
#include "util/bytes.h"
#include "util/number.h"
#include "util/report.h"

namespace orvantis {
namespace {

using vpd_lib::FieldDescriptor;

constexpr size_t npos = std::string::npos;

// A multi-line field may take this many continuation lines without "]"; the next one ends the
// conversion. The limit is the converter's fixed rule for every multi-line field, not a measure of
// the tables: the longest hex field of the shipped tables prints in 3 lines.
constexpr unsigned kMaxOpenContinuations = 20;

// Longer than any line the printer can write (a name column, ": [", a text field of up to 65535
// bytes and "]t"); a longer line ends the conversion before it is held in memory whole.
constexpr size_t kMaxLineLength = size_t{128} * 1024;

// The blank of the printout is the space only: a tab is field text like any other character.
constexpr char kBlank = ' ';

// The hex number read from at most `count` characters of `s` starting at `pos` (clipped to the
// string), exactly as the target's strtoul base 16 reads them: leading white space and 0x allowed,
// stopping at the first non-digit (a NUL byte included), 0 without digits.
uint32_t parse_hex_at(const std::string& s, size_t pos, size_t count) {
  if (pos > s.size()) pos = s.size();
  const std::string part = s.substr(pos, count);
  return parse_ulong32(part.c_str(), 16);
}

// The value of a field text whose first ":" is at `colon`. The value area starts two characters
// after the colon (the printer writes ": "); the value lies between the area's first "[" and its
// last "]". A "]" missing from the area, or standing before the "[", lets the value run to the end.
std::string value_of(const std::string& text, size_t colon) {
  size_t area = colon + 2;
  if (area > text.size()) area = text.size();
  const size_t open = text.find('[', area);
  const size_t start = open == npos ? area : open + 1;
  const size_t close = text.rfind(']');
  const size_t end = (close == npos || close < start) ? text.size() : close;
  return text.substr(start, end - start);
}

class PrintoutReader {
 public:
  PrintoutReader(std::istream& in, const FieldDescriptor* table, uint32_t first, uint32_t last,
                 unsigned char* buffer, uint32_t block_size, FILE* out)
      : in_(in),
        table_(table),
        index_(first),
        last_index_(last),
        buffer_(buffer),
        block_size_(block_size),
        out_(out) {}

  // True when the printout was accepted.
  bool run() {
    // A file stream throws from inside its buffer when the read itself fails (a directory, an I/O
    // error); that is a refusal like any other, never an abnormal end. Running out of memory is
    // one too: the caller writes no raw file after a refusal, so no partial image can come of it.
    try {
      return read_lines();
    } catch (const std::bad_alloc&) {
      return reject(line_no_, "out of memory");
    } catch (const std::exception&) {
      return reject(line_no_ + 1, "read error");
    }
  }

 private:
  bool read_lines() {
    for (;;) {
      const LineRead read = next_line(&line_);
      if (read == LINE_END) return true;
      if (read == LINE_TOO_LONG) return reject_long_line();
      // Comments are recognised in column 0 only: "  #" is the start of a field line.
      if (!line_.empty() && line_[0] == '#') continue;
      if (line_.find_first_not_of(kBlank) == npos) continue;
      if (!read_field()) return false;
    }
  }

  enum LineRead { LINE_READ, LINE_END, LINE_TOO_LONG };

  // Reads one line without its '\n' (a last line may lack it). Stops reading a line that passes
  // kMaxLineLength, so memory stays bounded whatever the input.
  LineRead next_line(std::string* line) {
    line->clear();
    std::streambuf* buf = in_.rdbuf();
    int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) return LINE_END;
    ++line_no_;
    while (c != std::char_traits<char>::eof() && c != '\n') {
      if (line->size() == kMaxLineLength) return LINE_TOO_LONG;
      line->push_back(static_cast<char>(c));
      c = buf->sbumpc();
    }
    return LINE_READ;
  }

  // Message pieces go out as they are, NUL bytes of a value included.
  void put(const std::string& piece) { fwrite(piece.data(), 1, piece.size(), out_); }
  void put(const char* piece) { fputs(piece, out_); }
  // Every message ends in a newline and a flush, so it is out before anything else happens.
  void end_message() {
    fputc('\n', out_);
    flush_output(out_);
  }

  // The rejections return false, so callers can return them.
  bool reject_long_line() {
    fprintf(out_, "Convert2bin failed: line %" PRIu64 ": line longer than %zu characters", line_no_,
            kMaxLineLength);
    end_message();
    return false;
  }
  // Builds no string, so it also serves after an allocation failed.
  bool reject(uint64_t line_no, const char* what) {
    fprintf(out_, "Convert2bin failed: line %" PRIu64 ": %s", line_no, what);
    end_message();
    return false;
  }

  // line_ holds the first line of a field. Gathers the field text, checks the name against the
  // descriptor at the running index and writes the field's bytes. False after a rejection.
  bool read_field() {
    const uint64_t field_line = line_no_;
    if (index_ > last_index_) return reject(field_line, "field line after the last field of the block");
    const size_t colon = line_.find(':');
    if (colon == npos) return reject(field_line, "field line without ':'");
    const FieldDescriptor& d = table_[index_];
    const FieldKind* kind = field_kind(d.kind);  // null: a kind that converts to nothing
    // A line without "]" opens a multi-line field, except the line of a kind printed without
    // brackets and a line ending at its first ":" (an editor dropped the blank after it).
    const bool whole = line_.find(']') != npos || (kind != nullptr && kind->close == nullptr) ||
                       colon + 1 == line_.size();
    text_.swap(line_);
    if (!whole && !gather_continuations(field_line)) return false;

    // The name column is right-aligned, so the name read is exactly the descriptor's name.
    const size_t name_start = text_.find_first_not_of(kBlank);
    const std::string name = text_.substr(name_start, colon - name_start);
    const char* expected = d.name;
    if (name != expected) {
      fprintf(out_, "Data corruption idx[%" PRIu32 "]!! Program Exit!  Expected \"%s\" but got \"",
              index_, expected);
      put(name);
      put("\"");
      end_message();
      return false;
    }
    ++index_;

    const uint32_t bytes = kind != nullptr ? kind->width_of(d) : 0;
    if (!range_inside(block_size_, d.offset, bytes)) {
      fprintf(out_,
              "Convert2bin failed: line %" PRIu64 ": field \"%s\" (%" PRIu32
              " bytes at offset %" PRIu32 ") does not fit in a block of %" PRIu32 " bytes",
              field_line, expected, bytes, uint32_t{d.offset}, block_size_);
      end_message();
      return false;
    }
    return kind == nullptr || put_field(*kind, buffer_ + d.offset, bytes, value_of(text_, colon), field_line);
  }

  // Appends the continuation lines of the multi-line field opened on line `field_line`, up to and
  // including the closing line's last "]", each without its leading blanks.
  bool gather_continuations(uint64_t field_line) {
    unsigned open_lines = 0;
    for (;;) {
      const LineRead read = next_line(&piece_);
      if (read == LINE_TOO_LONG) return reject_long_line();
      if (read == LINE_END)
        return reject(field_line, "multi-line field not closed by ']' before the end of the file");
      const size_t start = piece_.find_first_not_of(kBlank);
      if (start == npos) return reject(line_no_, "empty continuation line inside a multi-line field");
      const size_t close = piece_.rfind(']');
      if (close != npos) {
        text_.append(piece_, start, close - start + 1);
        return true;
      }
      text_.append(piece_, start, npos);
      if (++open_lines > kMaxOpenContinuations) {
        put("Parser encountered unterminated (by ']') multiline field.  Convert2bin failed.");
        end_message();
        return false;
      }
    }
  }

  void size_message(const std::string& value, uint32_t n) {
    put("BOOM! size of string is different.  s= ");
    put(value);
    fprintf(out_, " len= %" PRIu32, n);
    end_message();
  }

  // Writes the `n` bytes of a field of `kind` at `at` from `value`; they were checked to fit.
  bool put_field(const FieldKind& kind, unsigned char* at, uint32_t n, const std::string& value,
                 uint64_t field_line) {
    switch (kind.form) {
      case FORM_HEX:
        if (value.empty()) {
          std::fill_n(at, n, 0x00);
        } else if (value.size() / 2 == n) {
          for (uint32_t i = 0; i < n; ++i)
            at[i] = static_cast<unsigned char>(parse_hex_at(value, 2 * size_t{i}, 2));
        } else {
          size_message(value, n);
        }
        return true;
      case FORM_NUMBER:  // "0x" and two digits a byte
        store_be(at, parse_hex_at(value, 0, 2 + 2 * size_t{n}), n);
        return true;
      case FORM_TEXT:
        if (value.size() == n) {
          value.copy(reinterpret_cast<char*>(at), n);
          return true;
        }
        // An emptied text field is marked with 0x14 bytes, not blanks, so it shows up later.
        if (value.empty()) std::fill_n(at, n, 0x14);
        size_message(value, n);
        return true;
      case FORM_FILL:
        std::fill_n(at, n, kind.fill);
        return true;
      case FORM_TAGGED:
        return put_tagged(at, n, value, field_line);
      case FORM_MAC:
        // Characters 2, 5, 8, 11 and 14 are the separators, ":" or "-", and are not looked at; the
        // value reaches at least the first digit of the last byte.
        if (value.size() < 3 * (n - size_t{1}))
          return reject(field_line, "hardware address value shorter than 15 characters");
        for (size_t i = 0; i < n; ++i)
          at[i] = static_cast<unsigned char>(parse_hex_at(value, 3 * i, 2));
        return true;
    }
    return true;
  }

  // A tagged-text slot: 32 bytes, the tag and 31 text bytes. The printer shows the first NUL of
  // the text as "|", so "TT:head|tail" becomes tag, head, 0x00, tail. A slot printed without any
  // NUL reads back one byte too long; nothing past the slot's 32 bytes is written.
  bool put_tagged(unsigned char* at, uint32_t width, const std::string& value, uint64_t field_line) {
    if (!value.empty() && value[0] == kBlank) {
      std::fill_n(at, width, 0x20);
      return true;
    }
    if (value.size() < 3) return reject(field_line, "tagged text value shorter than 3 characters");
    const size_t bar = value.find('|', 3);
    if (bar == npos) return reject(field_line, "tagged text value without '|' after its tag");
    at[0] = static_cast<unsigned char>(parse_hex_at(value, 0, 2));
    std::string text = value.substr(3, bar - 3);
    text.push_back('\0');
    text.append(value, bar + 1, npos);
    const size_t count = std::min<size_t>(text.size(), width - size_t{1});
    text.copy(reinterpret_cast<char*>(at + 1), count);
    return true;
  }

  std::istream& in_;
  const FieldDescriptor* table_;
  uint32_t index_;  // the running index: the descriptor the next field line must name
  uint32_t last_index_;
  unsigned char* buffer_;
  uint32_t block_size_;
  FILE* out_;
  uint64_t line_no_ = 0;
  std::string line_;   // reused for every line, so comment lines cost no allocation
  std::string piece_;  // a continuation line
  std::string text_;   // the field text being gathered
};

}  // namespace

int convert_printout(std::istream& in, const vpd_lib::FieldDescriptor* table,
                     uint32_t first, uint32_t last, unsigned char* buffer,
                     uint32_t block_size, FILE* out) {
  PrintoutReader reader(in, table, first, last, buffer, block_size, out);
  return reader.run() ? 0 : 1;
}

}  // namespace orvantis
