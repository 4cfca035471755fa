// SPDX-License-Identifier: Apache-2.0
// The two listing commands: the FRU inventory (-l) and the field list (-n).
#pragma once

#include <cstdint>

#include "cli/open_record.h"

namespace orvantis {

// -l: the library's inventory text, unchanged, then a newline. Exit status.
int list_frus();

// -n: one line per field of the range, with offsets from the block size. Exit status.
int list_fields(const FieldRange& range, uint32_t block_size);

}  // namespace orvantis
