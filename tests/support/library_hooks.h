// SPDX-License-Identifier: Apache-2.0
// Hooks into the file-backed VPD library's process-wide state (platform/library.h), for its tests
// and the fuzz harnesses; the tool never links them.
//
// The library reads the database root and the inventory once per process and keeps one record
// per FRU; tests that build several databases in one process start each case from scratch.
#pragma once

#include "../../platform/device_env.h"

namespace vpd_platform {
namespace testing {

// Forgets the inventory snapshot and deletes every record handed out so far (pointers from
// find_vpd_record become invalid); the next call reads $VPD_DB_ROOT and the inventory again.
void reset_library();

// The env that records made from now on open their devices through (`env` must outlive them);
// null for the file-backed one the tool uses.
void use_device_env(DeviceEnv* env);

}  // namespace testing
}  // namespace vpd_platform
