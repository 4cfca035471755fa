// SPDX-License-Identifier: Apache-2.0
// Hooks for the library's own tests. The tool never calls these.
//
// The library reads the database root and the inventory once per process and keeps one record
// per FRU; tests that build several databases in one process start each case from scratch.
#pragma once

#include <cstddef>

#include "device_file.h"

namespace vpd_platform {
namespace testing {

// Forgets the inventory snapshot and deletes every record handed out so far (pointers from
// find_vpd_record become invalid); the next call reads $VPD_DB_ROOT and the inventory again.
void reset_library();

// The size of every record's vpd_data buffer, the same for all formats.
size_t record_data_size();

// Shortens (or restores, with 3000) the time a read or write waits for its device lock.
inline void set_lock_timeout(unsigned ms) { set_lock_timeout_ms(ms); }

}  // namespace testing
}  // namespace vpd_platform
