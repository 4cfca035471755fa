// The file-backed VPD record: vpd_lib::nvram / vpd_lib::vpd over the device files of the VPD
// database (database.h), with locked, verified device access (device_file.h).
//
// Records: one per inventory FRU per process, created on first lookup and owned by the library
// until the process ends. The device file is resolved from dev_name and use_backup on every
// operation, so changes made before load (the backup selection) take effect. A FRU marked not
// present has a record whose load, raw reads and raw writes all fail.
//
// vpd_data: zero-filled, at least 0x400 bytes (block 0 for the CRC) and at least as large as the
// furthest field of any descriptor table, so every field address (block * 0x400 + offset) & 0xFFFF
// plus its length lies inside it whatever the device holds; the device's first
// min(file length, max_size) bytes are copied to its start.
//
// Writes (write_raw, write_field, vpd_write_field): the range must end at or before max_size and
// inside the device file, which never changes length. The device is locked exclusively for the
// write, the bytes are synced and read back; only a write that reads back equal succeeds, and only
// then does write_field copy the bytes into vpd_data. A failed write leaves vpd_data as it was.
// Reads lock the device shared. A lock not obtained within 3 s fails the operation.
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
#include <map>
#include <memory>
#include <vector>

#include "crc32.h"
#include "database.h"
#include "device_file.h"
#include "testing.h"
#include "util/bytes.h"
#include "vpd_access/vpd.h"

namespace vpd_platform {
namespace {

using vpd_lib::FieldDescriptor;

constexpr uint32_t kBlock0Size = 0x400;
constexpr uint32_t kCrcOffset = 0x3FC;
constexpr uint32_t kLayoutOffset = 2;
constexpr uint16_t kFullLengthWord = 0x3FE;
constexpr uint32_t kLegacyMtm = 8, kLegacySn = 9;

struct FieldTable {
  const FieldDescriptor* entries;
  uint32_t base;
  uint32_t count;
};

const FieldTable kTables[] = {
    {vpd_lib::BlockX, vpd_lib::VPD_BASE_FULL, 0xBD},
    {vpd_lib::CompVPD_v3, vpd_lib::VPD_BASE_BRIEF, 0x17},
    {vpd_lib::CompVPD_cff3, vpd_lib::VPD_BASE_CFF3, 0x16},
};

const FieldTable* table_of(int16_t format) {
  switch (format) {
    case vpd_lib::VPD_FORMAT_FULL: return &kTables[0];
    case vpd_lib::VPD_FORMAT_BRIEF: return &kTables[1];
    case vpd_lib::VPD_FORMAT_CFF3: return &kTables[2];
    default: return nullptr;
  }
}

uint32_t address_of(const FieldDescriptor& d) {
  return (uint32_t{d.block} * 0x400u + d.offset) & 0xFFFFu;
}

// Size of every vpd_data buffer: block 0 and the furthest field end of all three tables.
size_t vpd_data_extent() {
  static const size_t extent = [] {
    size_t end = kBlock0Size;
    for (const FieldTable& t : kTables)
      for (uint32_t i = 0; i < t.count; ++i)
        end = std::max<size_t>(end, size_t{address_of(t.entries[i])} + t.entries[i].length);
    return end;
  }();
  return extent;
}

class FileRecord : public vpd_lib::vpd {
 public:
  FileRecord(const InventoryEntry& entry, const std::string& root) : root_(root) {
    present_ = entry.present;
    dev_name = entry.device;
    format = entry.format;
    max_size = entry.max_size;
  }

  int read_raw(unsigned int offset, unsigned int length, unsigned char* buffer) override {
    if (!present_ || !inside_max_size(offset, length) || (!buffer && length > 0)) return 0;
    return device_read(path(), offset, length, buffer) == DEVICE_OK;
  }

  int write_raw(unsigned int offset, unsigned int length, unsigned char* buffer, bool) override {
    if (!present_ || !inside_max_size(offset, length) || (!buffer && length > 0)) return 0;
    return device_write(path(), offset, length, buffer) == DEVICE_OK;
  }

  bool load(int) override {
    if (!present_) return false;
    std::vector<unsigned char> bytes;
    if (device_read_all(path(), max_size, &bytes) != DEVICE_OK) return false;
    data_.assign(std::max(vpd_data_extent(), bytes.size()), 0);
    std::copy(bytes.begin(), bytes.end(), data_.begin());
    vpd_data = data_.data();
    return true;
  }

 private:
  bool inside_max_size(unsigned int offset, unsigned int length) const {
    return uint64_t{offset} + length <= max_size;
  }
  std::string path() const { return device_path(root_, dev_name, use_backup); }

  std::string root_;
  bool present_ = false;
  std::vector<unsigned char> data_;
};

// The process-wide state: the inventory snapshot and the records handed out.
struct Library {
  bool ready = false;
  std::string root;
  Inventory inventory;
  std::map<unsigned, std::unique_ptr<FileRecord>> records;
};

Library& library_state() {
  static Library lib;
  return lib;
}

// The state with the inventory read: once per process, or again after reset_library.
Library& library() {
  Library& lib = library_state();
  if (!lib.ready) {
    lib.root = database_root();
    lib.inventory = read_inventory(lib.root);
    lib.ready = true;
  }
  return lib;
}

}  // namespace

namespace testing {
size_t record_data_size() { return vpd_data_extent(); }

void reset_library() {
  Library& lib = library_state();
  lib.records.clear();
  lib.inventory = Inventory();
  lib.ready = false;
}
}  // namespace testing

}  // namespace vpd_platform

namespace vpd_lib {

using vpd_platform::address_of;
using vpd_platform::table_of;

nvram::~nvram() = default;

// A bare nvram has no device; the file-backed record overrides these.
int nvram::read_raw(unsigned int, unsigned int, unsigned char*) { return 0; }
int nvram::write_raw(unsigned int, unsigned int, unsigned char*, bool) { return 0; }
bool nvram::load(int) { return false; }

uint32_t nvram::calcBlock0CRC32() const {
  if (!vpd_data) return 0;
  return vpd_platform::crc32(vpd_data, vpd_platform::kCrcOffset);
}

uint32_t nvram::getBlock0CRC32() const {
  if (!vpd_data) return 0;
  return orvantis::load_be32(vpd_data + vpd_platform::kCrcOffset);
}

int nvram::isBlock0CRCSupported() const {
  if (format != VPD_FORMAT_FULL) return -1;
  if (!vpd_data || max_size < vpd_platform::kBlock0Size ||
      orvantis::load_be16(vpd_data) != vpd_platform::kFullLengthWord)
    return -2;
  if (vpd_data[vpd_platform::kLayoutOffset] < 2) return -3;
  return 1;
}

void nvram::returnVPDBlock0CRC32(unsigned char* out) {
  if (out) orvantis::store_be32(out, calcBlock0CRC32());
}

namespace {

// The descriptor of `field_id` in this format's table, or null when the id is unknown.
const FieldDescriptor* descriptor_of(int16_t format, unsigned int field_id) {
  const vpd_platform::FieldTable* t = table_of(format);
  if (!t || field_id < t->base || field_id - t->base >= t->count) return nullptr;
  return &t->entries[field_id - t->base];
}

// The field's length in the record's layout: legacy fields 8 and 9 are empty from layout 2 on.
uint32_t layout_length(const nvram& record, unsigned int field_id, const FieldDescriptor& d) {
  if (record.format == VPD_FORMAT_FULL && record.vpd_data &&
      (field_id == vpd_platform::kLegacyMtm || field_id == vpd_platform::kLegacySn) &&
      record.vpd_data[vpd_platform::kLayoutOffset] >= 2)
    return 0;
  return d.length;
}

}  // namespace

int vpd::read_field(unsigned int field_id, unsigned int length, unsigned char* buffer) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d || !vpd_data) return -1;
  uint32_t count = std::min(length, layout_length(*this, field_id, *d));
  if (count > 0 && !buffer) return -1;
  if (count > 0) std::memcpy(buffer, vpd_data + address_of(*d), count);
  return static_cast<int>(count);
}

int vpd::write_field(unsigned int field_id, unsigned int length, unsigned char* data, bool) {
  const FieldDescriptor* d = descriptor_of(format, field_id);
  if (!d || !vpd_data) return -1;
  uint32_t count = std::min(length, layout_length(*this, field_id, *d));
  if (count == 0) return 0;
  if (!data) return -1;
  uint32_t address = address_of(*d);
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
  const unsigned char* bytes = vpd_data + address_of(*d);
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
    auto record = std::make_unique<vpd_platform::FileRecord>(entry, lib.root);
    // Loading is lazy: the caller may still switch the record to its backup copy.
    record->preload_flag = preload;
    vpd* result = record.get();
    lib.records.emplace(fru, std::move(record));
    return result;
  }
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
