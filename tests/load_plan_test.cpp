// SPDX-License-Identifier: Apache-2.0
// A mode's declared reads load only part of the record; what it prints must not depend on that.
// Each command runs twice on the sample platform in a forked child: once as the tool runs it, once
// with its row's reads dropped, so the whole record loads. Output and status must be the same.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/dispatch.h"
#include "cli/modes.h"
#include "support/fixture.h"

namespace orvantis {
namespace {

testing::RunResult run_reading(std::vector<std::string> words, bool declared_reads) {
  words.insert(words.begin(), "orvantis");
  return testing::run_child([&] {
    ::setenv("VPD_DB_ROOT", SAMPLE_DB_DIR, 1);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);
    CommandLine cl;
    int status = 0;
    if (parse_command_line(static_cast<int>(words.size()), argv.data(), &cl, &status)) {
      const ModeRow& row = *mode_row(cl.mode);
      OpenRecord rec;
      status = open_record(cl, declared_reads ? row.reads : READS_WHOLE_RECORD, row.writes, &rec) != 0
                   ? 1
                   : dispatch(cl, rec);
    }
    std::fflush(nullptr);
    ::_exit(status);
  });
}

TEST(LoadPlan, DeclaredReadsPrintWhatTheWholeRecordPrints) {
  const std::vector<std::vector<std::string>> commands = {
      {"-p"},          {"-p", "-b", "3"}, {"-p", "-b", "7"},   {"-o", "25"},        {"-o", "8249"},
      {"-g", "sn"},    {"-g", "uefiid"},  {"-g", "mtm", "-i", "1"}, {"-P"},         {"-s"},
      {"-e"},          {"-f", "-b", "1"}, {"-n", "-b", "2"},   {"-p", "-i", "2"},   {"-p", "-i", "3"},
      {"-o", "3", "-i", "2"}, {"-s", "-i", "1"}, {"-P", "-i", "2"}, {"-p", "-B"},
  };
  for (const std::vector<std::string>& command : commands) {
    std::string shown;
    for (const std::string& word : command) shown += word + " ";
    SCOPED_TRACE(shown);
    const testing::RunResult planned = run_reading(command, true);
    const testing::RunResult whole = run_reading(command, false);
    EXPECT_FALSE(planned.out.empty());
    EXPECT_EQ(planned.out, whole.out);
    EXPECT_EQ(planned.status, whole.status);
  }
}

}  // namespace
}  // namespace orvantis
