// SPDX-License-Identifier: Apache-2.0
// Inputs that once broke a reader of hostile input, kept under tests/data/regressions/HARNESS/ and
// replayed through the same entry points the fuzz harnesses drive (fuzz/harnesses.h), and the
// fuzzers' starting inputs (fuzz/corpus/HARNESS/). Each regression folder also keeps an ordinary
// input, so every harness runs in every build.
#include <gtest/gtest.h>

#include <filesystem>

#include "../fuzz/harnesses.h"
#include "support/fixture.h"

namespace {

// Every input under ROOT/HARNESS runs through that harness; each harness has at least one there.
void replay_every_input(const std::filesystem::path& root) {
  for (const orvantis_fuzz::Harness& harness : orvantis_fuzz::kHarnesses) {
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / harness.name)) {
      SCOPED_TRACE(entry.path().string());
      const orvantis::testing::Bytes input = orvantis::testing::read_file(entry.path().string());
      harness.run(input.data(), input.size());
      ++replayed;
    }
    EXPECT_GT(replayed, 0u) << harness.name;
  }
}

TEST(Regressions, EverySavedInputRunsThroughItsHarness) {
  replay_every_input(std::filesystem::path(TEST_DATA_DIR) / "regressions");
}

// The fuzzers' committed starting inputs hold too, so a change that breaks one is seen in every
// build, the sanitizer build included, not only by the next fuzzing run.
TEST(Regressions, EveryStartingInputRunsThroughItsHarness) { replay_every_input(FUZZ_CORPUS_DIR); }

}  // namespace
