// SPDX-License-Identifier: Apache-2.0
// A mode's declared reads load only part of the record; what it prints must not depend on that.
// Each command runs twice on the sample platform: with the tool's mode table, and with a copy
// whose rows declare no reads, so the whole record loads. Output and status must be the same.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/modes.h"
#include "support/fixture.h"

namespace orvantis {
namespace {

TEST(LoadPlan, DeclaredReadsPrintWhatTheWholeRecordPrints) {
  std::vector<ModeRow> undeclared(kModes.begin(), kModes.end());
  for (ModeRow& row : undeclared) row.reads = DataReads();  // as declared by a row that names none
  const Rows<ModeRow> whole_record = {undeclared.data(), undeclared.size()};
  const std::vector<std::vector<std::string>> commands = {
      {"-p"},          {"-p", "-b", "3"}, {"-p", "-b", "7"},   {"-o", "25"},        {"-o", "8249"},
      {"-g", "sn"},    {"-g", "uefiid"},  {"-g", "mtm", "-i", "1"}, {"-P"},         {"-s"},
      {"-e"},          {"-f", "-b", "1"}, {"-n", "-b", "2"},   {"-p", "-i", "2"},   {"-p", "-i", "3"},
      {"-o", "3", "-i", "2"}, {"-s", "-i", "1"}, {"-P", "-i", "2"}, {"-p", "-B"},
  };
  const testing::SampleDb db;
  for (const std::vector<std::string>& command : commands) {
    SCOPED_TRACE(::testing::PrintToString(command));
    const testing::RunResult planned = db.run_in_process(command, [] {});
    const testing::RunResult whole = db.run_in_process(command, [] {}, whole_record);
    EXPECT_FALSE(planned.out.empty());
    EXPECT_EQ(planned.out, whole.out);
    EXPECT_EQ(planned.status, whole.status);
  }
}

}  // namespace
}  // namespace orvantis
