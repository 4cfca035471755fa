// SPDX-License-Identifier: Apache-2.0
#include "database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "util/number.h"
#include "vpd_access/vpd.h"

namespace vpd_platform {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Splits off the next blank-separated word of `line` starting at *pos.
std::string next_word(const std::string& line, size_t* pos) {
  size_t i = *pos;
  while (i < line.size() && is_blank(line[i])) ++i;
  size_t start = i;
  while (i < line.size() && !is_blank(line[i])) ++i;
  *pos = i;
  return line.substr(start, i - start);
}

bool parse_format(const std::string& word, int16_t* out) {
  for (const vpd_lib::VpdFormat& f : vpd_lib::VPD_FORMATS)
    if (word == f.name) { *out = f.code; return true; }
  // A code is decimal only, with an optional minus sign.
  const bool negative = !word.empty() && word[0] == '-';
  const std::string digits = negative ? word.substr(1) : word;
  uint32_t magnitude = 0;
  if (digits.find_first_not_of("0123456789") != std::string::npos ||
      !parse_unsigned(digits, negative ? 0x8000u : 0x7FFFu, &magnitude))
    return false;
  *out = static_cast<int16_t>(negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude));
  return true;
}

// A word of the inventory as an error message shows it: quoted, at most 40 characters, anything
// that is not printable ASCII as '?', so a damaged file cannot write control codes to a terminal.
std::string shown(const std::string& word) {
  std::string out = "'";
  for (size_t i = 0; i < word.size() && i < 40; ++i)
    out += word[i] >= 0x20 && word[i] < 0x7F ? word[i] : '?';
  return out + (word.size() > 40 ? "...'" : "'");
}

// "full", "brief", "cff3" or the code in decimal.
std::string format_name(int16_t format) {
  const vpd_lib::VpdFormat* f = vpd_lib::format_of(format);
  return f != nullptr ? f->name : std::to_string(format);
}

// Parses one FRU line; on failure returns what is wrong with it.
std::string parse_line(const std::string& line, InventoryEntry* entry) {
  size_t pos = 0;
  std::string id = next_word(line, &pos);
  std::string present = next_word(line, &pos);
  std::string format = next_word(line, &pos);
  std::string max_size = next_word(line, &pos);
  std::string device = next_word(line, &pos);
  if (device.empty()) return "expected fru_id present format max_size device [description]";
  uint32_t fru = 0;
  if (!parse_unsigned(id, 0xFF, &fru)) return "FRU id " + shown(id) + " is not a number from 0 to 255";
  entry->fru = fru;
  if (present != "yes" && present != "no") return "present must be yes or no, not " + shown(present);
  entry->present = present == "yes";
  if (!parse_format(format, &entry->format))
    return "format must be full, brief, cff3 or a 16-bit code, not " + shown(format);
  if (!parse_unsigned(max_size, 0xFFFFFFFFu, &entry->max_size))
    return "max_size " + shown(max_size) + " is not a 32-bit number";
  entry->device = device;
  size_t first = line.find_first_not_of(" \t", pos);
  size_t last = line.find_last_not_of(" \t");
  entry->description = first == std::string::npos ? "" : line.substr(first, last - first + 1);
  return "";
}

}  // namespace

bool parse_unsigned(const std::string& word, uint32_t max, uint32_t* out) {
  size_t i = 0;
  unsigned base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    i = 2;
  }
  if (i >= word.size()) return false;
  uint64_t value = 0;
  for (; i < word.size(); ++i) {
    int d = orvantis::digit_value(word[i]);
    if (d >= static_cast<int>(base)) return false;
    value = value * base + static_cast<unsigned>(d);
    if (value > max) return false;
  }
  *out = static_cast<uint32_t>(value);
  return true;
}

std::string database_root() {
  const char* env = std::getenv("VPD_DB_ROOT");
  if (env && *env) return env;
  return default_database_root();
}

namespace {

// Builds an inventory one line at a time, so that reading it needs no more memory than its
// longest line and its 256 possible FRUs, whatever the file holds. A line is rejected at its first
// byte past the bound or its first byte that is no part of UTF-8 text without control characters
// (tab aside), before the rest of it is read: a huge file without a newline costs one chunk.
class InventoryParser {
 public:
  // Takes the next `n` bytes of the text; false once the inventory is rejected.
  bool feed(const char* data, size_t n) {
    for (size_t i = 0; i < n && error_.empty(); ++i) take(static_cast<unsigned char>(data[i]));
    return error_.empty();
  }

  // The inventory, once the last line (which may lack its '\n') is parsed.
  Inventory finish() {
    if (error_.empty() && (!line_.empty() || cr_)) end_line();
    Inventory inv;
    if (!error_.empty()) {
      inv.status = INVENTORY_INVALID;
      inv.error = error_;
      return inv;
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const InventoryEntry& a, const InventoryEntry& b) { return a.fru < b.fru; });
    inv.status = INVENTORY_OK;
    inv.entries = std::move(entries_);
    return inv;
  }

 private:
  void take(unsigned char c) {
    // An inventory edited on Windows ends its lines "\r\n": that '\r' is no part of the last
    // column; any other is a control byte.
    if (cr_ && c != '\n') return control(number_ + 1, '\r');
    if (c == '\r') {
      cr_ = true;
      return;
    }
    if (c == '\n') return end_line();
    if (line_.size() == kMaxInventoryLine)
      return reject(number_ + 1, "line longer than " + std::to_string(kMaxInventoryLine) + " characters");
    line_ += static_cast<char>(c);
    if (pending_ == 0) {
      // The lead byte: how many continuation bytes follow, and the least code point they may
      // give (anything less is an overlong form).
      if (c < 0x80) {
        if ((c < 0x20 && c != '\t') || c == 0x7F) control(number_ + 1, c);
        return;
      }
      pending_ = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
      if (pending_ == 0) return reject(number_ + 1, "invalid UTF-8");
      code_ = c & (0x3Fu >> pending_);
      least_ = pending_ == 1 ? 0x80 : pending_ == 2 ? 0x800 : 0x10000;
      return;
    }
    if ((c & 0xC0) != 0x80) return reject(number_ + 1, "invalid UTF-8");
    code_ = code_ << 6 | (c & 0x3Fu);
    if (--pending_ > 0) return;
    if (code_ < least_ || code_ > 0x10FFFF || (code_ >= 0xD800 && code_ <= 0xDFFF))
      return reject(number_ + 1, "invalid UTF-8");
    if (code_ <= 0x9F) {
      char what[32];
      std::snprintf(what, sizeof what, "control character U+%04X", static_cast<unsigned>(code_));
      reject(number_ + 1, what);
    }
  }

  void control(unsigned number, unsigned char c) {
    char what[24];
    std::snprintf(what, sizeof what, "control byte 0x%02X", static_cast<unsigned>(c));
    reject(number, c == 0 ? "NUL byte" : what);
  }

  // Parses the line that just ended.
  void end_line() {
    const unsigned number = ++number_;
    if (pending_ != 0) return reject(number, "invalid UTF-8");  // a sequence cut short
    std::string line;
    line.swap(line_);
    cr_ = false;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return;
    InventoryEntry entry;
    std::string wrong = parse_line(line, &entry);
    if (wrong.empty() && line_of_[entry.fru] != 0)
      wrong = "FRU " + std::to_string(entry.fru) + " was given on line " + std::to_string(line_of_[entry.fru]);
    if (!wrong.empty()) return reject(number, wrong);
    line_of_[entry.fru] = number;
    entries_.push_back(entry);
  }

  void reject(unsigned number, const std::string& wrong) { error_ = std::to_string(number) + ": " + wrong; }

  std::vector<InventoryEntry> entries_;
  unsigned line_of_[256] = {};  // where each FRU id was first given
  std::string error_;
  std::string line_;  // the line being read, without its line end
  unsigned number_ = 0;  // lines ended so far
  bool cr_ = false;      // a '\r' was read and held back
  unsigned pending_ = 0;  // continuation bytes the line's last UTF-8 sequence still needs
  uint32_t code_ = 0;     // that sequence's code point so far
  uint32_t least_ = 0;    // its least code point that is not an overlong form
};

}  // namespace

// Only a regular file is an inventory: a FIFO, socket or device is refused at once (the open does
// not wait for a FIFO's writer), and a read error is an error, never the end of the file.
Inventory read_inventory(const std::string& root) {
  Inventory inv;
  inv.status = INVENTORY_MISSING;
  const std::string path = inventory_path(root);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    inv.error = std::strerror(errno);
    return inv;
  }
  // Closed however the read ends: the parser may throw std::bad_alloc.
  const std::unique_ptr<const int, void (*)(const int*)> closer(&fd, [](const int* f) { ::close(*f); });
  struct stat st = {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    inv.error = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    return inv;
  }
  InventoryParser parser;
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      inv.error = std::strerror(errno);
      return inv;
    }
    if (n == 0 || !parser.feed(chunk, static_cast<size_t>(n))) break;
  }
  return parser.finish();
}

std::string inventory_path(const std::string& root) { return root + "/inventory"; }

std::string journal_dir(const std::string& root) { return root + "/journal"; }

std::string device_path(const std::string& root, const std::string& name, bool backup) {
  std::string path = !name.empty() && name[0] == '/' ? name : root + "/dev/" + name;
  if (backup) path += ".backup";
  return path;
}

std::string inventory_text(const Inventory& inventory) {
  std::vector<std::vector<std::string>> rows;
  rows.push_back({"FRU", "PRESENT", "FORMAT", "MAX_SIZE", "DEVICE", "DESCRIPTION"});
  for (const InventoryEntry& e : inventory.entries) {
    char size[16];
    std::snprintf(size, sizeof size, "0x%X", static_cast<unsigned>(e.max_size));
    rows.push_back({std::to_string(e.fru), e.present ? "yes" : "no", format_name(e.format), size,
                    e.device, e.description});
  }
  std::vector<size_t> width(rows[0].size(), 0);
  for (const auto& row : rows)
    for (size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
  std::string text;
  for (size_t r = 0; r < rows.size(); ++r) {
    std::string line;
    for (size_t c = 0; c < rows[r].size(); ++c) {
      line += rows[r][c];
      if (c + 1 < rows[r].size()) line += std::string(width[c] - rows[r][c].size() + 2, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);  // no trailing blanks for an empty description
    if (r > 0) text += '\n';
    text += line;
  }
  return text;
}

}  // namespace vpd_platform

bool vpd_lib::backup_copy_of(uint32_t fru, std::string* dev_name, bool* use_backup, uint32_t* max_size) {
  if (fru != 0) return false;
  *use_backup = *dev_name == "mb_vpd";
  if (*use_backup) *max_size = VPD_FULL_BLOCK_SIZE;
  else *dev_name = "VPDb";
  return true;
}
