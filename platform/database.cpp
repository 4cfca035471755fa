#include "database.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

bool parse_format(const std::string& word, int16_t* out) {
  if (word == "full") return *out = vpd_lib::VPD_FORMAT_FULL, true;
  if (word == "brief") return *out = vpd_lib::VPD_FORMAT_BRIEF, true;
  if (word == "cff3") return *out = vpd_lib::VPD_FORMAT_CFF3, true;
  bool negative = !word.empty() && word[0] == '-';
  std::string digits = negative ? word.substr(1) : word;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  uint32_t magnitude = 0;
  if (!parse_unsigned(digits, negative ? 0x8000u : 0x7FFFu, &magnitude)) return false;
  int32_t value = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
  *out = static_cast<int16_t>(value);
  return true;
}

bool parse_line(const std::string& line, InventoryEntry* entry) {
  size_t pos = 0;
  std::string id = next_word(line, &pos);
  std::string present = next_word(line, &pos);
  std::string format = next_word(line, &pos);
  std::string max_size = next_word(line, &pos);
  std::string device = next_word(line, &pos);
  if (device.empty()) return false;
  uint32_t fru = 0;
  if (!parse_unsigned(id, 0xFF, &fru)) return false;
  entry->fru = fru;
  if (present == "yes") {
    entry->present = true;
  } else if (present == "no") {
    entry->present = false;
  } else {
    return false;
  }
  if (!parse_format(format, &entry->format)) return false;
  if (!parse_unsigned(max_size, 0xFFFFFFFFu, &entry->max_size)) return false;
  entry->device = device;
  size_t first = line.find_first_not_of(" \t", pos);
  size_t last = line.find_last_not_of(" \t");
  entry->description = first == std::string::npos ? "" : line.substr(first, last - first + 1);
  return true;
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
    int d = digit_value(word[i]);
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

Inventory parse_inventory(const std::string& text) {
  Inventory inv;
  inv.status = INVENTORY_INVALID;
  std::istringstream in(text);
  std::vector<InventoryEntry> entries;
  for (std::string line; std::getline(in, line);) {
    // An inventory edited on Windows ends its lines "\r\n": the '\r' is no part of the last column.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    InventoryEntry entry;
    if (!parse_line(line, &entry)) return inv;
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(),
            [](const InventoryEntry& a, const InventoryEntry& b) { return a.fru < b.fru; });
  for (size_t i = 1; i < entries.size(); ++i)
    if (entries[i].fru == entries[i - 1].fru) return inv;
  inv.status = INVENTORY_OK;
  inv.entries = std::move(entries);
  return inv;
}

Inventory read_inventory(const std::string& root) {
  Inventory inv;
  inv.status = INVENTORY_MISSING;
  std::string path = root + "/inventory";
  // A directory would open as an empty stream; it is no inventory.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return inv;
  std::ifstream in(path, std::ios::binary);
  if (!in) return inv;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return inv;
  return parse_inventory(text.str());
}

std::string device_path(const std::string& root, const std::string& name, bool backup) {
  std::string path = !name.empty() && name[0] == '/' ? name : root + "/dev/" + name;
  if (backup) path += ".backup";
  return path;
}

std::string format_name(int16_t format) {
  switch (format) {
    case vpd_lib::VPD_FORMAT_FULL: return "full";
    case vpd_lib::VPD_FORMAT_BRIEF: return "brief";
    case vpd_lib::VPD_FORMAT_CFF3: return "cff3";
    default: return std::to_string(format);
  }
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
