// SPDX-License-Identifier: Apache-2.0
// The file-backed VPD record: vpd_lib::nvram / vpd_lib::vpd over the device files of the VPD
// database (database.h), with locked, verified device access (device_file.h).
//
// Records: one per inventory FRU per process, created on first lookup and owned by the library
// until the process ends. The device file is resolved from dev_name and use_backup on every
// operation, so changes made before load (the backup selection) take effect. A FRU marked not
// present has a record whose load, raw reads and raw writes all fail.
//
// vpd_data: zero-filled, at least 0x400 bytes (block 0 for the CRC) and exactly as large as the
// furthest field end of any descriptor table, so every field address (block * 0x400 + offset)
// & 0xFFFF plus its length lies inside it whatever the device holds. load copies the device's
// bytes to the same offsets: all of its first min(max_size, buffer size) bytes, or, when the
// command planned its reads (plan_read), only those ranges; the rest stays zero. Nothing past the
// buffer is ever read, so memory stays bounded on any device. load fails when the FRU is not
// present, a planned range passes max_size, the device cannot be opened, locked or read, or it
// holds fewer bytes than max_size says.
//
// Writes (write_raw, write_field, vpd_write_field): the range must end at or before max_size;
// device_file.h says what a device write guarantees and how devices are locked. Only a write that
// succeeded is copied into vpd_data by write_field. A record told plan_update opens its device
// once, in load, and does every later read and write through that descriptor. A record makes its
// device calls through the env the library held when the record was made (library.h).
//
// Field ids: base + index, where base is the record format's (0, 0x2000, 0x3000) and index lies
// inside that format's table; every other id is unknown (-1). From layout version 2 on (byte 2 of
// a full record) the legacy fields 8 and 9 are retired: their size is 0, reads copy nothing and
// writes store nothing.
//
// read_field_to_string: mode 4 gives the field's text up to its first NUL with trailing blanks
// removed; every other mode (0 included) gives "0x" and the bytes in upper-case hex in stored
// order. The width argument is not used.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include "crc32.h"
#include "database.h"
#include "device_file.h"
#include "library.h"
#include "util/bytes.h"
#include "vpd_access/vpd.h"

namespace vpd_platform {
namespace {

using vpd_lib::FieldDescriptor;

constexpr uint32_t kBlock0Size = vpd_lib::VPD_FULL_BLOCK_SIZE;
constexpr uint32_t kCrcOffset = 0x3FC;  // the last four bytes of block 0
constexpr uint32_t kLayoutOffset = 2;

// Layout 1 is the legacy layout of system VPD; from layout 2 on fields 8 and 9 are retired.
bool legacy_layout(const unsigned char* vpd_data) { return vpd_data[kLayoutOffset] < 2; }

}  // namespace

// Block 0 and the furthest field end of all three tables.
size_t vpd_data_extent() {
  static const size_t extent = [] {
    size_t end = kBlock0Size;
    for (const vpd_lib::VpdFormat& f : vpd_lib::VPD_FORMATS)
      for (uint32_t i = 0; i < f.table_size; ++i)
        end = std::max<size_t>(end, size_t{vpd_lib::field_address(f.table[i])} + f.table[i].length);
    return end;
  }();
  return extent;
}

namespace {

struct Range {
  uint32_t offset;
  uint32_t length;
};

class FileRecord : public vpd_lib::vpd {
 public:
  FileRecord(const InventoryEntry& entry, const std::string& root, DeviceEnv& env)
      : root_(root), fru_(entry.fru), env_(env), hold_(env, journal_dir(root)) {
    present_ = entry.present;
    dev_name = entry.device;
    format = entry.format;
    max_size = entry.max_size;
  }

  int read_raw(unsigned int offset, unsigned int length, unsigned char* buffer) override {
    if (!usable(offset, length, buffer)) return 0;
    const std::string file = path();
    if (holds(file)) return hold_.read(offset, length, buffer);
    Device device(env_, journal_dir(root_));
    return device.open(file, DEVICE_READ) && device.read(offset, length, buffer);
  }

  // A record loaded for update writes through the descriptor its load read from, under the lock
  // taken there.
  int write_raw(unsigned int offset, unsigned int length, unsigned char* buffer, bool) override {
    if (!usable(offset, length, buffer)) return 0;
    const std::string file = path();
    if (holds(file)) return hold_.write(offset, length, buffer);
    Device device(env_, journal_dir(root_));
    return device.open(file, DEVICE_WRITE) && device.write(offset, length, buffer);
  }

  bool load(int) override {
    if (!present_or_report()) return false;
    const std::string file = path();
    Device own(env_, journal_dir(root_));
    Device& device = update_ ? hold_ : own;
    if (!device.is_open() && !device.open(file, update_ ? DEVICE_UPDATE : DEVICE_READ)) return false;
    // Bytes past max_size are no part of the record and stay zero; bytes inside it must all be
    // read, so a device shorter than the inventory says fails rather than showing zeros. Nothing
    // past the furthest field is ever looked at, so nothing past it is read: a huge max_size on a
    // large device costs neither memory nor bus time.
    const size_t extent = vpd_data_extent();
    const uint64_t end = std::min<uint64_t>(max_size, extent);
    // Every plan includes the header at offset 0, so a record with any byte reads at least one.
    if (end == 0) {
      report("%s: holds no VPD bytes within max_size 0x%x", file.c_str(),
             static_cast<unsigned>(max_size));
      return false;
    }
    // Bytes past max_size are no part of the record: a command that would show them fails rather
    // than show zeros (the block-0 CRC's plan comes cut at max_size from the tool).
    for (const Range& r : joined(plan_))
      if (!inside(r.offset, r.length)) return false;
    std::vector<Range> ranges =
        plan_.empty() ? std::vector<Range>{{0, static_cast<uint32_t>(end)}} : planned_ranges();
    std::vector<unsigned char> data(extent, 0);
    for (const Range& r : ranges) {
      if (r.offset >= end) continue;
      const uint32_t want = static_cast<uint32_t>(std::min<uint64_t>(r.length, end - r.offset));
      if (!device.read(r.offset, want, data.data() + r.offset)) return false;
    }
    data_ = std::move(data);
    vpd_data = data_.data();
    return true;
  }

  void plan_read(unsigned int offset, unsigned int length) override {
    if (offset < vpd_data_extent() && length > 0)
      plan_.push_back({offset, std::min<uint32_t>(length, static_cast<uint32_t>(vpd_data_extent() - offset))});
  }

  void plan_update() override { update_ = true; }

 private:
  bool present_or_report() const {
    if (!present_) report("%s: FRU %u is marked not present", inventory_path(root_).c_str(), fru_);
    return present_;
  }
  // Reports why a raw access cannot go ahead.
  bool usable(unsigned int offset, unsigned int length, const unsigned char* buffer) const {
    return present_or_report() && inside(offset, length) && (buffer != nullptr || length == 0);
  }
  // Reports a range that passes max_size.
  bool inside(uint32_t offset, uint32_t length) const {
    if (uint64_t{offset} + length <= max_size) return true;
    report("%s: %u bytes at offset 0x%x pass the FRU's max_size 0x%x", path().c_str(),
           static_cast<unsigned>(length), static_cast<unsigned>(offset), static_cast<unsigned>(max_size));
    return false;
  }
  std::string path() const { return device_path(root_, dev_name, use_backup); }
  bool holds(const std::string& file) const { return hold_.is_open() && hold_.path() == file; }

  // The planned ranges and the header the library relies on (the length word and, on system VPD,
  // the layout byte that sizes the legacy fields), joined: one transfer each.
  std::vector<Range> planned_ranges() const {
    const vpd_lib::VpdFormat* f = vpd_lib::format_of(format);
    std::vector<Range> ranges = plan_;
    ranges.push_back({0, f != nullptr && f->system_vpd ? kLayoutOffset + 1 : vpd_lib::VPD_LENGTH_WORD_BYTES});
    return joined(std::move(ranges));
  }
  // The ranges sorted, with overlapping and touching ones joined.
  static std::vector<Range> joined(std::vector<Range> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const Range& a, const Range& b) { return a.offset < b.offset; });
    std::vector<Range> out;
    for (const Range& r : ranges) {
      if (!out.empty() && r.offset <= out.back().offset + out.back().length) {
        out.back().length = std::max(out.back().length, r.offset + r.length - out.back().offset);
      } else {
        out.push_back(r);
      }
    }
    return out;
  }

  std::string root_;
  unsigned fru_ = 0;
  bool present_ = false;
  bool update_ = false;
  std::vector<Range> plan_;
  DeviceEnv& env_;
  Device hold_;  // open and exclusively locked from load on, for a command that writes
  std::vector<unsigned char> data_;
};

}  // namespace

Library& library_state() {
  static Library lib;
  return lib;
}

Library& loaded_library() {
  Library& lib = library_state();
  if (!lib.ready) {
    lib.root = database_root();
    try {
      lib.inventory = read_inventory(lib.root);
    } catch (const std::bad_alloc&) {
      lib.inventory = Inventory();
      lib.inventory.error = "out of memory";
    }
    lib.ready = true;
    lib.reported = false;
  }
  return lib;
}

// The state with the inventory read, its errors reported once: to the commands that use it.
Library& library() {
  Library& lib = loaded_library();
  if (!lib.reported) {
    lib.reported = true;
    const std::string path = inventory_path(lib.root);
    if (lib.inventory.status == INVENTORY_MISSING)
      report("%s: cannot read the inventory: %s", path.c_str(), lib.inventory.error.c_str());
    else if (lib.inventory.status != INVENTORY_OK)
      report("%s:%s", path.c_str(), lib.inventory.error.c_str());
  }
  return lib;
}

}  // namespace vpd_platform

namespace vpd_lib {

uint32_t nvram::calcBlock0CRC32() const {
  if (!vpd_data) return 0;
  return vpd_platform::crc32(vpd_data, vpd_platform::kCrcOffset);
}

uint32_t nvram::getBlock0CRC32() const {
  if (!vpd_data) return 0;
  return orvantis::load_be32(vpd_data + vpd_platform::kCrcOffset);
}

int nvram::isBlock0CRCSupported() const {
  const VpdFormat* f = format_of(format);
  if (f == nullptr || !f->system_vpd) return -1;
  if (!vpd_data || max_size < vpd_platform::kBlock0Size || orvantis::load_be16(vpd_data) != f->length_word)
    return -2;
  if (vpd_platform::legacy_layout(vpd_data)) return -3;
  return 1;
}

void nvram::returnVPDBlock0CRC32(unsigned char* out) {
  if (out) orvantis::store_be32(out, calcBlock0CRC32());
}

namespace {

// The descriptor of `field_id` in this format's table, or null when the id is unknown.
const FieldDescriptor* descriptor_of(int16_t format, unsigned int field_id) {
  const VpdFormat* f = format_of(format);
  return f != nullptr ? field_of(*f, field_id) : nullptr;
}

// The field's length in the record's layout: legacy fields 8 and 9 are empty from layout 2 on.
uint32_t layout_length(const nvram& record, unsigned int field_id, const FieldDescriptor& d) {
  if (format_of(record.format)->system_vpd && record.vpd_data &&
      (field_id == VPD_LEGACY_MTM_FIELD || field_id == VPD_LEGACY_SN_FIELD) &&
      !vpd_platform::legacy_layout(record.vpd_data))
    return 0;
  return d.length;
}

}  // namespace

int vpd::read_field(unsigned int field_id, unsigned int length, unsigned char* buffer) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d || !vpd_data) return -1;
  uint32_t count = std::min(length, layout_length(*this, field_id, *d));
  if (count > 0 && !buffer) return -1;
  if (count > 0) std::memcpy(buffer, vpd_data + vpd_lib::field_address(*d), count);
  return static_cast<int>(count);
}

int vpd::write_field(unsigned int field_id, unsigned int length, unsigned char* data, bool) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d || !vpd_data) return -1;
  uint32_t count = std::min(length, layout_length(*this, field_id, *d));
  if (count == 0) return 0;
  if (!data) return -1;
  uint32_t address = vpd_lib::field_address(*d);
  if (!write_raw(address, count, data, false)) return -1;
  std::memmove(vpd_data + address, data, count);
  return static_cast<int>(count);
}

int vpd::get_field_size(unsigned int field_id) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d) return -1;
  return static_cast<int>(layout_length(*this, field_id, *d));
}

int vpd::read_field_to_string(std::string& out, unsigned int field_id, int mode, int) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d || !vpd_data) return -1;
  const unsigned char* bytes = vpd_data + vpd_lib::field_address(*d);
  uint32_t length = layout_length(*this, field_id, *d);
  out.clear();
  if (mode == 4) {
    const void* nul = std::memchr(bytes, 0, length);
    size_t end = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - bytes) : length;
    while (end > 0 && bytes[end - 1] == ' ') --end;
    out.assign(reinterpret_cast<const char*>(bytes), end);
  } else {
    static const char kDigits[] = "0123456789ABCDEF";
    out = "0x";
    for (uint32_t i = 0; i < length; ++i) {
      out += kDigits[bytes[i] >> 4];
      out += kDigits[bytes[i] & 0xF];
    }
  }
  return static_cast<int>(out.size());
}

vpd* find_vpd_record(unsigned char fru, bool preload) {
  vpd_platform::Library& lib = vpd_platform::library();
  auto found = lib.records.find(fru);
  if (found != lib.records.end()) return found->second.get();
  for (const vpd_platform::InventoryEntry& entry : lib.inventory.entries) {
    if (entry.fru != fru) continue;
    auto record = std::make_unique<vpd_platform::FileRecord>(entry, lib.root, *lib.env);
    // Loading is lazy: the caller may still switch the record to its backup copy.
    record->preload_flag = preload;
    vpd* result = record.get();
    lib.records.emplace(fru, std::move(record));
    return result;
  }
  if (lib.inventory.status == vpd_platform::INVENTORY_OK)
    vpd_platform::report("%s: no FRU %u", vpd_platform::inventory_path(lib.root).c_str(),
                         static_cast<unsigned>(fru));
  return nullptr;
}

namespace {

// The FRU's record, loaded; null when there is none or it does not load.
vpd* loaded_record(unsigned char fru) {
  vpd* record = find_vpd_record(fru, true);
  if (!record) return nullptr;
  if (!record->vpd_data && !record->load(0)) return nullptr;
  return record;
}

}  // namespace

int vpd_read_field_size(unsigned char fru, unsigned int field_id) {
  vpd* record = loaded_record(fru);
  return record ? record->get_field_size(field_id) : -1;
}

int vpd_write_field(unsigned char fru, unsigned int field_id, unsigned int length,
                    unsigned char* data, bool flag) {
  vpd* record = loaded_record(fru);
  return record ? record->write_field(field_id, length, data, flag) : -1;
}

}  // namespace vpd_lib

namespace vpd_db {

int fill_stream_with_vpd_info(std::stringstream* out) {
  const vpd_platform::Library& lib = vpd_platform::library();
  if (lib.inventory.status != vpd_platform::INVENTORY_OK) return lib.inventory.status;
  if (!out) return vpd_platform::INVENTORY_INVALID;
  *out << vpd_platform::inventory_text(lib.inventory);
  return 0;
}

}  // namespace vpd_db
