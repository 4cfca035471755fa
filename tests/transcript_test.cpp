// SPDX-License-Identifier: Apache-2.0
// Transcript tests: every tests/transcripts/*.t file is a session against a fresh copy of the
// sample platform, replayed command by command and compared byte for byte with the file.
//
// A transcript is a sequence of commands, each a line starting with "$ ", followed by exactly what
// it prints. `orvantis ARGS [> FILE]` runs the real binary (under the cross emulator when there is
// one) with the copy as VPD_DB_ROOT and as working directory, and is followed by its standard output
// and "[exit N]". The other commands prepare inputs or show files:
//   $ # text                      a comment
//   $ patch PATH OFFSET HEX...    overwrite bytes (OFFSET in hex)
//   $ copy SRC DST | rm PATH | mkdir PATH | mkfifo PATH | truncate PATH SIZE (in hex)
//   $ link TARGET PATH | symlink TARGET PATH
//   $ line PATH TEXT              append TEXT and a newline to PATH
//   $ replace PATH OLD NEW        replace the first OLD in PATH by NEW
//   $ xxd PATH [OFFSET LENGTH]    hex dump, 16 bytes a line
//   $ cmp A B                     "same" or where they differ
//   $ crc32 PATH OFFSET LENGTH    zlib CRC-32 of a byte range, computed by the test
// Standard error follows standard output, each line behind "2> ", with the database copy's path
// written as ROOT and the tool's as orvantis, so a command that prints nothing there is seen to (a trailing `2>` on the
// command line only says it does print there). Words may be quoted with '...' or "...". Output
// without a final newline is followed by "\ no newline at end". Output bytes that are not printable
// are written as cat -v writes them (a NUL as ^@, 0x1B as ^[, 0x7F as ^?, a byte from 0x80 up as M-
// and the byte below it), so the files are text and a diff shows every change of output.
// ORVANTIS_UPDATE_TRANSCRIPTS=1 rewrites the files from the actual output.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "support/fixture.h"

namespace orvantis {
namespace testing {
namespace {

namespace fs = std::filesystem;

// Beside this source file; CMake passes sources by absolute path.
const fs::path kDir = fs::path(__FILE__).parent_path() / "transcripts";

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Words separated by blanks; '...' and "..." quote a part of a word, blanks included.
std::vector<std::string> split_words(const std::string& line) {
  std::vector<std::string> words;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ') continue;
    words.emplace_back();
    for (; i < line.size() && line[i] != ' '; ++i) {
      const size_t close = line[i] == '\'' || line[i] == '"' ? line.find(line[i], i + 1) : i;
      words.back() += close == i ? line.substr(i, 1) : line.substr(i + 1, close - i - 1);
      i = std::min(close, line.size());
    }
  }
  return words;
}

// Output as the transcript files hold it: newline and tab as they are, other non-printable bytes
// in cat -v notation.
std::string visible(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x80) out += "M-";
    c &= 0x7F;
    if (c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7F)) out += static_cast<char>(c);
    else out += {'^', static_cast<char>(c ^ 0x40)};
  }
  return out;
}

// The commands that edit or show a file's bytes.
std::string file_command(const std::string& path, const std::vector<std::string>& w) {
  auto number = [&](size_t i) { return static_cast<size_t>(std::stoul(w.at(i), nullptr, 16)); };
  const std::string& cmd = w[0];
  Bytes b = read_file(path);
  std::string text = string_of(b), out;
  char buf[32];
  if (cmd == "patch") {
    for (size_t i = 3; i < w.size(); ++i) b.at(number(2) + i - 3) = static_cast<unsigned char>(number(i));
    write_file(path, b);
  } else if (cmd == "truncate") {  // a missing file is made
    b.resize(number(2));
    write_file(path, b);
  } else if (cmd == "line") {
    for (size_t i = 2; i < w.size(); ++i) text += (i > 2 ? " " : "") + w[i];
    write_file(path, text + "\n");
  } else if (cmd == "replace") {
    const size_t at = text.find(w.at(2));
    if (at == std::string::npos) return "replace: not found\n";
    write_file(path, text.replace(at, w[2].size(), w.at(3)));
  } else if (cmd == "xxd") {
    const size_t from = w.size() > 2 ? number(2) : 0, end = std::min(b.size(), w.size() > 3 ? from + number(3) : b.size());
    for (size_t i = from; i < end; ++i) {
      if ((i - from) % 16 == 0) {
        std::snprintf(buf, sizeof buf, "%s%06zx:", i > from ? "\n" : "", i);
        out += buf;
      }
      std::snprintf(buf, sizeof buf, " %02x", b[i]);
      out += buf;
    }
    return end > from ? out + "\n" : out;
  } else if (cmd == "crc32") {
    if (number(2) + number(3) > b.size()) return "crc32: range past the end\n";
    std::snprintf(buf, sizeof buf, "%08x\n", reference_crc32(b.data() + number(2), number(3)));
    return buf;
  } else {
    ADD_FAILURE() << "unknown transcript command \"" << cmd << "\"";
  }
  return "";
}

// Runs one command in the copy `db` and returns what it adds to the transcript.
std::string run_command(const SampleDb& db, std::vector<std::string> w) {
  const std::string& root = db.root();
  auto path = [&](size_t i) { return root + "/" + w.at(i); };
  const std::string cmd = w.at(0);
  if (cmd == "orvantis") {
    if (w.back() == "2>") w.pop_back();
    const bool redirect = w.size() >= 3 && w[w.size() - 2] == ">";
    // A command that hangs fails its line rather than the whole test.
    RunResult r = db.run({w.begin() + 1, w.end() - (redirect ? 2 : 0)}, {"timeout", "60"});
    if (redirect) write_file(path(w.size() - 1), r.out);
    std::string out = redirect ? "" : r.out;
    if (!out.empty() && out.back() != '\n') out += "\n\\ no newline at end\n";
    for (size_t at; (at = r.err.find(root)) != std::string::npos;) r.err.replace(at, root.size(), "ROOT");
    // getopt names the program by the path it was run as.
    for (size_t at; (at = r.err.find(ORVANTIS_BIN)) != std::string::npos;) r.err.replace(at, sizeof ORVANTIS_BIN - 1, "orvantis");
    for (const std::string& line : lines_of(r.err)) out += "2> " + line + "\n";
    return visible(out) + "[exit " + std::to_string(r.status) + "]\n";
  }
  if (cmd == "cmp") {
    const Bytes a = read_file(path(1)), b = read_file(path(2));
    if (a == b) return "same\n";
    char buf[48];
    const auto diff = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    std::snprintf(buf, sizeof buf, "differ at byte 0x%zx\n", static_cast<size_t>(diff.first - a.begin()));
    return buf;
  }
  if (cmd == "#") return "";
  int rc = 0;
  if (cmd == "copy") fs::copy_file(path(1), path(2), fs::copy_options::overwrite_existing);
  else if (cmd == "rm") rc = ::remove(path(1).c_str());
  else if (cmd == "mkdir") rc = ::mkdir(path(1).c_str(), 0755);
  else if (cmd == "mkfifo") rc = ::mkfifo(path(1).c_str(), 0600);
  else if (cmd == "link") rc = ::link(path(1).c_str(), path(2).c_str());
  else if (cmd == "symlink") rc = ::symlink(w.at(1).c_str(), path(2).c_str());  // the target as written
  else return file_command(path(1), w);
  return rc == 0 ? "" : cmd + ": failed\n";
}

class Transcript : public ::testing::TestWithParam<std::string> {};

// Each command's output is compared with the lines that follow it; a difference names the file,
// the line and the command.
TEST_P(Transcript, ReplaysByteForByte) {
  const std::string file = (kDir / (GetParam() + ".t")).string();
  const std::vector<std::string> want = lines_of(string_of(read_file(file)));
  const SampleDb db;
  std::string actual;
  for (size_t i = 0, next; i < want.size(); i = next) {
    for (next = i + 1; next < want.size() && want[next].compare(0, 2, "$ ") != 0;) ++next;
    const bool command = want[i].compare(0, 2, "$ ") == 0;  // else text before the first command
    const std::string out = command ? run_command(db, split_words(want[i].substr(2))) : "";
    if (command) actual += want[i] + "\n" + out;
    const std::vector<std::string> got = lines_of(out);
    const auto diff = std::mismatch(want.begin() + i + command, want.begin() + next, got.begin(), got.end());
    if (diff.first != want.begin() + next || diff.second != got.end())
      ADD_FAILURE() << file << ":" << diff.first - want.begin() + 1 << ": output of `" << want[i] << "` differs"
                    << "\n  expected: " << (diff.first != want.begin() + next ? *diff.first : "(next command)")
                    << "\n  actual:   " << (diff.second != got.end() ? *diff.second : "(end of output)");
  }
  if (std::getenv("ORVANTIS_UPDATE_TRANSCRIPTS")) write_file(file, actual);
}

std::vector<std::string> transcript_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kDir))
    if (entry.path().extension() == ".t") names.push_back(entry.path().stem());
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Sample, Transcript, ::testing::ValuesIn(transcript_names()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

}  // namespace
}  // namespace testing
}  // namespace orvantis
