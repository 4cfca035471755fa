// The option parser (modes, settings, validation order) and the field range of each format and block.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "cli/open_record.h"

namespace orvantis {
namespace {

// Runs `fn` with descriptor `fd` redirected to a temporary file and returns what was written there.
template <typename Fn>
std::string capture(int fd, Fn fn) {
  std::fflush(nullptr);
  FILE* tmp = std::tmpfile();
  const int saved = dup(fd);
  dup2(fileno(tmp), fd);
  fn();
  std::fflush(nullptr);
  dup2(saved, fd);
  close(saved);
  std::string text(static_cast<size_t>(std::ftell(tmp)), '\0');
  std::rewind(tmp);
  text.resize(std::fread(&text[0], 1, text.size(), tmp));
  std::fclose(tmp);
  return text;
}

// Parses "orvantis args..." and sums up the result: the non-default settings of an accepted command
// line (which must print nothing), or the exit status and output of a refused one ("+stderr" when
// getopt added its own diagnostic).
std::string parse(std::vector<std::string> args) {
  args.insert(args.begin(), "orvantis");
  std::vector<char*> argv(args.size() + 1, nullptr);  // getopt permutes argv: writable words
  for (size_t k = 0; k < args.size(); ++k) argv[k] = &args[k][0];
  const int argc = static_cast<int>(args.size());
  CommandLine c;
  int status = -1;
  bool go_on = false;
  std::string out;
  const std::string err = capture(STDERR_FILENO, [&] {
    out = capture(STDOUT_FILENO, [&] { go_on = parse_command_line(argc, argv.data(), &c, &status); });
  });
  if (!go_on)
    return "exit " + std::to_string(status) + " " +
           (out == capture(STDOUT_FILENO, [] { print_usage(); }) ? "usage" : out) +
           (err.empty() ? "" : " +stderr");
  std::string s = "mode " + std::to_string(c.mode);
  if (status != 0 || !out.empty()) s += " status " + std::to_string(status) + " printed " + out;
  auto put = [&s](bool set, const std::string& text) { s += set ? " " + text : ""; };
  put(c.block, "b" + std::to_string(c.block));
  put(c.fru_id, "i" + std::to_string(c.fru_id));
  put(c.backup, "B");
  put(c.no_adjust, "E");
  put(c.blocksize || c.blocksize_given, "y" + std::to_string(c.blocksize) + (c.blocksize_given ? "" : "?"));
  put(c.field_number, "o" + std::to_string(c.field_number));
  put(!c.input_file.empty(), "<" + c.input_file);
  put(!c.output_file.empty(), ">" + c.output_file);
  put(!c.request.empty(), "[" + c.request + "]");
  put(!c.field_name.empty(), "g" + c.field_name);
  return s;
}

TEST(CommandLine, OptionsGiveOneModeAndItsSettingsOrStopAtOnce) {
  const std::string bad_block = "exit 1 Invalid block number\n", usage = "exit 1 usage";
  const std::string bad_size = "exit 1 Provided block size(", tail = ") is invalid\n";
  struct Row { std::vector<std::string> args; std::string want; } rows[] = {
      {{}, "mode 0"}, {{"-p"}, "mode 1"}, {{"-p", "-n"}, "mode 8"}, {{"-n", "-p"}, "mode 1"},
      {{"-pE"}, "mode 1 E"}, {{"-B", "-E"}, "mode 0 B E"}, {{"stray", "-p", "words"}, "mode 1"},
      {{"-b", "7"}, "mode 0 b7"}, {{"-b3"}, "mode 0 b3"}, {{"-b", "2junk"}, "mode 0 b2"},
      {{"-b", "8"}, bad_block}, {{"-b", "-1"}, bad_block}, {{"-b", "010"}, bad_block},
      {{"-b", "4294967296"}, bad_block}, {{"-b", "9", "-h"}, bad_block}, {{"-b", "9", "-x"}, bad_block},
      {{"-l", "-b", "8"}, bad_block}, {{"-h"}, usage}, {{"-h", "-b", "9"}, usage}, {{"-x"}, usage + " +stderr"},
      {{"-p", "-h", "-y", "512"}, usage}, {{"-p", "-cprintout.txt"}, usage}, {{"-c", "printout.txt"}, usage},
      {{"-p", "-b"}, usage + " +stderr"}, {{"-c"}, usage + " +stderr"}, {{"-i", "0x105"}, "mode 0 i261"},
      {{"-i", "010"}, "mode 0 i8"}, {{"-i", "board"}, "mode 0"}, {{"-i", "-1"}, "mode 0 i4294967295"},
      {{"-i", "4294967296"}, "mode 0 i4294967295"}, {{"-o", "0x10"}, "mode 2"}, {{"-o", "-3"}, "mode 2 o-3"},
      {{"-o", "4101"}, "mode 2 o4101"}, {{"-y", "65792"}, "mode 0 y256"}, {{"-y", "0x400"}, "mode 0 y1024"},
      {{"-y", "512"}, bad_size + "512" + tail}, {{"-y", "0"}, bad_size + "0" + tail},
      {{"-y", "65536"}, bad_size + "0" + tail}, {{"-y", "0x300"}, bad_size + "768" + tail},
      {{"-y", "-1"}, bad_size + "65535" + tail}, {{"-y", "512", "-b", "9"}, bad_size + "512" + tail},
      {{"-w", "in.raw"}, "mode 4 <in.raw"}, {{"-r", "out.raw"}, "mode 6 >out.raw"},
      {{"-c", "a.txt", "b.raw"}, "mode 5 <a.txt >b.raw"}, {{"-ca.txt", "b.raw"}, "mode 5 <a.txt >b.raw"},
      {{"-c", "a.txt", "b.raw", "-b", "2"}, "mode 5 b2 <a.txt >b.raw"},
      {{"-c", "a.txt", "-p"}, "mode 1 <a.txt >-p"},  // the word after the ASCII file is taken, then run
      {{"-g", "mtm"}, "mode 9 gmtm"}, {{"-G", "mtm s 9Q47"}, "mode 10 [mtm s 9Q47]"},
      {{"-O", "8 s 9Q47"}, "mode 3 [8 s 9Q47]"}, {{"-l", "-i", "5", "-b", "3"}, "mode 7 b3 i5"},
      {{"-s"}, "mode 11"}, {{"-S"}, "mode 12"}, {{"-f"}, "mode 13"}, {{"-e"}, "mode 14"}, {{"-P"}, "mode 15"},
  };
  // Rows after a refusal also prove that each parse starts afresh.
  for (const Row& r : rows) EXPECT_EQ(r.want, parse(r.args)) << "row " << ::testing::PrintToString(r.args);
}

TEST(FieldRange, EachFormatAndBlockWalksItsRange) {
  using namespace vpd_lib;  // format codes: 0 full, 1 brief, 2 cff3; 3 and -1 are unsupported
  struct Row { int16_t format; int32_t block; const FieldDescriptor* table; uint32_t first, last; } rows[] = {
      {0, 0, BlockX, 0x00, 0x4C}, {0, 1, BlockX, 0x4D, 0x8C}, {0, 2, BlockX, 0x8D, 0xA0},
      {0, 3, BlockX, 0xA1, 0xAF}, {0, 4, BlockX, 0xB0, 0xB7}, {0, 5, BlockX, 0xB8, 0xBC},
      {0, 6, BlockX, 0xB8, 0xBC}, {0, 7, BlockX, 0xB8, 0xBC}, {1, 0, CompVPD_v3, 0x2000, 0x2016},
      {1, 3, CompVPD_v3, 0x2000, 0x2016}, {2, 7, CompVPD_cff3, 0x3000, 0x3015}, {3, 0, nullptr, 0, 0},
      {-1, 0, nullptr, 0, 0}, {0, 8, nullptr, 0, 0}, {0, -1, nullptr, 0, 0},
  };
  for (const Row& r : rows) {
    const FieldRange got = field_range_for(r.format, r.block);
    EXPECT_EQ(std::make_tuple(r.table, r.first, r.last),  // a missing table has no range to compare
              std::make_tuple(got.table, r.table ? got.first : 0, r.table ? got.last : 0))
        << "row " << r.format << "/" << r.block;
  }
}

}  // namespace
}  // namespace orvantis
