// SPDX-License-Identifier: Apache-2.0
// The VPD database of the file-backed VPD access library: its root directory, the FRU inventory
// (ROOT/inventory) and the resolution of a device name to the file that holds a FRU's VPD.
//
// Inventory: one FRU a line, columns separated by blanks or tabs,
//     fru_id  present  format  max_size  device  description...
// fru_id 0..255 (decimal or 0x-hex), present yes|no, format full|brief|cff3 or a decimal signed
// 16-bit code, max_size (decimal or 0x-hex, 32 bits), device (a name under ROOT/dev or an absolute
// path), then a free description. Lines whose first non-blank character is '#' and blank lines
// are ignored. Any other line that does not follow this shape rejects the whole inventory. Every
// line is UTF-8 text without control characters (C0, DEL, C1) other than tab.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vpd_platform {

// Results of reading the inventory, as fill_stream_with_vpd_info returns them.
enum : int {
  INVENTORY_OK = 0,
  INVENTORY_MISSING = -2,    // no readable ROOT/inventory
  INVENTORY_INVALID = -22,   // a line that does not parse, or a FRU id given twice
};

struct InventoryEntry {
  unsigned fru = 0;
  bool present = false;
  int16_t format = 0;
  uint32_t max_size = 0;
  std::string device;
  std::string description;
};

struct Inventory {
  int status = INVENTORY_MISSING;
  std::vector<InventoryEntry> entries;  // sorted by fru id; empty unless status is INVENTORY_OK
  // Why the status is not INVENTORY_OK: the system's error text for a missing inventory, or
  // "LINE: what is wrong" for one that does not parse.
  std::string error;
};

// Strict unsigned number, the inventory's and the sample generator's only numeric conversion:
// decimal digits, or 0x/0X and hex digits; the whole word, at most `max`. No sign, no blanks.
bool parse_unsigned(const std::string& word, uint32_t max, uint32_t* out);

// The database root: $VPD_DB_ROOT when set and not empty, else the root fixed at build time.
std::string database_root();

// The root fixed at build time (default_root.cpp, one variant linked into each program).
const char* default_database_root();

// The longest inventory line accepted, in bytes: a real line is well under 200.
constexpr size_t kMaxInventoryLine = 4096;

// ROOT/inventory, the inventory's path.
std::string inventory_path(const std::string& root);

// ROOT/journal, the folder of the rollback journal (journal.h).
std::string journal_dir(const std::string& root);

// Reads and parses ROOT/inventory, which must be a regular file. A line longer than
// kMaxInventoryLine, a control character other than tab or bytes that are not UTF-8 reject it
// with the line number, as soon as they are read.
// On any bad line or duplicate id the result is INVENTORY_INVALID with no entries: a
// half-understood inventory must not drive writes to devices.
Inventory read_inventory(const std::string& root);

// The file holding a device's VPD: ROOT/dev/NAME, or NAME itself when it is an absolute path;
// with `backup`, the same path with ".backup" appended.
std::string device_path(const std::string& root, const std::string& name, bool backup);

// The inventory as text: a header line, then one line per FRU in id order, in aligned columns.
// Lines are separated by '\n'; there is no newline after the last one.
std::string inventory_text(const Inventory& inventory);

}  // namespace vpd_platform
