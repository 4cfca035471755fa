// SPDX-License-Identifier: Apache-2.0
// The VPD access library as the tool sees it.
//
// On a controller this library belongs to the platform; this project ships a file-backed
// implementation under platform/. The tool reaches the VPD storage only through the names declared
// here: the record (used as vpd_lib::vpd for fields and as vpd_lib::nvram for the block-0 CRC), the
// free field functions, the FRU inventory text, the three field descriptor tables and the format
// table that ties each format to its descriptor table and numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

struct stat;  // <sys/stat.h>

namespace vpd_lib {

// Record format codes, the record's `format` member. No other code is supported by the tool.
enum : int16_t {
  VPD_FORMAT_FULL = 0,   // system VPD, descriptor table BlockX
  VPD_FORMAT_BRIEF = 1,  // component VPD, table CompVPD_v3
  VPD_FORMAT_CFF3 = 2,   // compact FRU VPD, table CompVPD_cff3
};

// Field id bases: a field id is the base ORed with the table index.
enum : uint32_t {
  VPD_BASE_FULL = 0x0000,
  VPD_BASE_BRIEF = 0x2000,
  VPD_BASE_CFF3 = 0x3000,
};

// Descriptor addresses step by this block size whatever the format's own block size.
constexpr uint32_t VPD_FULL_BLOCK_SIZE = 0x400;
// Every record starts with its length word (field 0).
constexpr uint32_t VPD_LENGTH_WORD_BYTES = 2;

// The system VPD fields (BlockX indices, and so field ids) that the library and the tool reach by
// number; their addresses and lengths are the table's, whose shape tables.cpp proves.
// The layout rule, stated only here: a layout byte below 2 is the legacy layout 1, which keeps the
// machine type-model and serial number in the 7-byte fields LEGACY_MTM and LEGACY_SN; from layout
// 2 on the library reports those 0 bytes long (retired) and MTM and SN hold the 10-byte values.
enum VpdFixedField : uint32_t {
  VPD_FIXED_LAYOUT = 0x01,      // the layout byte
  VPD_FIXED_VPDID = 0x05,       // platform VPD id and position id: the platform id (-P)
  VPD_FIXED_POSID = 0x07,
  VPD_FIXED_LEGACY_MTM = 0x08,
  VPD_FIXED_LEGACY_SN = 0x09,
  VPD_FIXED_HWREV = 0x10,
  VPD_FIXED_UUID = 0x1B,
  VPD_FIXED_MTM = 0x38,
  VPD_FIXED_SN = 0x39,
  VPD_FIXED_CRC = 0x4C,         // the block-0 CRC, block 0's last four bytes
  VPD_FIXED_UEFIID = 0x51,
};

// Field kinds, the descriptor's `kind` member.
enum : uint32_t {
  VPD_FIELD_HEX = 0,          // `length` raw bytes
  VPD_FIELD_BYTE = 1,         // one number
  VPD_FIELD_WORD = 2,         // 16-bit number
  VPD_FIELD_DWORD = 3,        // 32-bit number
  VPD_FIELD_TEXT = 4,         // fixed-length text, padded by `pad`
  VPD_FIELD_ZERO = 5,         // no value, `length` bytes 0x00
  VPD_FIELD_BLANK = 6,        // no value, `length` bytes 0x20
  VPD_FIELD_TAGGED_TEXT = 7,  // 32-byte slot: tag byte + 31 text bytes; tag 0x20 = empty
  VPD_FIELD_MAC = 8,          // 6-byte hardware address
};

// Pad word: low byte is the pad character; this bit puts the pad in front of the text.
// A pad word of 0 means the text field is never repaired.
constexpr uint16_t VPD_PAD_FRONT = 0x200;

// One entry of a field descriptor table: 20 bytes on the 32-bit target. A field's bytes lie in
// vpd_data at (block * 0x400 + offset) & 0xFFFF. The tables have no header and no count.
struct FieldDescriptor {
  uint16_t block;
  uint16_t offset;
  uint16_t length;
  uint16_t reserved;
  uint32_t kind;
  const char* name;  // NUL-terminated, never null, owned by the library
  uint16_t pad;
};

#if UINTPTR_MAX == 0xFFFFFFFFu
// On the 32-bit target the entry layout is part of the library's binary interface.
static_assert(sizeof(FieldDescriptor) == 20, "descriptor entry must be 20 bytes");
static_assert(offsetof(FieldDescriptor, block) == 0, "block at 0");
static_assert(offsetof(FieldDescriptor, offset) == 2, "offset at 2");
static_assert(offsetof(FieldDescriptor, length) == 4, "length at 4");
static_assert(offsetof(FieldDescriptor, kind) == 8, "kind at 8");
static_assert(offsetof(FieldDescriptor, name) == 12, "name at 12");
static_assert(offsetof(FieldDescriptor, pad) == 16, "pad at 16");
#endif

// The three descriptor tables; entry i describes the field with table index i. The sizes are part
// of the declarations, so the tables' definitions and every user agree on them (std::size).
extern const FieldDescriptor BlockX[0xBD];       // VPD_FORMAT_FULL, indices 0x00..0xBC
extern const FieldDescriptor CompVPD_v3[0x17];   // VPD_FORMAT_BRIEF, indices 0x00..0x16
extern const FieldDescriptor CompVPD_cff3[0x16]; // VPD_FORMAT_CFF3, indices 0x00..0x15

// Where a field's bytes lie in vpd_data. Only 16 bits of address exist: the sum wraps there.
inline uint32_t field_address(const FieldDescriptor& d) {
  return (uint32_t{d.block} * VPD_FULL_BLOCK_SIZE + d.offset) & 0xFFFFu;
}

// One row per supported record format: everything the library and the tool know about it.
struct VpdFormat {
  int16_t code;                  // the record's `format` member
  const char* name;              // the inventory's word for it
  const FieldDescriptor* table;  // entries 0..table_size - 1
  uint32_t table_size;
  uint32_t base;                 // ORed with an index, the field id (field_id_of)
  uint32_t block_size;           // 0: the length word holds the block size, up to max_size
  uint16_t length_word;          // the length word's required value when block_size is fixed
  bool little_endian;            // byte order of its numbers, the length word first among them
  bool reorder_numbers;          // the printout shows numbers and hex in reverse stored order (not with -E)
  bool system_vpd;               // the fixed fields (VpdFixedField): layout byte, block-0 CRC, named fields
};
extern const VpdFormat VPD_FORMATS[3];

// The row of a format code, or null when the format is not supported.
const VpdFormat* format_of(int16_t code);

// A field id is its format's base ORed with its table index, which takes the low 12 bits. These
// two are the only place that rule is written.
inline uint32_t field_id_of(uint32_t base, uint32_t index) { return base | index; }
inline uint32_t index_of_id(uint32_t id) { return id & 0xFFFu; }

// The descriptor of field `id` in `format`'s table, or null when the id is not one of its fields
// (another format's base, an index past the table, any other bit set).
inline const FieldDescriptor* field_of(const VpdFormat& format, uint32_t id) {
  const uint32_t index = index_of_id(id);
  if (index >= format.table_size || field_id_of(format.base, index) != id) return nullptr;
  return &format.table[index];
}

// The record, block-0 CRC side. The library owns every record; the tool never deletes one.
class nvram {
 public:
  virtual ~nvram() = default;

  // Reads `length` bytes of the device from byte `offset` into `buffer`; nonzero on success.
  virtual int read_raw(unsigned int offset, unsigned int length, unsigned char* buffer) = 0;
  // Writes `length` bytes from `buffer` to the device at `offset`; nonzero on success.
  // Neither raw operation touches vpd_data.
  [[nodiscard]] virtual int write_raw(unsigned int offset, unsigned int length, unsigned char* buffer, bool flag) = 0;
  // Reads the device (or its backup copy when use_backup is set) into vpd_data. Called with 0.
  virtual bool load(int flags) = 0;

  // Before load: the command will look only at vpd_data[offset, offset + length). Each call adds
  // a range; load then reads just the ranges given and the header it relies on itself (the length
  // word, and the layout byte of system VPD), and leaves the rest of vpd_data zero: on an I2C
  // EEPROM the bus is what a command costs. Without a call, load reads the whole record. A range
  // that passes max_size makes load fail: its bytes are no part of the record.
  virtual void plan_read(unsigned int offset, unsigned int length) = 0;
  // Before load: the command will write, so nothing may change the device between what it read
  // and what it writes (the library locks it from load to the end of the process).
  virtual void plan_update() = 0;

  // CRC-32 over block 0 as it is in vpd_data, and the CRC stored in block 0.
  uint32_t calcBlock0CRC32() const;
  uint32_t getBlock0CRC32() const;
  // 1 supported; -1 format, -2 size, -3 layout version not supported.
  int isBlock0CRCSupported() const;
  // Writes the calculated CRC into out[0..3] in the byte order the CRC field stores.
  void returnVPDBlock0CRC32(unsigned char* out);

  // Set from the inventory when the record is found, before load.
  std::string dev_name;
  int16_t format = VPD_FORMAT_FULL;
  uint32_t max_size = 0;
  unsigned char* vpd_data = nullptr;
  bool use_backup = false;
  bool preload_flag = false;

 protected:
  nvram() = default;
  nvram(const nvram&) = delete;
  nvram& operator=(const nvram&) = delete;
};

// The record, field side.
class vpd : public nvram {
 public:
  // Copies min(length, field length) bytes of the field into buffer; the count, or -1 when the id
  // is not a field of this record's format.
  int read_field(unsigned int field_id, unsigned int length, unsigned char* buffer);
  // Writes min(length, field length) bytes to the device and into vpd_data; the count or -1.
  [[nodiscard]] int write_field(unsigned int field_id, unsigned int length, unsigned char* data, bool flag);
  // The field's length in this record's layout, -1 for an unknown id.
  int get_field_size(unsigned int field_id);
  // mode 0: "0x" and the bytes as upper-case hex in stored order; mode 4: the bytes up to the
  // first NUL with trailing blanks removed; any other mode gives the mode-0 form. `width` is
  // ignored. The result is the text length, or -1.
  int read_field_to_string(std::string& out, unsigned int field_id, int mode, int width);
};

// The record of FRU `fru`, or null when the inventory has no such FRU. One record per FRU per
// process; the same pointer on every call.
vpd* find_vpd_record(unsigned char fru, bool preload);

// The system board's backup copy (-B): FRU 0 alone, named by the full id 0, has one. Of the device
// "mb_vpd" it is the file beside it (use_backup: mb_vpd.backup), block 0 alone; of any other
// device it is the device "VPDb", as large as FRU 0's own. Turns FRU `fru`'s device name, backup
// flag and max_size (a record's, set before load) into its copy's; false, nothing changed, when
// the FRU has none.
bool backup_copy_of(uint32_t fru, std::string* dev_name, bool* use_backup, uint32_t* max_size);

// The same field operations through the FRU's record (loading it on first use).
int vpd_read_field_size(unsigned char fru, unsigned int field_id);
[[nodiscard]] int vpd_write_field(unsigned char fru, unsigned int field_id, unsigned int length,
                    unsigned char* data, bool flag);

}  // namespace vpd_lib

namespace vpd_db {

// Appends the FRU inventory text to *out: a header line, then one line per FRU in id order.
// 0 on success, -2 when the inventory is missing, -22 when it cannot be parsed.
int fill_stream_with_vpd_info(std::stringstream* out);

// Why the tool must never write its own bytes (a raw file, a printout, a message) into a file, as
// the rest of a sentence about it ("is the VPD of FRU 0 (/etc/vpd/dev/mb_vpd)"), or "" when it
// may. `st` is the file's status, null when it does not exist yet; `name` is a path to it
// (/proc/self/fd/N for an open descriptor). Refused: the device or backup copy (backup_copy_of)
// of an inventory FRU, the inventory, the journal folder ROOT/journal and anything in it, and,
// while the inventory cannot be read, anything under ROOT. Reads the inventory without reporting
// its errors.
std::string refused_output(const struct stat* st, const std::string& name);

}  // namespace vpd_db
