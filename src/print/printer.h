// SPDX-License-Identifier: Apache-2.0
// The field printer: the ASCII printout (full mode) and single-field values.
//
// Output goes to a stdio stream and is flushed after every line, so an interrupted printout still
// shows every finished field.
#pragma once

#include <cstdint>
#include <cstdio>

#include "vpd_access/vpd.h"

namespace orvantis {

// Prints table entries first..last (indices) of the record's vpd_data to standard output.
// The indices must lie inside the table and every field inside vpd_data; callers guarantee that.
void print_fields(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                  uint32_t last, bool adjust_byte_order, bool single_field);

// The same over any data buffer and output stream. `data` is indexed by the field's byte address
// (block * 0x400 + offset) & 0xFFFF plus its length. Every line ends in "\n" and a flush, and so
// does every 16-byte break of a long hex value in full mode.
void print_field_lines(FILE* out, const vpd_lib::FieldDescriptor* table, const unsigned char* data,
                       uint32_t first, uint32_t last, bool adjust_byte_order, bool single_field);

// The name column: `name` right-aligned in 45 columns (longer names whole), then ": ".
// Nothing is flushed: the caller ends the line.
void print_name_column(FILE* out, const char* name);

}  // namespace orvantis
