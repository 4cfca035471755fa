// The option parser: modes, settings, validation order and the usage text, run in process.
#include "cli/command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace orvantis {
namespace {

// Runs `fn` with file descriptor `fd` (after flushing `stream`) redirected to a temporary file
// and returns what was written there.
template <typename Fn>
std::string capture_fd(FILE* stream, int fd, Fn fn) {
  std::fflush(stream);
  FILE* tmp = std::tmpfile();
  const int saved = dup(fd);
  dup2(fileno(tmp), fd);
  fn();
  std::fflush(stream);
  dup2(saved, fd);
  close(saved);
  std::string text;
  std::rewind(tmp);
  int c;
  while ((c = std::fgetc(tmp)) != EOF) text.push_back(static_cast<char>(c));
  std::fclose(tmp);
  return text;
}

struct Parsed {
  bool go_on = false;
  int status = -1;
  CommandLine cl;
  std::string out;
  std::string err;
};

// Parses "orvantis args..." over writable copies of the words, since getopt permutes argv.
Parsed parse(const std::vector<std::string>& args) {
  std::vector<std::string> words{"orvantis"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<std::vector<char>> storage;
  for (const std::string& w : words) storage.emplace_back(w.c_str(), w.c_str() + w.size() + 1);
  std::vector<char*> argv;
  for (auto& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  Parsed p;
  p.err = capture_fd(stderr, STDERR_FILENO, [&] {
    p.out = capture_fd(stdout, STDOUT_FILENO, [&] {
      p.go_on = parse_command_line(static_cast<int>(words.size()), argv.data(), &p.cl, &p.status);
    });
  });
  return p;
}

std::string usage_text() {
  return capture_fd(stdout, STDOUT_FILENO, [] { print_usage(); });
}

std::string describe(const std::vector<std::string>& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s.empty() ? "(no options)" : s;
}

TEST(CommandLine, HelpPrintsTheExactUsageText) {
  const char* expected =
      "orvantis <options> \n"
      "option : -p                      -> Print VPD to standout\n"
      "       : -E                      -> Print VPD without endianess adjustment (print byte order in raw vpd)\n"
      "       : -b NUM                  -> Operate on Block NUM (default=0)\n"
      "       : -i fru_id               -> Operate on FRU ID (default=0x00)\n"
      "       : -B                      -> Operate on Backup VPD (system vpd, 0x00, ONLY)\n"
      "       : -n                      -> List field eNum values for given fru_id and block\n"
      "       : -o NUM                  -> Print only field NUM where NUM=field_id (use -n to list fields)\n"
      "       : -O NUM type data        -> Set a field NUM where NUM=field_id (use -n to list fields)\n"
      "                                    ->  input can be string(s) ex: -O \"8 s 9Q47ABX2ZZ\"\n"
      "                                    ->  input can be bytes(b) ex: -O \"6 b 0x04 0x00\"\n"
      "       : -g id                   -> Print common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)\n"
      "       : -G id type data         -> Write common sysvpd fields by name (mtm, sn, hwrev, uuid, posid, vpdid, uefiid)\n"
      "                                    ->  input can be string(s) ex: -G \"mtm s 9Q47ABX2ZZ\"\n"
      "                                    ->  input can be bytes(b) ex: -G \"posid b 0x00 0x34\"\n"
      "       : -c asciiFile rawFile    -> Convert ASCII printout to Raw file\n"
      "       : -w rawFile              -> Burn VPD Block specified with -b from rawFile \n"
      "       : -r rawFile              -> Dump VPD Block specified with -b to rawFile \n"
      "       : -l                      -> List FRU IDs on system (includes not-present devices)\n"
      "       : -s                      -> Check checksum (crc32)\n"
      "       : -S                      -> Check AND correct checksum (crc32)\n"
      "       : -y blocksize            -> BYpass reading blocksize from vpd and use value provided (1024 or 256)\n"
      "       : -f                      -> Fix text fields non-conforming to spec in VPD and print corrected VPD (does NOT write hardware)\n"
      "       : -e                      -> Examine the text fields non-conforming to spec in VPD and report changes\n"
      "       : -P                      -> Read Platform ID (vpdid + posid)\n";
  Parsed p = parse({"-h"});
  EXPECT_FALSE(p.go_on);
  EXPECT_EQ(1, p.status);
  EXPECT_EQ(expected, p.out);
  EXPECT_EQ("", p.err);
}

TEST(CommandLine, UnparsableCommandLinesPrintUsageAndFail) {
  struct Row {
    std::vector<std::string> args;
    const char* stderr_part;  // getopt's own diagnostic, or "" for none
  } rows[] = {
      {{"-x"}, "invalid option"},
      {{"-p", "-b"}, "requires an argument"},
      {{"-h", "-b", "9"}, ""},          // -h acts before the invalid block is seen
      {{"-p", "-h", "-y", "512"}, ""},
      {{"-c", "printout.txt"}, ""},     // no raw file word after the ASCII file
      {{"-p", "-cprintout.txt"}, ""},
      {{"-c"}, "requires an argument"},
  };
  const std::string usage = usage_text();
  for (const Row& r : rows) {
    SCOPED_TRACE(describe(r.args));
    Parsed p = parse(r.args);
    EXPECT_FALSE(p.go_on);
    EXPECT_EQ(1, p.status);
    EXPECT_EQ(usage, p.out);
    if (*r.stderr_part == '\0') {
      EXPECT_EQ("", p.err);
    } else {
      EXPECT_NE(std::string::npos, p.err.find(r.stderr_part)) << p.err;
    }
  }
}

TEST(CommandLine, BlockAndBlockSizeAreRefusedTheMomentTheyAreMet) {
  struct Row {
    std::vector<std::string> args;
    const char* out;
  } rows[] = {
      {{"-b", "8"}, "Invalid block number\n"},
      {{"-b", "-1"}, "Invalid block number\n"},
      {{"-b", "4294967296"}, "Invalid block number\n"},  // saturates to 0x7FFFFFFF on the target
      {{"-b", "010"}, "Invalid block number\n"},         // decimal only: ten
      {{"-b", "9", "-h"}, "Invalid block number\n"},
      {{"-b", "9", "-x"}, "Invalid block number\n"},
      {{"-y", "512"}, "Provided block size(512) is invalid\n"},
      {{"-y", "0"}, "Provided block size(0) is invalid\n"},
      {{"-y", "65536"}, "Provided block size(0) is invalid\n"},
      {{"-y", "0x300"}, "Provided block size(768) is invalid\n"},
      {{"-y", "-1"}, "Provided block size(65535) is invalid\n"},
      {{"-y", "512", "-b", "9"}, "Provided block size(512) is invalid\n"},
      {{"-l", "-b", "8"}, "Invalid block number\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(describe(r.args));
    Parsed p = parse(r.args);
    EXPECT_FALSE(p.go_on);
    EXPECT_EQ(1, p.status);
    EXPECT_EQ(r.out, p.out);
  }
}

TEST(CommandLine, AcceptedCommandLinesGiveModeAndSettings) {
  struct Row {
    std::vector<std::string> args;
    void (*expect)(CommandLine*);  // applied to the defaults
  } rows[] = {
      {{}, [](CommandLine*) {}},
      {{"-p"}, [](CommandLine* c) { c->mode = MODE_PRINT; }},
      {{"-p", "-n"}, [](CommandLine* c) { c->mode = MODE_LIST_FIELDS; }},
      {{"-n", "-p"}, [](CommandLine* c) { c->mode = MODE_PRINT; }},
      {{"-pE"}, [](CommandLine* c) { c->mode = MODE_PRINT; c->no_adjust = true; }},
      {{"-b", "7"}, [](CommandLine* c) { c->block = 7; }},
      {{"-b3"}, [](CommandLine* c) { c->block = 3; }},
      {{"-b", "2junk"}, [](CommandLine* c) { c->block = 2; }},
      {{"-i", "0x105"}, [](CommandLine* c) { c->fru_id = 0x105; }},
      {{"-i", "010"}, [](CommandLine* c) { c->fru_id = 8; }},
      {{"-i", "board"}, [](CommandLine*) {}},
      {{"-i", "-1"}, [](CommandLine* c) { c->fru_id = 0xFFFFFFFFu; }},
      {{"-i", "4294967296"}, [](CommandLine* c) { c->fru_id = 0xFFFFFFFFu; }},
      {{"-B", "-E"}, [](CommandLine* c) { c->backup = true; c->no_adjust = true; }},
      {{"-o", "0x10"}, [](CommandLine* c) { c->mode = MODE_PRINT_FIELD; }},
      {{"-o", "4101"}, [](CommandLine* c) { c->mode = MODE_PRINT_FIELD; c->field_number = 4101; }},
      {{"-o", "-3"}, [](CommandLine* c) { c->mode = MODE_PRINT_FIELD; c->field_number = -3; }},
      {{"-y", "65792"}, [](CommandLine* c) { c->blocksize = 256; c->blocksize_given = true; }},
      {{"-y", "0x400"}, [](CommandLine* c) { c->blocksize = 1024; c->blocksize_given = true; }},
      {{"-w", "in.raw"}, [](CommandLine* c) { c->mode = MODE_BURN; c->input_file = "in.raw"; }},
      {{"-r", "out.raw"}, [](CommandLine* c) { c->mode = MODE_DUMP; c->output_file = "out.raw"; }},
      {{"-c", "a.txt", "b.raw"},
       [](CommandLine* c) { c->mode = MODE_CONVERT; c->input_file = "a.txt"; c->output_file = "b.raw"; }},
      {{"-ca.txt", "b.raw"},
       [](CommandLine* c) { c->mode = MODE_CONVERT; c->input_file = "a.txt"; c->output_file = "b.raw"; }},
      // The raw file word is skipped afterwards, so it never becomes a mode or an argument.
      {{"-c", "a.txt", "b.raw", "-b", "2"},
       [](CommandLine* c) {
         c->mode = MODE_CONVERT; c->input_file = "a.txt"; c->output_file = "b.raw"; c->block = 2;
       }},
      // The word after the ASCII file is taken even when it is an option, which getopt then runs.
      {{"-c", "a.txt", "-p"},
       [](CommandLine* c) { c->mode = MODE_PRINT; c->input_file = "a.txt"; c->output_file = "-p"; }},
      {{"-g", "mtm"}, [](CommandLine* c) { c->mode = MODE_GET_NAMED; c->field_name = "mtm"; }},
      {{"-G", "mtm s 9Q47"}, [](CommandLine* c) { c->mode = MODE_SET_NAMED; c->request = "mtm s 9Q47"; }},
      {{"-O", "8 s 9Q47"}, [](CommandLine* c) { c->mode = MODE_SET_FIELD; c->request = "8 s 9Q47"; }},
      {{"-s"}, [](CommandLine* c) { c->mode = MODE_CHECK_CRC; }},
      {{"-S"}, [](CommandLine* c) { c->mode = MODE_FIX_CRC; }},
      {{"-f"}, [](CommandLine* c) { c->mode = MODE_FIX_TEXT; }},
      {{"-e"}, [](CommandLine* c) { c->mode = MODE_EXAMINE_TEXT; }},
      {{"-P"}, [](CommandLine* c) { c->mode = MODE_PLATFORM_ID; }},
      {{"-l", "-i", "5", "-b", "3"},
       [](CommandLine* c) { c->mode = MODE_LIST_FRUS; c->fru_id = 5; c->block = 3; }},
      {{"stray", "-p", "words"}, [](CommandLine* c) { c->mode = MODE_PRINT; }},
      {{"-s", "-S", "-P", "-e"}, [](CommandLine* c) { c->mode = MODE_EXAMINE_TEXT; }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(describe(r.args));
    CommandLine want;
    r.expect(&want);
    Parsed p = parse(r.args);
    EXPECT_TRUE(p.go_on);
    EXPECT_EQ(0, p.status);
    EXPECT_EQ("", p.out);
    EXPECT_EQ(want.mode, p.cl.mode);
    EXPECT_EQ(want.block, p.cl.block);
    EXPECT_EQ(want.fru_id, p.cl.fru_id);
    EXPECT_EQ(want.backup, p.cl.backup);
    EXPECT_EQ(want.no_adjust, p.cl.no_adjust);
    EXPECT_EQ(want.blocksize, p.cl.blocksize);
    EXPECT_EQ(want.blocksize_given, p.cl.blocksize_given);
    EXPECT_EQ(want.field_number, p.cl.field_number);
    EXPECT_EQ(want.input_file, p.cl.input_file);
    EXPECT_EQ(want.output_file, p.cl.output_file);
    EXPECT_EQ(want.request, p.cl.request);
    EXPECT_EQ(want.field_name, p.cl.field_name);
  }
}

TEST(CommandLine, EarlierParseLeavesNothingBehind) {
  Parsed first = parse({"-B", "-E", "-b", "5", "-y", "256", "-w", "x"});
  ASSERT_TRUE(first.go_on);
  // A failure midway through the options, then a fresh parse: optind and the settings restart.
  Parsed failed = parse({"-p", "-b", "9", "-n"});
  EXPECT_FALSE(failed.go_on);
  Parsed again = parse({"-p"});
  EXPECT_TRUE(again.go_on);
  EXPECT_EQ(MODE_PRINT, again.cl.mode);
  EXPECT_EQ(0, again.cl.block);
  EXPECT_FALSE(again.cl.backup);
  EXPECT_FALSE(again.cl.blocksize_given);
  EXPECT_EQ("", again.cl.input_file);
}

}  // namespace
}  // namespace orvantis
