// SPDX-License-Identifier: Apache-2.0
#include "fields/block0_crc.h"

#include <cstdio>

#include "util/bytes.h"
#include "util/report.h"

namespace orvantis {
namespace {

// The three labels are padded so the values line up in one column.
void print_calculated_and_stored(const vpd_lib::vpd* record, uint32_t calculated) {
  std::printf("Calculated CRC = 0x%x\n", static_cast<unsigned>(calculated));
  std::printf("Stored CRC     = 0x%x\n", static_cast<unsigned>(record->getBlock0CRC32()));
}

// The refusal text for a support answer other than 1 ("Unexpected crc_support return = N" for
// unknown answers). Answer 1 gives an empty string.
std::string crc_support_message(int answer) {
  switch (answer) {
    case 1: return "";
    case -1: return "CRC not supported for given vpd format";
    case -2: return "CRC not calculated since VPD size is invalid";
    case -3: return "CRC not supported for given vpd version";
    default: return "Unexpected crc_support return = " + std::to_string(answer);
  }
}

}  // namespace

int run_check_crc(vpd_lib::vpd* record) {
  // A report only: a mismatch is shown, never an error.
  print_calculated_and_stored(record, record->calcBlock0CRC32());
  return 0;
}

int run_fix_crc(vpd_lib::vpd* record) {
  const int support = record->isBlock0CRCSupported();
  if (support != 1) {
    std::printf("%s\n", crc_support_message(support).c_str());
    return 1;
  }
  const uint32_t calculated = record->calcBlock0CRC32();
  print_calculated_and_stored(record, calculated);
  unsigned char stored[4] = {};
  record->returnVPDBlock0CRC32(stored);
  const int written = record->write_field(vpd_lib::VPD_FIXED_CRC, sizeof stored, stored, true);
  // The record takes the new bytes only once the device holds them. After a failed write the
  // device may hold part of them (a torn write), so the line shows what it reads back; only when
  // even that read fails does it show the CRC loaded before the write.
  uint32_t now_stored = record->getBlock0CRC32();
  if (written != static_cast<int>(sizeof stored)) {
    const vpd_lib::FieldDescriptor& crc = vpd_lib::BlockX[vpd_lib::VPD_FIXED_CRC];
    unsigned char back[4];
    if (record->read_raw(vpd_lib::field_address(crc), sizeof back, back) != 0)
      now_stored = load_be32(back);
  }
  std::printf("New Stored CRC = 0x%x\n", static_cast<unsigned>(now_stored));
  if (written != static_cast<int>(sizeof stored) || now_stored != calculated)
    return print_failed_update();
  return 0;
}

}  // namespace orvantis
