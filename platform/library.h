// SPDX-License-Identifier: Apache-2.0
// The library's process-wide state, shared by the records (record.cpp) and the hooks only the
// tests link (tests/support/library_hooks.h). The tool reaches it only through vpd_access.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "database.h"
#include "device_env.h"
#include "vpd_access/vpd.h"

namespace vpd_platform {

// The inventory snapshot, the records handed out, and the env their devices are opened through.
// A record keeps the env it was made with.
struct Library {
  bool ready = false;
  bool reported = false;  // the inventory's errors, once a command used it
  std::string root;
  Inventory inventory;
  std::map<unsigned, std::unique_ptr<vpd_lib::vpd>> records;
  DeviceEnv files;
  DeviceEnv* env = &files;
};

// The state as it is, the inventory read or not.
Library& library_state();

// The state with the inventory read: once per process, or again after the tests reset it. Its
// errors are not reported here.
Library& loaded_library();

// The size of every record's vpd_data buffer, the same for all formats.
size_t vpd_data_extent();

}  // namespace vpd_platform
