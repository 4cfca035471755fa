// The front end end to end: the real binary against fixture VPD databases. Covers opening and
// sizing the record, backup selection, the two listings and the dispatch's own refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::FixtureDb;
using testing::Image;
using testing::RunResult;

const int16_t FULL = vpd_lib::VPD_FORMAT_FULL;
const int16_t BRIEF = vpd_lib::VPD_FORMAT_BRIEF;
const int16_t CFF3 = vpd_lib::VPD_FORMAT_CFF3;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

std::string two_digit_index(const std::string& line) { return line.substr(0, line.find(" : ")); }

// A database with one present FRU of each supported format: 0 full, 1 brief, 2 cff3.
struct ThreeFormats {
  FixtureDb db;
  ThreeFormats() {
    db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes(), "system board");
    db.add_fru(1, "brief", 0x100, "comp_vpd", Image::brief().bytes(), "riser card");
    db.add_fru(2, "cff3", 0x100, "cff3_vpd", Image::cff3(0x80).bytes(), "power supply");
  }
};

TEST(FrontEndE2E, OpeningFailuresPrintOneMessage) {
  struct Row {
    const char* what;
    const char* inventory_line;  // device "dev0" holds the image below
    Bytes image;
    std::vector<std::string> args;
    const char* out;
  } rows[] = {
      {"no record, no -i", "3 yes full 0x2000 dev0 x", Image::full().bytes(), {},
       "Failed to fetch orvantis(0) record from vpd_db\n"},
      {"high bits shown, low byte looked up", "3 yes full 0x2000 dev0 x", Image::full().bytes(),
       {"-i", "0x105"}, "Failed to fetch orvantis(105) record from vpd_db\n"},
      {"all 32 bits shown", "3 yes full 0x2000 dev0 x", Image::full().bytes(),
       {"-i", "-1"}, "Failed to fetch orvantis(ffffffff) record from vpd_db\n"},
      {"field list needs the record", "3 yes full 0x2000 dev0 x", Image::full().bytes(),
       {"-n", "-i", "4"}, "Failed to fetch orvantis(4) record from vpd_db\n"},
      {"not present", "0 no full 0x2000 dev0 x", Image::full().bytes(), {},
       "Failed to fetch vpd data!\n"},
      {"missing device file", "0 yes full 0x2000 nodev x", Image::full().bytes(), {"-p"},
       "Failed to fetch vpd data!\n"},
      {"full length word swapped", "0 yes full 0x2000 dev0 x",
       Image::full().patch(0, 0xFE).patch(1, 0x03).bytes(), {"-n"},
       "VPD Length is invalid! Got 0xfe03 expected 0x3fe\n"},
      {"brief length word big-endian", "0 yes brief 0x100 dev0 x",
       Image::brief().patch(0, 0x00).patch(1, 0xFE).bytes(), {},
       "VPD Length is invalid! Got 0xfe00 expected 0xfe\n"},
      {"cff3 length 0", "0 yes cff3 0x100 dev0 x", Image::cff3(0).bytes(), {},
       "VPD Length is invalid! Got 0x0 expected less than 0x100\n"},
      {"cff3 length above max_size", "0 yes cff3 0x100 dev0 x", Image::cff3(0x101).bytes(), {},
       "VPD Length is invalid! Got 0x101 expected less than 0x100\n"},
      {"unsupported format", "0 yes 7 0x400 dev0 x", Image::full(2, 0x400).bytes(), {},
       "VPD format 7 not supported.\nError reading vpd size!\n"},
      {"unsupported negative format", "0 yes -1 0x400 dev0 x", Image::full(2, 0x400).bytes(), {"-n"},
       "VPD format -1 not supported.\nError reading vpd size!\n"},
      {"unsupported format with -y", "0 yes 7 0x400 dev0 x", Image::full(2, 0x400).bytes(),
       {"-y", "256"}, "VPD format 7 not supported.\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FixtureDb db;
    db.add_line(r.inventory_line);
    db.write_device("dev0", r.image);
    RunResult res = db.run(r.args);
    EXPECT_EQ(r.out, res.out);
    EXPECT_EQ(1, res.status);
  }
}

TEST(FrontEndE2E, AcceptedRecordsWithoutModeExitQuietly) {
  struct Row {
    const char* what;
    const char* inventory_line;
    Bytes image;
    std::vector<std::string> args;
  } rows[] = {
      {"full", "0 yes full 0x2000 dev0 x", Image::full().bytes(), {}},
      {"brief", "0 yes brief 0x100 dev0 x", Image::brief().bytes(), {}},
      {"cff3 length equal to max_size", "0 yes cff3 0x100 dev0 x", Image::cff3(0x100).bytes(), {}},
      {"cff3 length 1", "0 yes cff3 0x100 dev0 x", Image::cff3(1).bytes(), {}},
      {"-y skips the full length test", "0 yes full 0x2000 dev0 x",
       Image::full().patch(0, 0xFE).bytes(), {"-y", "256"}},
      {"-y skips the brief length test", "0 yes brief 0x100 dev0 x", Image(0x100).bytes(),
       {"-y", "1024"}},
      {"-y skips the cff3 length test", "0 yes cff3 0x100 dev0 x", Image::cff3(0).bytes(),
       {"-y", "256"}},
      {"-i 0x100 names FRU 0", "0 yes full 0x2000 dev0 x", Image::full().bytes(), {"-i", "0x100"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FixtureDb db;
    db.add_line(r.inventory_line);
    db.write_device("dev0", r.image);
    RunResult res = db.run(r.args);
    EXPECT_EQ("", res.out);
    EXPECT_EQ(0, res.status);
  }
}

// The primary copy is good and the backup copy's length word is 03 00, so only a run that reads
// the backup complains.
TEST(FrontEndE2E, BackupOfSystemBoardReadsTheBackupCopy) {
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "mb_vpd", Image::full().bytes());
  db.write_device("mb_vpd.backup", Image::full().patch(1, 0x00).bytes());
  EXPECT_EQ(0, db.run({}).status);
  RunResult res = db.run({"-B"});
  EXPECT_EQ("VPD Length is invalid! Got 0x300 expected 0x3fe\n", res.out);
  EXPECT_EQ(1, res.status);

  // Only the full id 0 selects the backup.
  res = db.run({"-B", "-i", "0x100"});
  EXPECT_EQ("", res.out);
  EXPECT_EQ(0, res.status);
}

TEST(FrontEndE2E, BackupOfSystemBoardIsBoundedTo1024Bytes) {
  // A compact record on the system board's device shows the backup's max_size in its message.
  FixtureDb db;
  db.add_fru(0, "cff3", 0x200, "mb_vpd", Image::cff3(0x300, 0x800).bytes());
  db.write_device("mb_vpd.backup", Image::cff3(0x500, 0x800).bytes());
  EXPECT_EQ("VPD Length is invalid! Got 0x300 expected less than 0x200\n", db.run({}).out);
  RunResult res = db.run({"-B"});
  EXPECT_EQ("VPD Length is invalid! Got 0x500 expected less than 0x400\n", res.out);
  EXPECT_EQ(1, res.status);

  db.write_device("mb_vpd.backup", Image::cff3(0x400, 0x800).bytes());
  res = db.run({"-B"});
  EXPECT_EQ("", res.out);
  EXPECT_EQ(0, res.status);
}

TEST(FrontEndE2E, BackupOfOtherDeviceReadsVPDb) {
  FixtureDb db;
  db.add_fru(0, "full", 0x2000, "sys_eeprom", Image::full().bytes());
  db.add_fru(3, "full", 0x2000, "other", Image::full().bytes());
  db.write_device("VPDb", Image::full().patch(0, 0xFE).patch(1, 0x03).bytes());
  RunResult res = db.run({"-B"});
  EXPECT_EQ("VPD Length is invalid! Got 0xfe03 expected 0x3fe\n", res.out);
  EXPECT_EQ(1, res.status);

  // Another FRU ignores -B.
  res = db.run({"-B", "-i", "3"});
  EXPECT_EQ("", res.out);
  EXPECT_EQ(0, res.status);
}

TEST(FrontEndE2E, FieldListOfFullBlocksIsNumberedByTableIndex) {
  ThreeFormats f;
  struct Row {
    const char* block;
    int first;
    int last;
  } rows[] = {
      {"0", 0, 76}, {"1", 77, 140}, {"2", 141, 160}, {"3", 161, 175},
      {"4", 176, 183}, {"5", 184, 188}, {"6", 184, 188}, {"7", 184, 188},
  };
  std::string block5;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.block);
    RunResult res = f.db.run({"-n", "-b", r.block});
    ASSERT_EQ(0, res.status);
    std::vector<std::string> lines = lines_of(res.out);
    ASSERT_EQ(static_cast<size_t>(r.last - r.first + 1), lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
      char want[8];
      std::snprintf(want, sizeof want, "  %02d", r.first + static_cast<int>(k));
      EXPECT_EQ(want, two_digit_index(lines[k])) << "line " << k;
    }
    if (std::string(r.block) == "5") block5 = res.out;
    if (r.first == 184) {
      EXPECT_EQ(block5, res.out);
    }
  }
}

TEST(FrontEndE2E, FieldListOfCompactFormatsIgnoresTheBlock) {
  ThreeFormats f;
  struct Row {
    const char* fru;
    size_t count;
  } rows[] = {{"1", 23}, {"2", 22}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.fru);
    RunResult block0 = f.db.run({"-n", "-i", r.fru});
    RunResult block3 = f.db.run({"-n", "-i", r.fru, "-b", "3"});
    EXPECT_EQ(0, block0.status);
    std::vector<std::string> lines = lines_of(block0.out);
    ASSERT_EQ(r.count, lines.size());
    EXPECT_EQ("  00", two_digit_index(lines.front()));
    EXPECT_EQ(block0.out, block3.out);
  }
}

// One line of the field list, spelled out: index, name padded to 52, offset and length digits.
std::string list_line(const char* index, const std::string& name, const char* offset,
                      const char* length) {
  std::string padded = name;
  if (padded.size() < 52) padded.append(52 - padded.size(), ' ');
  return std::string("  ") + index + " : " + padded + " | Off: 0x" + offset + " | Len: 0x" + length;
}

TEST(FrontEndE2E, FieldListOffsetsUseTheRecordsBlockSize) {
  // BlockX 0x51 is the UEFI id text in block 1; its offset shows the block size times 1.
  const vpd_lib::FieldDescriptor& d = vpd_lib::BlockX[0x51];
  ASSERT_EQ(1, d.block);
  char off_1024[16], off_256[16], len[16];
  std::snprintf(off_1024, sizeof off_1024, "%04X", 0x400u + d.offset);
  std::snprintf(off_256, sizeof off_256, "%04X", 0x100u + d.offset);
  std::snprintf(len, sizeof len, "%02X", static_cast<unsigned>(d.length));

  ThreeFormats f;
  RunResult res = f.db.run({"-n", "-b", "1"});
  ASSERT_EQ(0, res.status);
  std::vector<std::string> lines = lines_of(res.out);
  ASSERT_EQ(64u, lines.size());
  EXPECT_EQ(list_line("81", d.name, off_1024, len), lines[0x51 - 77]);

  res = f.db.run({"-n", "-b", "1", "-y", "256"});
  lines = lines_of(res.out);
  ASSERT_EQ(64u, lines.size());
  EXPECT_EQ(list_line("81", d.name, off_256, len), lines[0x51 - 77]);

  // Block 0 starts at 0 whatever the block size: the length word.
  res = f.db.run({"-n"});
  lines = lines_of(res.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(list_line("00", vpd_lib::BlockX[0].name, "0000", "02"), lines[0]);
}

TEST(FrontEndE2E, FieldListLinesKeepTheirColumns) {
  ThreeFormats f;
  for (const char* fru : {"0", "1", "2"}) {
    SCOPED_TRACE(fru);
    RunResult res = f.db.run({"-n", "-i", fru});
    ASSERT_EQ(0, res.status);
    for (const std::string& line : lines_of(res.out)) {
      size_t bar = line.find(" | Off: 0x");
      ASSERT_NE(std::string::npos, bar) << line;
      EXPECT_GE(bar, 2u + 2u + 3u + 52u) << line;
      size_t len = line.find(" | Len: 0x", bar);
      ASSERT_NE(std::string::npos, len) << line;
      EXPECT_GE(len - bar, 10u + 4u) << line;
      EXPECT_GE(line.size() - len, 10u + 2u) << line;
    }
  }
}

TEST(FrontEndE2E, FruInventoryIsPassedThroughWithANewline) {
  ThreeFormats f;
  RunResult plain = f.db.run({"-l"});
  EXPECT_EQ(0, plain.status);
  ASSERT_FALSE(plain.out.empty());
  EXPECT_EQ('\n', plain.out.back());
  for (const char* description : {"system board", "riser card", "power supply"})
    EXPECT_NE(std::string::npos, plain.out.find(description)) << description;

  // The other settings open nothing and change nothing.
  RunResult with_settings = f.db.run({"-l", "-i", "5", "-b", "3", "-B", "-E", "-y", "256"});
  EXPECT_EQ(plain.out, with_settings.out);
  EXPECT_EQ(0, with_settings.status);
  EXPECT_EQ(plain.out, f.db.run({"-p", "-l"}).out);
  // The last mode option wins: a later -n opens the record -i names.
  EXPECT_EQ("Failed to fetch orvantis(9) record from vpd_db\n", f.db.run({"-l", "-i", "9", "-n"}).out);
}

TEST(FrontEndE2E, FruInventoryFailuresShowTheResultCode) {
  FixtureDb missing;
  std::remove((missing.root() + "/inventory").c_str());
  RunResult res = missing.run({"-l"});
  EXPECT_EQ("Problem filling stream with vpd info. rc = -2\n", res.out);
  EXPECT_EQ(1, res.status);

  FixtureDb unparsable;
  unparsable.add_line("0 maybe full 0x2000 mb_vpd x");
  res = unparsable.run({"-l"});
  EXPECT_EQ("Problem filling stream with vpd info. rc = -22\n", res.out);
  EXPECT_EQ(1, res.status);
}

TEST(FrontEndE2E, FieldNumberPastTheTableIsRefused) {
  ThreeFormats f;
  struct Row {
    const char* fru;
    const char* number;
  } rows[] = {
      {"0", "189"}, {"0", "4285"},  // 0x10BD: the printer would look at index 0xBD
      {"0", "255"}, {"0", "-1"},    // low 16 bits 0xFFFF
      {"1", "23"}, {"2", "22"}, {"1", "4119"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string("fru ") + r.fru + " -o " + r.number);
    RunResult res = f.db.run({"-i", r.fru, "-o", r.number});
    EXPECT_EQ("Invalid field number\n", res.out);
    EXPECT_EQ(1, res.status);
  }
}

TEST(FrontEndE2E, NamedFieldsAndPlatformIdAreRefusedOffFullRecords) {
  ThreeFormats f;
  struct Row {
    std::vector<std::string> args;
    const char* out;
  } rows[] = {
      {{"-i", "1", "-g", "mtm"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-i", "2", "-g", "sn"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-i", "1", "-G", "mtm s X"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-i", "2", "-G", "posid b 0x00 0x34"}, "Operation only supported for VPD_FORMAT_FULL\n"},
      {{"-i", "1", "-P"}, "Error: Only VPD_FORMAT_FULL vpd support this command.\n"},
      {{"-i", "2", "-P"}, "Error: Only VPD_FORMAT_FULL vpd support this command.\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.args[0] + r.args[1] + " " + r.args[2]);
    RunResult res = f.db.run(r.args);
    EXPECT_EQ(r.out, res.out);
    EXPECT_EQ(1, res.status);
  }
  // Nothing was written by a refused write.
  EXPECT_EQ(Image::brief().bytes(), f.db.read_device("comp_vpd"));
  EXPECT_EQ(Image::cff3(0x80).bytes(), f.db.read_device("cff3_vpd"));
}

TEST(FrontEndE2E, ByteOrderIsAdjustedOnlyForComponentVpdWithoutE) {
  ThreeFormats f;
  // The component length word is stored FE 00: shown as its value unless -E asks for stored order.
  RunResult adjusted = f.db.run({"-i", "1", "-p"});
  RunResult stored = f.db.run({"-i", "1", "-pE"});
  ASSERT_EQ(0, adjusted.status);
  ASSERT_EQ(0, stored.status);
  EXPECT_NE(std::string::npos, lines_of(adjusted.out).at(0).find("[0x00FE]"));
  EXPECT_NE(std::string::npos, lines_of(stored.out).at(0).find("[0xFE00]"));
  for (const char* fru : {"0", "2"}) {
    SCOPED_TRACE(fru);
    RunResult plain = f.db.run({"-i", fru, "-p"});
    EXPECT_EQ(0, plain.status);
    EXPECT_FALSE(plain.out.empty());
    EXPECT_EQ(plain.out, f.db.run({"-i", fru, "-p", "-E"}).out);
  }
}

TEST(FrontEndE2E, FieldNumberCountsOnlyItsTableIndex) {
  ThreeFormats f;
  RunResult five = f.db.run({"-o", "5"});
  ASSERT_EQ(0, five.status);
  ASSERT_FALSE(five.out.empty());
  for (const char* number : {"4101", "65541", "5junk"}) {  // 0x1005; 0x10005 keeps 16 bits
    SCOPED_TRACE(number);
    RunResult res = f.db.run({"-o", number, "-b", "3"});  // the block does not matter
    EXPECT_EQ(five.out, res.out);
    EXPECT_EQ(0, res.status);
  }
}

TEST(FrontEndE2E, UsageAndValidationComeFromTheBinaryToo) {
  ThreeFormats f;
  RunResult res = f.db.run({"-b", "9", "-h"});
  EXPECT_EQ("Invalid block number\n", res.out);
  EXPECT_EQ(1, res.status);
  res = f.db.run({"-c", "printout.txt"});
  EXPECT_EQ(0u, res.out.find("orvantis <options> \n"));
  EXPECT_EQ(25u, lines_of(res.out).size());
  EXPECT_EQ(1, res.status);
  res = f.db.run({"-q"});
  EXPECT_EQ(25u, lines_of(res.out).size());
  EXPECT_NE(std::string::npos, res.err.find("invalid option"));
  EXPECT_EQ(1, res.status);
}

}  // namespace
}  // namespace orvantis
