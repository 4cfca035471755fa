// SPDX-License-Identifier: Apache-2.0
// Opening a FRU's VPD record: lookup, backup selection, load, block size and field range.
#pragma once

#include <cstdint>

#include "cli/command_line.h"
#include "vpd_access/vpd.h"

namespace orvantis {

// The descriptor table and the first and last field id (inclusive) a command walks.
struct FieldRange {
  const vpd_lib::FieldDescriptor* table = nullptr;
  uint32_t first = 0;
  uint32_t last = 0;
};

struct OpenRecord {
  vpd_lib::vpd* record = nullptr;  // owned by the VPD access library, never released
  uint32_t block_size = 0;
  FieldRange range;
  int16_t format = vpd_lib::VPD_FORMAT_FULL;
};

// The field range for a supported format and a block 0..7.
FieldRange field_range_for(int16_t format, int32_t block);

// The last table index of a supported format's descriptor table (0xBC, 0x16, 0x15).
uint32_t last_table_index(int16_t format);

// Tells a record, before it loads, what its command will read (plan_read) and whether it will
// write (plan_update). Called with the record's format already known from the inventory.
using LoadPlanner = void (*)(const CommandLine& cl, vpd_lib::vpd* record);

// Plans the reads of table entries first..last (indices) of a record.
void plan_fields(vpd_lib::vpd* record, const vpd_lib::FieldDescriptor* table, uint32_t first,
                 uint32_t last);

// Opens and sizes the record the command line names, loading only the length word, the layout
// byte and what `plan` asks for (null: nothing more). Returns 0 with *out filled, or prints the
// failure message(s) and returns 1.
int open_record(const CommandLine& cl, LoadPlanner plan, OpenRecord* out);

}  // namespace orvantis
