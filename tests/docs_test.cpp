// The manual page renders without groff warnings, and the bash completion offers the options,
// the named fields and the FRU ids of the database it is run against.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/fixture.h"

namespace {

using orvantis::testing::TempDir;
using orvantis::testing::write_file;

struct Shell {
  std::string out;
  int status = -1;
};

std::string shell_quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs `command` under sh, capturing standard output; standard error is left to the test log.
Shell run_shell(const std::string& command) {
  Shell r;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128;
  return r;
}

bool have_program(const std::string& name) {
  return run_shell("command -v " + name + " >/dev/null 2>&1").status == 0;
}

TEST(ManPage, RendersWithoutGroffWarnings) {
  if (!have_program("groff")) GTEST_SKIP() << "groff is not installed";
  std::string page = std::string(ORVANTIS_SOURCE_DIR) + "/orvantis.1";
  // Warnings go to standard error; fold them into the captured output.
  Shell r = run_shell("groff -man -Tutf8 -ww -z " + shell_quoted(page) + " 2>&1");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(ManPage, NamesEveryOptionOfTheUsageText) {
  std::string page = std::string(ORVANTIS_SOURCE_DIR) + "/orvantis.1";
  std::string text = orvantis::testing::string_of(orvantis::testing::read_file(page));
  ASSERT_FALSE(text.empty());
  // Each option has its own entry: ".B \-x" alone, or ".BI \-x" with its argument.
  for (char opt : std::string("pEbiBnoOgGcwrlsSyfePh")) {
    std::string flag = std::string("\\-") + opt;
    bool entry = text.find("\n.B " + flag + "\n") != std::string::npos ||
                 text.find("\n.BI " + flag + " ") != std::string::npos;
    EXPECT_TRUE(entry) << "option -" << opt;
  }
}

// Completion runs the command word of the line; a wrapper named orvantis runs the real binary
// (under the cross emulator when there is one) against the sample database.
class Completion : public ::testing::Test {
 protected:
  void SetUp() override {
    wrapper_ = dir_.file("orvantis");
    std::string emulator = ORVANTIS_EMULATOR;
    write_file(wrapper_, "#!/bin/sh\nVPD_DB_ROOT=" + shell_quoted(SAMPLE_DB_DIR) + " exec " + emulator +
                             " " + shell_quoted(ORVANTIS_BIN) + " \"$@\"\n");
    ::chmod(wrapper_.c_str(), 0755);
  }

  // The candidates bash offers for `words`, the last word being the one completed.
  std::string complete(const std::string& words) {
    std::string script = "source " + shell_quoted(std::string(ORVANTIS_SOURCE_DIR) +
                                            "/completion/orvantis.bash") +
                         "; COMP_WORDS=(" + shell_quoted(wrapper_) + " " + words +
                         "); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); _orvantis;"
                         " printf '%s\\n' \"${COMPREPLY[@]}\"";
    Shell r = run_shell("cd " + shell_quoted(dir_.path()) + " && bash -c " + shell_quoted(script));
    EXPECT_EQ(r.status, 0) << words;
    return r.out;
  }

  TempDir dir_;
  std::string wrapper_;
};

TEST_F(Completion, DashOffersEveryOption) {
  EXPECT_EQ(complete("-"),
            "-p\n-E\n-b\n-i\n-B\n-n\n-o\n-O\n-g\n-G\n-c\n-w\n-r\n-l\n-s\n-S\n-y\n-f\n-e\n-P\n-h\n");
}

TEST_F(Completion, TypedPrefixNarrowsTheOptions) {
  EXPECT_EQ(complete("-p -S"), "-S\n");
}

TEST_F(Completion, FruIdsComeFromTheInventory) {
  EXPECT_EQ(complete("-i ''"), "0\n1\n2\n3\n4\n");
}

TEST_F(Completion, FieldNamesFollowG) {
  EXPECT_EQ(complete("-g ''"), "mtm\nsn\nhwrev\nuuid\nposid\nvpdid\nuefiid\n");
  EXPECT_EQ(complete("-g u"), "uuid\nuefiid\n");
}

TEST_F(Completion, FieldNumbersFollowTheChosenFruAndBlock) {
  EXPECT_EQ(complete("-i 3 -o 2"), "2\n20\n21\n");  // cff3: fields 0 to 21
  EXPECT_EQ(complete("-b 5 -o 18"), "184\n185\n186\n187\n188\n");
}

TEST_F(Completion, FileNamesFollowRawAndAsciiFileOptions) {
  write_file(dir_.file("block0.txt"), std::string("x"));
  write_file(dir_.file("block0.bin"), std::string("x"));
  EXPECT_EQ(complete("-w block0.b"), "block0.bin\n");
  EXPECT_EQ(complete("-r block0.t"), "block0.txt\n");
  EXPECT_EQ(complete("-c block0.t"), "block0.txt\n");
  EXPECT_EQ(complete("-c block0.txt block0.b"), "block0.bin\n");
}

}  // namespace
