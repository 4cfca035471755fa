// SPDX-License-Identifier: Apache-2.0
// The manual page renders without groff warnings, and the bash completion offers the options and
// the FRU ids of the database it is run against.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/fixture.h"

namespace {

std::string shell_quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs `command` under sh; its standard output, and *status its exit status (128 when killed).
std::string run_shell(const std::string& command, int* status) {
  std::string out;
  FILE* p = ::popen(command.c_str(), "r");
  char buf[4096];
  for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const int st = p ? ::pclose(p) : -1;
  *status = WIFEXITED(st) ? WEXITSTATUS(st) : 128;
  return out;
}

TEST(ManPage, RendersWithoutGroffWarnings) {
  int status = -1;
  run_shell("command -v groff >/dev/null", &status);
  if (status != 0) GTEST_SKIP() << "groff is not installed";
  const std::string page = shell_quoted(std::string(ORVANTIS_SOURCE_DIR) + "/orvantis.1");
  EXPECT_EQ(run_shell("groff -man -Tutf8 -ww -z " + page + " 2>&1", &status), "");  // warnings on stderr
  EXPECT_EQ(status, 0);
}

// Completion runs the command word of the line: a wrapper named orvantis runs the real binary (under
// the cross emulator when there is one) against the sample database.
TEST(Completion, OffersEveryOptionAndTheInventorysFruIds) {
  orvantis::testing::TempDir dir;
  const std::string wrapper = dir.file("orvantis");
  orvantis::testing::write_file(wrapper, "#!/bin/sh\nVPD_DB_ROOT=" + shell_quoted(SAMPLE_DB_DIR) + " exec " +
                                             ORVANTIS_EMULATOR + " " + shell_quoted(ORVANTIS_BIN) + " \"$@\"\n");
  ::chmod(wrapper.c_str(), 0755);
  const std::string script = std::string(ORVANTIS_SOURCE_DIR) + "/completion/orvantis.bash";
  struct Row { const char* words; const char* offered; };  // the last word is the one completed
  const Row rows[] = {{"-", "-p\n-E\n-b\n-i\n-B\n-n\n-o\n-O\n-g\n-G\n-c\n-w\n-r\n-l\n-s\n-S\n-y\n-f\n-e\n-P\n-h\n"},
                      {"-i ''", "0\n1\n2\n3\n4\n"},
                      // -O's one matching number opens the quoted request and leaves it open.
                      {"-O 76", "\"76 b \n\"76 s \n"}};
  for (const Row& row : rows) {
    const std::string bash = "source " + shell_quoted(script) + "; COMP_WORDS=(" + shell_quoted(wrapper) + " " +
                             row.words + "); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); _orvantis;" +
                             " printf '%s\\n' \"${COMPREPLY[@]}\"";
    int status = -1;
    const std::string cd = "cd " + shell_quoted(dir.path()) + " && ";
    EXPECT_EQ(run_shell(cd + "bash -c " + shell_quoted(bash), &status), row.offered) << row.words;
    EXPECT_EQ(status, 0) << row.words;
  }
}

}  // namespace
