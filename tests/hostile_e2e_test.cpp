// Hostile input end to end: huge and broken printouts, raw file names that are no regular files,
// numbers out of range in every option, and every field number of every format.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "../platform/testing.h"
#include "cli/dispatch.h"
#include "cli/open_record.h"
#include "fields/field_write.h"
#include "support/fixture.h"

namespace orvantis {
namespace {

struct Row { std::vector<std::string> args; std::string out; int status; };

void expect_runs(const testing::FixtureDb& db, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const testing::RunResult r = db.run(row.args);
    EXPECT_EQ(r.out, row.out) << row.args[0] << " " << row.args[1];
    EXPECT_EQ(r.status, row.status) << row.args[0] << " " << row.args[1];
  }
}

// FRU 0 full, 1 brief, 2 cff3; the brief FRU's 12-byte part number is all K.
class HostileE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.add_fru(0, "full", 0x2000, "mb", testing::Image::full().fix_crc().bytes());
    const auto brief =
        testing::Image::brief().set_text(vpd_lib::VPD_FORMAT_BRIEF, 6, std::string(12, 'K'));
    db_.add_fru(1, "brief", 0x100, "comp", brief.bytes());
    db_.add_fru(2, "cff3", 0x100, "psu", testing::Image::cff3(0x80).bytes());
  }
  testing::FixtureDb db_;
};

TEST_F(HostileE2e, HundredMegabyteLineIsRefusedWithoutRawFile) {
  const std::string ascii = db_.scratch("huge.txt"), raw = db_.scratch("huge.raw");
  testing::write_file(ascii, std::string(34, ' ') + "Length: [" + std::string(100 << 20, 'A'));
  const testing::RunResult r = db_.run({"-c", ascii, raw});
  EXPECT_EQ(r.out, "Convert2bin failed: line 1: line longer than 131072 characters\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(testing::file_exists(raw));
}

TEST_F(HostileE2e, NulInTextAndNoFinalNewlineConvertAsTyped) {
  const std::string printout = db_.run({"-i", "1", "-E", "-p"}).out;
  std::string edited = printout.substr(0, printout.size() - 1);
  edited[edited.find("[KK") + 2] = '\0';
  testing::write_file(db_.scratch("a.txt"), printout);
  testing::write_file(db_.scratch("b.txt"), edited);
  ASSERT_EQ(db_.run({"-i", "1", "-c", db_.scratch("a.txt"), db_.scratch("a.raw")}).status, 0);
  ASSERT_EQ(db_.run({"-i", "1", "-c", db_.scratch("b.txt"), db_.scratch("b.raw")}).status, 0);
  testing::Bytes expected = testing::read_file(db_.scratch("a.raw"));
  expected.at(testing::table_for(vpd_lib::VPD_FORMAT_BRIEF)[6].offset + 1) = 0;
  EXPECT_EQ(testing::read_file(db_.scratch("b.raw")), expected);
}

TEST_F(HostileE2e, RawFileThatIsDirectoryOrFifoIsRefusedWithoutHanging) {
  const std::string dir = db_.scratch("dir"), fifo = db_.scratch("fifo");
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  testing::write_file(db_.scratch("p.txt"), db_.run({"-p"}).out);
  for (const std::string& path : {dir, fifo}) {
    expect_runs(db_, {{{"-w", path}, "Corrupted VPD Raw File (wrong size)!\n", 1},
                      {{"-r", path}, "Failed to open binary output file.\n", 1},
                      {{"-c", db_.scratch("p.txt"), path}, "Failed to open file for raw output\n",
                       1}});
  }
}

TEST_F(HostileE2e, OverflowingAndNegativeNumbersGiveTheTargetsResults) {
  expect_runs(db_, {{{"-b", "4294967296", "-p"}, "Invalid block number\n", 1},
      {{"-b", "-1", "-p"}, "Invalid block number\n", 1},
      {{"-i", "4294967296", "-p"}, "Failed to fetch orvantis(ffffffff) record from vpd_db\n", 1},
      {{"-i", "-1", "-p"}, "Failed to fetch orvantis(ffffffff) record from vpd_db\n", 1},
      {{"-o", "4294967296"}, "Invalid field number\n", 1},
      {{"-o", "-1"}, "Invalid field number\n", 1},
      {{"-o", "-65536"}, "0x03FE\n", 0},
      {{"-y", "4294967296", "-p"}, "Provided block size(65535) is invalid\n", 1},
      {{"-y", "-1", "-p"}, "Provided block size(65535) is invalid\n", 1},
      {{"-O", "4294967296 b 1"},
       "ERROR: Input has length 1, but expect -1 for field 2147483647\n", 1},
      {{"-O", "-1 b 1"}, "ERROR: Input has length 1, but expect -1 for field 4294967295\n", 1},
      {{"-G", "posid b 99999999999 -1"}, "", 0},
      {{"-g", "posid"}, "FFFF\n", 0}});
}

// In process, with standard output sent to /dev/null: 65536 numbers on three formats.
TEST_F(HostileE2e, EveryFieldNumberOnEveryFormatPrintsOrRefuses) {
  ASSERT_EQ(::setenv("VPD_DB_ROOT", db_.root().c_str(), 1), 0);
  vpd_platform::testing::reset_library();
  std::fflush(stdout);
  const int saved = ::dup(1), null_fd = ::open("/dev/null", O_WRONLY);
  ::dup2(null_fd, 1);
  uint32_t printed[3] = {}, refused_writes[3] = {};
  CommandLine cl;
  cl.mode = MODE_PRINT_FIELD;
  for (cl.fru_id = 0; cl.fru_id < 3; ++cl.fru_id) {
    OpenRecord rec;
    if (open_record(cl, nullptr, &rec) != 0) continue;
    for (uint32_t n = 0; n <= 0xFFFF; ++n) {
      cl.field_number = static_cast<int32_t>(n);
      printed[cl.fru_id] += dispatch(cl, rec) == 0;
      const std::string request = std::to_string(n) + " s " + std::string(300, 'x');
      const uint32_t base = rec.range.first & 0x3000u;
      refused_writes[cl.fru_id] += run_set_field(request, static_cast<uint8_t>(cl.fru_id), base);
    }
  }
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
  ::close(null_fd);
  for (uint32_t fru = 0; fru < 3; ++fru) {
    EXPECT_EQ(printed[fru], 16 * (last_table_index(static_cast<int16_t>(fru)) + 1)) << fru;
    EXPECT_EQ(refused_writes[fru], 0x10000u) << fru;
  }
}

}  // namespace
}  // namespace orvantis
