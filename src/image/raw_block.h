// Raw block dump (-r) and burn (-w). A raw file is the image of one block: exactly block-size
// bytes, no header, bytes exactly as the device holds them.
#pragma once

#include <cstdint>

#include "vpd_access/vpd.h"

namespace orvantis {

// Writes `line` (which ends in "\n") to standard output and flushes it. Always 1, the exit status
// of the failure it reports.
int print_failure(const char* line);

// A zero-filled buffer of block_size bytes (never null for a zero size), to be released with free.
// Null after printing the allocation failure message.
unsigned char* allocate_block(uint32_t block_size);

// False for an existing path that is neither a regular file nor a character device (a FIFO, a
// socket, a directory): opening a FIFO to write waits for a reader that may never come, and the
// tool must never hang on a mistyped raw file name. A missing path is allowed: it gets created.
bool raw_output_allowed(const char* raw_path);

// Copies block `block` (at byte offset block * block_size) into raw_path. Exit status.
int dump_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path);

// Writes raw_path, which must be exactly block_size bytes, into block `block`. Exit status.
int burn_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path);

}  // namespace orvantis
