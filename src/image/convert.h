// SPDX-License-Identifier: Apache-2.0
// The converter: an ASCII printout, possibly edited by hand, back into the raw image of one block.
#pragma once

#include <cstdint>

#include "vpd_access/vpd.h"

namespace orvantis {

// Reads the printout at ascii_path for the range first_field_id..last_field_id of `table` into
// `buffer` (block_size bytes, zero-filled by the caller, which owns it) and writes the raw file.
// Returns the exit status; on 1 it printed the reason. A refused printout creates or changes no raw
// file; a raw file that could not be written whole is reported. The reading rules live in
// image/printout_reader.h; a printout that cannot be opened is refused.
int convert2bin(const vpd_lib::FieldDescriptor* table, unsigned char* buffer, uint32_t block_size,
                uint32_t first_field_id, uint32_t last_field_id, const char* ascii_path,
                const char* raw_path);

}  // namespace orvantis
