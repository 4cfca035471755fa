// SPDX-License-Identifier: Apache-2.0
// The converter: an ASCII printout, possibly edited by hand, back into the raw image of one block.
#pragma once

#include <cstdint>

#include "vpd_access/vpd.h"

namespace orvantis {

// Reads the printout at ascii_path for the table entries first..last (indices) into the image of
// a block of block_size bytes, zero-filled before, and writes it to the raw file.
// Returns the exit status; on 1 it printed the reason. A refused printout creates or changes no raw
// file; a raw file that could not be written whole is reported. The reading rules live in
// image/printout_reader.h; a printout that cannot be opened is refused.
int convert2bin(const vpd_lib::FieldDescriptor* table, uint32_t block_size, uint32_t first,
                uint32_t last, const char* ascii_path, const char* raw_path);

}  // namespace orvantis
