// SPDX-License-Identifier: Apache-2.0
#include "cli/open_record.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "util/bytes.h"

namespace orvantis {
namespace {

// Each format's length word holds the block size minus the two bytes of the word itself.
constexpr uint32_t kFullBlockSize = vpd_lib::VPD_FULL_BLOCK_SIZE;
constexpr uint32_t kBriefBlockSize = vpd_lib::VPD_BRIEF_BLOCK_SIZE;
constexpr uint16_t kFullLengthWord = kFullBlockSize - vpd_lib::VPD_LENGTH_WORD_BYTES;
constexpr uint16_t kBriefLengthWord = kBriefBlockSize - vpd_lib::VPD_LENGTH_WORD_BYTES;

// Only the system board's backup copy exists; it lives beside "mb_vpd", else on device VPDb.
constexpr const char kSystemBoardDevice[] = "mb_vpd";
constexpr uint32_t kSystemBoardBackupSize = vpd_lib::VPD_FULL_BLOCK_SIZE;  // block 0 alone

// The BlockX entries of a block, as the table's own block members place them (the table lists
// the blocks in order). Blocks past the table's last one (6 and 7) share its range.
FieldRange full_block_range(uint32_t block) {
  const uint32_t last_block = vpd_lib::BlockX[std::size(vpd_lib::BlockX) - 1].block;
  block = std::min(block, last_block);
  FieldRange range;
  range.table = vpd_lib::BlockX;
  while (vpd_lib::BlockX[range.first].block < block) ++range.first;
  range.last = range.first;
  while (range.last + 1 < std::size(vpd_lib::BlockX) && vpd_lib::BlockX[range.last + 1].block == block)
    ++range.last;
  return range;
}

bool is_supported(int16_t format) {
  return format == vpd_lib::VPD_FORMAT_FULL || format == vpd_lib::VPD_FORMAT_BRIEF ||
         format == vpd_lib::VPD_FORMAT_CFF3;
}

void print_unsupported(int16_t format) {
  std::printf("VPD format %d not supported.\n", static_cast<int>(format));
}

// Reads the record's length word and derives the block size. Returns 0 with *block_size set, or
// prints the reason (one or two lines) and returns 1.
int probe_block_size(vpd_lib::vpd* record, uint32_t* block_size) {
  unsigned char word[2] = {0, 0};
  const int16_t format = record->format;
  uint32_t field_id;
  switch (format) {
    case vpd_lib::VPD_FORMAT_FULL: field_id = vpd_lib::VPD_BASE_FULL; break;
    case vpd_lib::VPD_FORMAT_BRIEF: field_id = vpd_lib::VPD_BASE_BRIEF; break;
    case vpd_lib::VPD_FORMAT_CFF3: field_id = vpd_lib::VPD_BASE_CFF3; break;
    default:
      print_unsupported(format);
      std::printf("Error reading vpd size!\n");
      return 1;
  }
  if (record->read_field(field_id, sizeof word, word) <= 0) {
    std::printf("Error reading vpd size!\n");
    return 1;
  }
  if (format == vpd_lib::VPD_FORMAT_FULL) {
    // System VPD stores its length big-endian: 03 FE.
    const uint16_t length = load_be16(word);
    if (length != kFullLengthWord) {
      std::printf("VPD Length is invalid! Got 0x%x expected 0x3fe\n", static_cast<unsigned>(length));
      return 1;
    }
    *block_size = kFullBlockSize;
  } else if (format == vpd_lib::VPD_FORMAT_BRIEF) {
    // Component VPD stores it little-endian: FE 00.
    const uint16_t length = load_le16(word);
    if (length != kBriefLengthWord) {
      std::printf("VPD Length is invalid! Got 0x%x expected 0xfe\n", static_cast<unsigned>(length));
      return 1;
    }
    *block_size = kBriefBlockSize;
  } else {
    // The compact format stores the block size itself, bounded by the device.
    const uint16_t length = load_le16(word);
    if (length < 1 || length > record->max_size) {
      std::printf("VPD Length is invalid! Got 0x%x expected less than 0x%x\n",
                  static_cast<unsigned>(length), static_cast<unsigned>(record->max_size));
      return 1;
    }
    *block_size = length;
  }
  return 0;
}

}  // namespace

FieldRange field_range_for(int16_t format, int32_t block) {
  FieldRange range;
  switch (format) {
    case vpd_lib::VPD_FORMAT_FULL:
      if (block < 0 || block > 7) break;
      range = full_block_range(static_cast<uint32_t>(block));
      break;
    case vpd_lib::VPD_FORMAT_BRIEF:
      // The compact formats have one range; the block only moves raw dump and burn.
      range.table = vpd_lib::CompVPD_v3;
      range.first = vpd_lib::VPD_BASE_BRIEF;
      range.last = vpd_lib::VPD_BASE_BRIEF | last_table_index(format);
      break;
    case vpd_lib::VPD_FORMAT_CFF3:
      range.table = vpd_lib::CompVPD_cff3;
      range.first = vpd_lib::VPD_BASE_CFF3;
      range.last = vpd_lib::VPD_BASE_CFF3 | last_table_index(format);
      break;
    default:
      break;
  }
  return range;
}

uint32_t last_table_index(int16_t format) {
  switch (format) {
    case vpd_lib::VPD_FORMAT_FULL: return std::size(vpd_lib::BlockX) - 1;
    case vpd_lib::VPD_FORMAT_BRIEF: return std::size(vpd_lib::CompVPD_v3) - 1;
    case vpd_lib::VPD_FORMAT_CFF3: return std::size(vpd_lib::CompVPD_cff3) - 1;
    default: return 0;
  }
}

void plan_fields(vpd_lib::vpd* record, const vpd_lib::FieldDescriptor* table, uint32_t first,
                 uint32_t last) {
  for (uint32_t i = first; i <= last; ++i)
    record->plan_read(vpd_lib::field_address(table[i]), table[i].length);
}

int open_record(const CommandLine& cl, LoadPlanner plan, OpenRecord* out) {
  vpd_lib::vpd* record = vpd_lib::find_vpd_record(static_cast<unsigned char>(cl.fru_id & 0xFFu), true);
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

  // This step reads the length word; the library sizes the legacy fields by the layout byte.
  const FieldRange whole = field_range_for(record->format, 0);
  if (whole.table != nullptr) {
    plan_fields(record, whole.table, 0, record->format == vpd_lib::VPD_FORMAT_FULL ? 1 : 0);
    if (plan != nullptr) plan(cl, record);
  }
  if (!record->load(0)) {
    std::printf("Failed to fetch vpd data!\n");
    return 1;
  }

  uint32_t block_size = 0;
  if (cl.blocksize_given) {
    // A given block size bypasses the length word entirely, but not the format check.
    if (!is_supported(record->format)) {
      print_unsupported(record->format);
      return 1;
    }
    block_size = cl.blocksize;
  } else if (probe_block_size(record, &block_size) != 0) {
    return 1;
  }

  out->record = record;
  out->block_size = block_size;
  out->format = record->format;
  out->range = field_range_for(record->format, cl.block);
  return 0;
}

}  // namespace orvantis
