// SPDX-License-Identifier: Apache-2.0
// Raw block dump (-r) and burn (-w). A raw file is the image of one block: exactly block-size
// bytes, no header, bytes exactly as the device holds them.
#pragma once

#include <cstdint>
#include <vector>

#include "vpd_access/vpd.h"

namespace orvantis {

// Fills *buffer with block_size zero bytes (at least one, so data() is never null). False after
// printing the allocation failure message.
bool allocate_block(uint32_t block_size, std::vector<unsigned char>* buffer);

// Opens raw_path to be written whole: created if missing (mode 0666 less the umask), truncated if a
// regular file; a pipe, FIFO with a reader or character device receives the bytes as they come.
// Refused before anything is created or truncated, with the reason on standard error when
// report_failure is set: a file vpd_db::refused_output names (a VPD device of the inventory or its
// backup copy, the inventory, the journal folder and what it holds), a directory, a block device,
// a FIFO without a reader, anything that cannot be opened. The descriptor, or -1 when refused.
int open_raw_output(const char* raw_path, bool report_failure);

// Writes size bytes of buffer to fd and closes it (always). True only when every byte was written
// and the close succeeded; otherwise standard error says why, naming `path`.
bool write_and_close(int fd, const unsigned char* buffer, uint32_t size, const char* path);

// Copies block `block` (at byte offset block * block_size) into raw_path. Exit status; 1 also when
// the raw file could not be written, flushed and closed whole.
int dump_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path);

// Writes raw_path, which must be exactly block_size bytes, into block `block`. Exit status; a
// refused file is named on standard error with the cause (its size, or the system's text).
int burn_block(vpd_lib::vpd* record, uint32_t block, uint32_t block_size, const char* raw_path);

}  // namespace orvantis
