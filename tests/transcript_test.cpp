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
//   $ copy SRC DST | rm PATH | mkdir PATH | mkfifo PATH | truncate PATH SIZE
//   $ line PATH TEXT              append TEXT and a newline to PATH
//   $ replace PATH OLD NEW        replace the first OLD in PATH by NEW
//   $ xxd PATH [OFFSET LENGTH]    hex dump, 16 bytes a line
//   $ cmp A B                     "same" or where they differ
//   $ crc32 PATH OFFSET LENGTH    zlib CRC-32 of a byte range, computed by the test
// `orvantis ARGS 2>` also shows standard error after standard output, each line behind "2> ",
// with the database copy's path written as ROOT. Words may be quoted with '...' or "...". Output without a final newline is followed by
// "\ no newline at end". Output bytes that are not printable are written as cat -v writes them
// (a NUL as ^@, 0x1B as ^[, 0x7F as ^?, a byte from 0x80 up as M- and the byte below it), so the
// files are text and a diff shows every change of output. ORVANTIS_UPDATE_TRANSCRIPTS=1 rewrites
// the files from the actual output.
#include <sys/stat.h>

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
const std::string kDir = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/transcripts";

std::vector<std::string> transcript_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kDir))
    if (entry.path().extension() == ".t") names.push_back(entry.path().stem());
  std::sort(names.begin(), names.end());
  return names;
}

// Words separated by blanks; '...' and "..." quote a part of a word, blanks included.
std::vector<std::string> split_words(const std::string& line) {
  std::vector<std::string> words;
  bool in_word = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ') {
      in_word = false;
      continue;
    }
    if (!in_word) words.emplace_back();
    in_word = true;
    if (line[i] == '\'' || line[i] == '"') {
      const size_t close = std::min(line.find(line[i], i + 1), line.size());
      words.back() += line.substr(i + 1, close - i - 1);
      i = close;
    } else {
      words.back() += line[i];
    }
  }
  return words;
}

std::string hex_dump(const Bytes& b, size_t offset, size_t length) {
  std::string out;
  char buf[24];
  const size_t end = std::min(b.size(), offset + length);
  for (size_t i = offset; i < end; ++i) {
    if ((i - offset) % 16 == 0) {
      std::snprintf(buf, sizeof buf, "%06zx:", i);
      out += buf;
    }
    std::snprintf(buf, sizeof buf, " %02x", b[i]);
    out += buf;
    if ((i - offset) % 16 == 15 || i + 1 == end) out += '\n';
  }
  return out;
}

// Output as the transcript files hold it: newline and tab as they are, other non-printable bytes
// in cat -v notation.
std::string visible(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x80) {
      out += "M-";
      c = static_cast<unsigned char>(c - 0x80);
    }
    if (c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7F)) out += static_cast<char>(c);
    else if (c == 0x7F) out += "^?";
    else out += {'^', static_cast<char>(c + 0x40)};
  }
  return out;
}

// Runs one command in `root` and returns what it adds to the transcript.
std::string run_command(const std::string& root, const std::vector<std::string>& w) {
  auto path = [&](size_t i) { return root + "/" + w.at(i); };
  auto number = [&](size_t i) { return std::stoul(w.at(i), nullptr, 16); };
  const std::string& cmd = w.at(0);
  if (cmd == "#") return "";
  if (cmd == "orvantis") {
    std::vector<std::string> args(w.begin() + 1, w.end());
    const bool show_err = !args.empty() && args.back() == "2>";
    if (show_err) args.pop_back();
    std::string redirect;
    if (args.size() >= 2 && args[args.size() - 2] == ">") {
      redirect = root + "/" + args.back();
      args.resize(args.size() - 2);
    }
    RunResult r = run_orvantis(args, root, root);
    std::string out = redirect.empty() ? r.out : "";
    if (!redirect.empty()) write_file(redirect, r.out);
    if (!out.empty() && out.back() != '\n') out += "\n\\ no newline at end\n";
    for (size_t at; show_err && (at = r.err.find(root)) != std::string::npos;) r.err.replace(at, root.size(), "ROOT");
    for (size_t at = 0; show_err && at < r.err.size();) {
      const size_t end = std::min(r.err.find('\n', at), r.err.size());
      out += "2> " + r.err.substr(at, end - at) + "\n";
      at = end + 1;
    }
    return visible(out) + "[exit " + std::to_string(r.status) + "]\n";
  }
  if (cmd == "patch") {
    Bytes b = read_file(path(1));
    size_t at = number(2);
    for (size_t i = 3; i < w.size(); ++i) b.at(at + i - 3) = static_cast<unsigned char>(number(i));
    write_file(path(1), b);
  } else if (cmd == "copy") {
    fs::copy_file(path(1), path(2), fs::copy_options::overwrite_existing);
  } else if (cmd == "rm") {
    fs::remove(path(1));
  } else if (cmd == "mkdir") {
    fs::create_directory(path(1));
  } else if (cmd == "mkfifo") {
    if (::mkfifo(path(1).c_str(), 0600) != 0) return "mkfifo: failed\n";
  } else if (cmd == "truncate") {
    Bytes b = read_file(path(1));  // a missing file is made
    b.resize(number(2));
    write_file(path(1), b);
  } else if (cmd == "line") {
    std::string text = string_of(read_file(path(1)));
    for (size_t i = 2; i < w.size(); ++i) text += (i > 2 ? " " : "") + w[i];
    write_file(path(1), text + "\n");
  } else if (cmd == "replace") {
    std::string text = string_of(read_file(path(1)));
    size_t at = text.find(w.at(2));
    if (at == std::string::npos) return "replace: not found\n";
    write_file(path(1), text.replace(at, w[2].size(), w.at(3)));
  } else if (cmd == "xxd") {
    Bytes b = read_file(path(1));
    return hex_dump(b, w.size() > 2 ? number(2) : 0, w.size() > 3 ? number(3) : b.size());
  } else if (cmd == "cmp") {
    Bytes a = read_file(path(1)), b = read_file(path(2));
    auto diff = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (diff.first == a.end() && diff.second == b.end()) return "same\n";
    char buf[48];
    std::snprintf(buf, sizeof buf, "differ at byte 0x%zx\n", static_cast<size_t>(diff.first - a.begin()));
    return buf;
  } else if (cmd == "crc32") {
    Bytes b = read_file(path(1));
    size_t at = number(2), n = number(3);
    if (at + n > b.size()) return "crc32: range past the end\n";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x\n", reference_crc32(b.data() + at, n));
    return buf;
  } else {
    ADD_FAILURE() << "unknown transcript command \"" << cmd << "\"";
  }
  return "";
}

class Transcript : public ::testing::TestWithParam<std::string> {};

TEST_P(Transcript, ReplaysByteForByte) {
  const std::string file = kDir + "/" + GetParam() + ".t";
  const std::string expected = string_of(read_file(file));
  TempDir dir;
  const std::string root = dir.path() + "/db";
  fs::copy(SAMPLE_DB_DIR, root, fs::copy_options::recursive);

  std::string actual;
  size_t pos = 0;
  while (pos < expected.size()) {
    size_t end = expected.find('\n', pos);
    if (end == std::string::npos) end = expected.size();
    std::string line = expected.substr(pos, end - pos);
    pos = end + 1;
    if (line.compare(0, 2, "$ ") != 0) continue;  // expected output: regenerated below
    actual += line + "\n";
    actual += run_command(root, split_words(line.substr(2)));
  }
  if (std::getenv("ORVANTIS_UPDATE_TRANSCRIPTS")) write_file(file, actual);
  // The first line that differs, and the command whose output it is.
  std::istringstream want(expected), got(actual);
  std::string a, b, command;
  for (int number = 1;; ++number) {
    const bool more_a = static_cast<bool>(std::getline(want, a)), more_b = static_cast<bool>(std::getline(got, b));
    if (!more_a && !more_b) break;
    if (more_b && b.compare(0, 2, "$ ") == 0) command = b;
    if (more_a != more_b || a != b) {
      ADD_FAILURE() << file << ":" << number << ": output of `" << command << "` differs\n  expected: "
                    << (more_a ? a : "(end of file)") << "\n  actual:   " << (more_b ? b : "(end of output)");
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sample, Transcript, ::testing::ValuesIn(transcript_names()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string n = param.param;
                           std::replace_if(n.begin(), n.end(), [](char c) { return !isalnum(c); }, '_');
                           return n;
                         });

}  // namespace
}  // namespace testing
}  // namespace orvantis
