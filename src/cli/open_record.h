// SPDX-License-Identifier: Apache-2.0
// Opening a FRU's VPD record: lookup, backup selection, load, block size and field range.
#pragma once

#include <cstdint>

#include "cli/command_line.h"
#include "vpd_access/vpd.h"

namespace orvantis {

// The entries first..last (table indices, inclusive) of a format's table that a command walks;
// base makes an index a field id (vpd_lib::field_id_of).
struct FieldRange {
  const vpd_lib::FieldDescriptor* table = nullptr;
  uint32_t base = 0;
  uint32_t first = 0;
  uint32_t last = 0;
};

struct OpenRecord {
  vpd_lib::vpd* record = nullptr;  // owned by the VPD access library, never released
  const vpd_lib::VpdFormat* format = nullptr;  // never null once the record is open
  uint32_t block_size = 0;
  FieldRange range;
};

// What a command reads of vpd_data. load fetches just that from the EEPROM (on the controller
// every byte loaded crosses the I2C bus), plus the length word the tool sizes blocks by.
enum DataReads {
  READS_WHOLE_RECORD,  // nothing declared: the whole record loads, slow but never wrong
  READS_NOTHING,       // no field (raw dump and burn use read_raw, not vpd_data)
  READS_RANGE,         // the fields of the block's range
  READS_FIELD,         // the field -o names
  READS_NAMED,         // the field -g names, both of its ids for mtm and sn
  READS_PLATFORM_ID,   // the named fields vpdid and posid
  READS_BLOCK0,        // block 0 up to the end of its CRC
};

// The range of a supported format's table for a block 0..7: the entries of that block for a
// table that spans blocks (blocks past its last one share that one's range), else the whole table.
FieldRange field_range_for(const vpd_lib::VpdFormat& format, uint32_t block);

// Opens and sizes the record the command line names, loading only the length word, the header
// the library needs and what `reads` declares; `writes` keeps the device locked for the command.
// Returns 0 with *out filled, or prints the failure message(s) and returns 1.
int open_record(const CommandLine& cl, DataReads reads, bool writes, OpenRecord* out);

}  // namespace orvantis
