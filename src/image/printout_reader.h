// SPDX-License-Identifier: Apache-2.0
// Reading an ASCII printout back into the image of one block, on any stream, touching no file.
//
// This is the whole reading side of the convert command: line recognition, field names, value
// extraction and the conversion of each field kind into bytes. convert2bin (image/convert.h) wraps it
// with the file handling; a fuzz harness can drive it with an in-memory text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>

#include "vpd_access/vpd.h"

namespace orvantis {

// Reads the printout from `in` into `buffer` (block_size bytes, zero-filled and owned by the caller)
// for the entries first..last (indices) of `table`, which must hold every entry up to the last.
// Writes each message to `out` as it arises, ending in "\n" and flushed: size messages, and on
// rejection the one message saying why.
// Returns 0 when the printout was accepted, 1 when it was rejected (the buffer is then to be dropped);
// throws nothing. Never writes outside buffer[0, block_size); memory stays bounded, as a line longer
// than 128 KiB rejects the printout.
int convert_printout(std::istream& in, const vpd_lib::FieldDescriptor* table,
                     uint32_t first, uint32_t last, unsigned char* buffer,
                     uint32_t block_size, FILE* out);

}  // namespace orvantis
