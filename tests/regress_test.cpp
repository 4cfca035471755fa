// SPDX-License-Identifier: Apache-2.0
// Inputs that once broke a reader of hostile input, kept under tests/data/regressions/HARNESS/, and
// the fuzzers' starting inputs (fuzz/corpus/HARNESS/), replayed through the same entry points the
// fuzz harnesses drive (fuzz/harnesses.h). The starting inputs make every harness run in every
// build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "../fuzz/harnesses.h"
#include "support/fixture.h"

namespace {

namespace fs = std::filesystem;

// Runs every input in `folder` through `harness`; the number run.
size_t replay(const fs::path& folder, const orvantis_fuzz::Harness& harness) {
  size_t replayed = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().string());
    const orvantis::testing::Bytes input = orvantis::testing::read_file(entry.path().string());
    harness.run(input.data(), input.size());
    ++replayed;
  }
  return replayed;
}

// A folder of regressions that names no harness would never be replayed.
TEST(Regressions, EverySavedInputRunsThroughItsHarness) {
  for (const auto& folder : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "regressions")) {
    if (!folder.is_directory()) continue;
    const auto* harness = std::find_if(
        std::begin(orvantis_fuzz::kHarnesses), std::end(orvantis_fuzz::kHarnesses),
        [&](const orvantis_fuzz::Harness& h) { return folder.path().filename() == h.name; });
    ASSERT_NE(harness, std::end(orvantis_fuzz::kHarnesses)) << folder.path() << " is no harness's folder";
    replay(folder.path(), *harness);
  }
}

// The committed starting inputs hold too, so a change that breaks one is seen in every build, the
// sanitizer build included, not only by the next fuzzing run.
TEST(Regressions, EveryStartingInputRunsThroughItsHarness) {
  for (const orvantis_fuzz::Harness& harness : orvantis_fuzz::kHarnesses)
    EXPECT_GT(replay(fs::path(FUZZ_CORPUS_DIR) / harness.name, harness), 0u) << harness.name;
}

}  // namespace
