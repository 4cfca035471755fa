// SPDX-License-Identifier: Apache-2.0
#include "cli/open_record.h"

#include <algorithm>
#include <cstdio>

#include "fields/block0_crc.h"
#include "fields/named_fields.h"
#include "util/bytes.h"
#include "util/report.h"

namespace orvantis {
namespace {

// Only the system board's backup copy exists; it lives beside "mb_vpd", else on device VPDb.
constexpr const char kSystemBoardDevice[] = "mb_vpd";
constexpr uint32_t kSystemBoardBackupSize = vpd_lib::VPD_FULL_BLOCK_SIZE;  // block 0 alone

constexpr const char kSizeUnreadable[] = "Error reading vpd size!\n";

// Reads the record's length word and derives the block size. Returns 0 with *block_size set, or
// prints the reason and returns 1.
int probe_block_size(vpd_lib::vpd* record, const vpd_lib::VpdFormat& format, uint32_t* block_size) {
  unsigned char word[vpd_lib::VPD_LENGTH_WORD_BYTES] = {};
  if (record->read_field(format.base, sizeof word, word) <= 0) return print_failure(kSizeUnreadable);
  const uint16_t length = format.length_little_endian ? load_le16(word) : load_be16(word);
  if (format.block_size != 0) {
    if (length != format.length_word) {
      std::printf("VPD Length is invalid! Got 0x%x expected 0x%x\n", static_cast<unsigned>(length),
                  static_cast<unsigned>(format.length_word));
      return 1;
    }
    *block_size = format.block_size;
    return 0;
  }
  // The length word holds the block size itself, bounded by the device.
  if (length < 1 || length > record->max_size) {
    std::printf("VPD Length is invalid! Got 0x%x expected less than 0x%x\n",
                static_cast<unsigned>(length), static_cast<unsigned>(record->max_size));
    return 1;
  }
  *block_size = length;
  return 0;
}

void plan_field(vpd_lib::vpd* record, const vpd_lib::FieldDescriptor* field) {
  if (field != nullptr) record->plan_read(vpd_lib::field_address(*field), field->length);
}

// Tells the record, before it loads, what the command reads: the length word the block size
// comes from, then what the mode declares.
void plan_reads(const CommandLine& cl, DataReads reads, const vpd_lib::VpdFormat& format,
                vpd_lib::vpd* record) {
  plan_field(record, &format.table[0]);
  switch (reads) {
    case READS_WHOLE_RECORD:
    case READS_NOTHING:
      break;
    case READS_RANGE: {
      const FieldRange range = field_range_for(format, static_cast<uint32_t>(cl.block));
      for (uint32_t i = range.first; i <= range.last; ++i) plan_field(record, &format.table[i]);
      break;
    }
    case READS_FIELD: {
      const uint32_t index = vpd_lib::index_of_id(static_cast<uint32_t>(cl.field_number));
      if (index < format.table_size) plan_field(record, &format.table[index]);
      break;
    }
    case READS_NAMED:
      if (const NamedField* named = find_named_field(cl.field_name)) {
        plan_field(record, vpd_lib::field_of(format, named->field_id));
        if (named->legacy_field_id != 0) plan_field(record, vpd_lib::field_of(format, named->legacy_field_id));
      }
      break;
    case READS_PLATFORM_ID:
      plan_field(record, vpd_lib::field_of(format, FIELD_VPDID));
      plan_field(record, vpd_lib::field_of(format, FIELD_POSID));
      break;
    case READS_BLOCK0: {
      // Cut at max_size: the CRC is defined over block 0 zero-filled past the record's end, so
      // -s on a brief record and -S's refusals keep their answers.
      const vpd_lib::FieldDescriptor& crc = vpd_lib::BlockX[FIELD_BLOCK0_CRC];
      record->plan_read(0, std::min(vpd_lib::field_address(crc) + crc.length, record->max_size));
      break;
    }
  }
}

}  // namespace

FieldRange field_range_for(const vpd_lib::VpdFormat& format, uint32_t block) {
  // The table lists its blocks in order.
  const vpd_lib::FieldDescriptor* table = format.table;
  block = std::min<uint32_t>(block, table[format.table_size - 1].block);
  FieldRange range;
  range.table = table;
  range.base = format.base;
  while (table[range.first].block < block) ++range.first;
  range.last = range.first;
  while (range.last + 1 < format.table_size && table[range.last + 1].block == block) ++range.last;
  return range;
}

int open_record(const CommandLine& cl, DataReads reads, bool writes, OpenRecord* out) {
  vpd_lib::vpd* record = vpd_lib::find_vpd_record(cl.fru(), true);
  if (record == nullptr) {
    // The full value is shown, although only its low byte named the FRU.
    std::printf("Failed to fetch orvantis(%x) record from vpd_db\n", static_cast<unsigned>(cl.fru_id));
    return 1;
  }
  record->preload_flag = false;

  // Backup applies to the system board alone, named by the full id 0 (0x100 does not qualify).
  if (cl.backup && cl.fru_id == 0) {
    if (record->dev_name == kSystemBoardDevice) {
      record->use_backup = true;
      record->max_size = kSystemBoardBackupSize;
    } else {
      record->dev_name = vpd_lib::VPD_BACKUP_DEVICE;
    }
  }

  // A format the tool does not know loads whole; the block size check then refuses it.
  const vpd_lib::VpdFormat* format = vpd_lib::format_of(record->format);
  if (format != nullptr && reads != READS_WHOLE_RECORD) plan_reads(cl, reads, *format, record);
  if (format != nullptr && writes) record->plan_update();
  if (!record->load(0)) {
    std::printf("Failed to fetch vpd data!\n");
    return 1;
  }

  if (format == nullptr) {
    std::printf("VPD format %d not supported.\n", static_cast<int>(record->format));
    // Without -y the length word of an unknown format cannot be read either, and that is said too.
    if (cl.blocksize == 0) std::fputs(kSizeUnreadable, stdout);
    return 1;
  }
  // A given block size bypasses the length word entirely, but not the format check.
  uint32_t block_size = cl.blocksize;
  if (block_size == 0 && probe_block_size(record, *format, &block_size) != 0) return 1;

  out->record = record;
  out->format = format;
  out->block_size = block_size;
  out->range = field_range_for(*format, static_cast<uint32_t>(cl.block));
  return 0;
}

}  // namespace orvantis
