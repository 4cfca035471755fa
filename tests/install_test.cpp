// `cmake --install` puts the tool, its manual page, its bash completion and the example inventory
// under the prefix; the installed tool does not carry the build tree's sample as its root.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/fixture.h"

namespace {

using orvantis::testing::Bytes;
using orvantis::testing::read_file;
using orvantis::testing::TempDir;

std::string shell_quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

TEST(Install, PutsToolManPageCompletionAndExampleUnderThePrefix) {
  TempDir prefix;
  std::string cmd = shell_quoted(CMAKE_PROGRAM) + " --install " + shell_quoted(ORVANTIS_BUILD_DIR) +
                    " --prefix " + shell_quoted(prefix.path()) + " >/dev/null";
  int st = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << cmd;

  struct Row {
    const char* installed;
    std::string source;
    bool executable;
  };
  const Row rows[] = {
      {"bin/orvantis", ORVANTIS_INSTALLED_BIN, true},
      {"share/man/man1/orvantis.1", std::string(ORVANTIS_SOURCE_DIR) + "/orvantis.1", false},
      {"share/bash-completion/completions/orvantis",
       std::string(ORVANTIS_SOURCE_DIR) + "/completion/orvantis.bash", false},
      {"etc/vpd/inventory.example",
       std::string(ORVANTIS_SOURCE_DIR) + "/examples/bmc/inventory.example", false},
  };
  for (const Row& row : rows) {
    std::string path = prefix.file(row.installed);
    struct stat sb;
    ASSERT_EQ(::stat(path.c_str(), &sb), 0) << row.installed;
    EXPECT_TRUE(S_ISREG(sb.st_mode)) << row.installed;
    EXPECT_EQ((sb.st_mode & S_IXUSR) != 0, row.executable) << row.installed;
    Bytes want = read_file(row.source);
    EXPECT_FALSE(want.empty()) << row.installed;
    EXPECT_TRUE(read_file(path) == want) << row.installed << " differs from " << row.source;
  }
  struct stat sb;
  EXPECT_NE(::stat(prefix.file("etc/vpd/inventory").c_str(), &sb), 0) << "a board's own inventory";
  Bytes tool = read_file(prefix.file("bin/orvantis"));
  const std::string sample = std::string(ORVANTIS_BUILD_DIR) + "/sample";
  EXPECT_TRUE(std::search(tool.begin(), tool.end(), sample.begin(), sample.end()) == tool.end())
      << "the installed tool defaults to " << sample;
}

}  // namespace
