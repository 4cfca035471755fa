// SPDX-License-Identifier: Apache-2.0
// The manual page renders without groff warnings, the bash completion offers the tool's options and
// named fields and the FRU ids of the database it is run against, and the READMEs name no file
// that is not there.
#include <gtest/gtest.h>

#include <glob.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_line.h"
#include "cli/modes.h"
#include "fields/named_fields.h"
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
  const std::string page = shell_quoted(std::string(ORVANTIS_SOURCE_DIR) + "/orvantis.1");
  EXPECT_EQ(run_shell("groff -man -Tutf8 -ww -z " + page + " 2>&1", &status), "");  // warnings on stderr
  EXPECT_EQ(status, 0);
}

// The lines of `text`, sorted: what a completion offers, whatever its order.
std::vector<std::string> sorted_lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Completion runs the command word of the line as typed: here a shell function of another name
// that runs the real binary (under the cross emulator when there is one) on a copy of the sample
// platform. The options and the named fields it offers are the tool's own tables.
TEST(Completion, OffersTheToolsOptionsNamedFieldsAndTheInventorysFruIds) {
  const orvantis::testing::SampleDb db;
  // The last word is the one completed.
  std::vector<std::pair<std::string, std::string>> rows = {
      {"-i ''", "0\n1\n2\n3\n4\n"},
      // -O's one matching number opens the quoted request and leaves it open.
      {"-O 76", "\"76 b \n\"76 s \n"}};
  std::string options, names;
  for (char letter : orvantis::getopt_options(orvantis::kModes))
    if (letter != ':') options += std::string("-") + letter + "\n";
  rows.push_back({"-", options});
  for (const orvantis::NamedField& field : orvantis::kNamedFields) {
    const std::string name = field.name;
    names += name + "\n";
    // -G's one matching name opens the request, with and without the type letter it takes.
    rows.push_back({"-G " + name, "\"" + name + " \n\"" + name + " " + field.input + " \n"});
  }
  rows.push_back({"-g ''", names});
  for (const auto& [words, offered] : rows) {
    const std::string script = "source \"$0\"; tool=(\"$@\"); built() { \"${tool[@]}\" \"$@\"; }; COMP_WORDS=(built " +
                               words + "); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); _orvantis;" +
                               " printf '%s\\n' \"${COMPREPLY[@]}\"";
    const orvantis::testing::RunResult r =
        db.run({}, {"bash", "-c", script, std::string(ORVANTIS_SOURCE_DIR) + "/completion/orvantis.bash"});
    EXPECT_EQ(sorted_lines(r.out), sorted_lines(offered)) << words;
    EXPECT_EQ(r.status, 0) << words;
  }
}

// Every path into the source tree that README.md or HACKING.md names (a word starting with one of
// the tree's directories or with ./; `*` as in the shell) matches a file or directory. Build trees,
// installed paths and paths on the controller are not the tree's and are not checked.
TEST(Docs, EveryPathTheReadmesNameExists) {
  const std::string dirs[] = {".ci/", "bench/", "cmake/", "completion/", "examples/", "fuzz/",
                              "packaging/", "platform/", "scripts/", "src/", "tests/", "./"};
  const std::string separators = " \t\n`'\"(),;:";
  for (const char* doc : {"README.md", "HACKING.md"}) {
    const std::string text =
        orvantis::testing::string_of(orvantis::testing::read_file(std::string(ORVANTIS_SOURCE_DIR) + "/" + doc));
    int named = 0;
    for (size_t start = 0; start < text.size();) {
      const size_t end = std::min(text.find_first_of(separators, start), text.size());
      std::string name = text.substr(start, end - start);
      start = end + 1;
      bool in_tree = false;
      for (const std::string& d : dirs) in_tree = in_tree || (name.rfind(d, 0) == 0 && name.size() > d.size());
      if (!in_tree) continue;
      ++named;
      while (!name.empty() && name.back() == '.') name.pop_back();  // the end of a sentence
      glob_t found;
      const int status = ::glob((std::string(ORVANTIS_SOURCE_DIR) + "/" + name).c_str(), 0, nullptr, &found);
      ::globfree(&found);
      EXPECT_EQ(status, 0) << doc << " names " << name << ", which is not in the tree";
    }
    EXPECT_GT(named, 0) << doc;
  }
}

}  // namespace
