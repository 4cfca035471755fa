// SPDX-License-Identifier: Apache-2.0
#include "library_hooks.h"

#include "../../platform/library.h"

namespace vpd_platform {
namespace testing {

void reset_library() {
  Library& lib = library_state();
  lib.records.clear();
  lib.inventory = Inventory();
  lib.ready = false;
}

void use_device_env(DeviceEnv* env) {
  Library& lib = library_state();
  lib.env = env ? env : &lib.files;
}

}  // namespace testing
}  // namespace vpd_platform
