// SPDX-License-Identifier: Apache-2.0
// One libFuzzer target: FUZZ_HARNESS names the entry point of harnesses.h it drives.
#include <cstddef>
#include <cstdint>

#include "harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvantis_fuzz::FUZZ_HARNESS(data, size);
  return 0;
}
