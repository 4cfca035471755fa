// SPDX-License-Identifier: Apache-2.0
// Inputs that once broke a reader of hostile input, kept under tests/data/regressions/HARNESS/ and
// replayed through the same entry points the fuzz harnesses drive (fuzz/harnesses.h). Each folder
// also keeps an ordinary input, so every harness runs in every build.
#include <gtest/gtest.h>

#include <filesystem>

#include "../fuzz/harnesses.h"
#include "support/fixture.h"

namespace {

TEST(Regressions, EverySavedInputRunsThroughItsHarness) {
  for (const orvantis_fuzz::Harness& harness : orvantis_fuzz::kHarnesses) {
    const auto folder = std::filesystem::path(TEST_DATA_DIR) / "regressions" / harness.name;
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      SCOPED_TRACE(entry.path().string());
      const orvantis::testing::Bytes input = orvantis::testing::read_file(entry.path().string());
      harness.run(input.data(), input.size());
      ++replayed;
    }
    EXPECT_GT(replayed, 0u) << harness.name;
  }
}

}  // namespace
