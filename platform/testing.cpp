// SPDX-License-Identifier: Apache-2.0
#include "testing.h"

#include "library.h"

namespace vpd_platform {
namespace testing {

void reset_library() {
  Library& lib = library_state();
  lib.records.clear();
  lib.inventory = Inventory();
  lib.ready = false;
}

size_t record_data_size() { return vpd_data_extent(); }

void use_device_env(DeviceEnv* env) {
  Library& lib = library_state();
  lib.env = env ? env : &lib.files;
}

}  // namespace testing
}  // namespace vpd_platform
