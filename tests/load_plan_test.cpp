// SPDX-License-Identifier: Apache-2.0
// A mode's declared reads load only part of the record; what it prints must not depend on that.
// Each command runs twice on the sample platform: as the tool runs it, and with its row's reads
// dropped, so the whole record loads. Output and status must be the same.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/modes.h"
#include "support/fixture.h"

namespace orvantis {
namespace {

// run_tool with the mode row's declared reads replaced by a load of the whole record.
int run_reading_whole_record(int argc, char** argv) {
  CommandLine cl;
  int status = 0;
  if (!parse_command_line(argc, argv, &cl, &status)) return status;
  const ModeRow& row = *mode_row(cl.mode);
  OpenRecord rec;
  return open_record(cl, READS_WHOLE_RECORD, row.writes, &rec) != 0 ? 1 : dispatch(cl, rec);
}

TEST(LoadPlan, DeclaredReadsPrintWhatTheWholeRecordPrints) {
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
    const testing::RunResult whole = db.run_in_process(command, [] {}, run_reading_whole_record);
    EXPECT_FALSE(planned.out.empty());
    EXPECT_EQ(planned.out, whole.out);
    EXPECT_EQ(planned.status, whole.status);
  }
}

}  // namespace
}  // namespace orvantis
