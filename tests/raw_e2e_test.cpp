// Raw dump (-r) and burn (-w) end to end, against device files of a fixture database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::FixtureDb;
using testing::Image;
using testing::RunResult;

// A device whose every byte tells its address apart from its neighbours'.
Image patterned(Image img) {
  Bytes& b = img.bytes();
  for (size_t i = 4; i < b.size(); ++i) b[i] = static_cast<unsigned char>(i * 13 + (i >> 8));
  return img;
}

Bytes slice(const Bytes& b, size_t offset, size_t length) {
  return Bytes(b.begin() + offset, b.begin() + offset + length);
}

class RawE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    full_ = patterned(Image::full(2, 0x2000)).bytes();
    brief_ = patterned(Image::brief(0x400)).bytes();
    db_.add_fru(0, "full", 0x2000, "mb", full_);
    db_.add_fru(1, "brief", 0x400, "comp", brief_);
    db_.add_fru(2, "full", 0x800, "small", full_);  // max_size ends after block 1
  }

  FixtureDb db_;
  Bytes full_;
  Bytes brief_;
};

TEST_F(RawE2e, DumpWritesTheSelectedBlock) {
  struct Row {
    const char* fru;
    const char* block;
    std::vector<std::string> extra;
    Bytes expected;
  } rows[] = {
      {"0", "0", {}, slice(full_, 0, 1024)},
      {"0", "2", {}, slice(full_, 2048, 1024)},
      {"0", "7", {}, slice(full_, 7168, 1024)},
      {"0", "3", {"-y", "256"}, slice(full_, 768, 256)},
      {"1", "1", {}, slice(brief_, 256, 256)},
      {"1", "3", {}, slice(brief_, 768, 256)},
  };
  for (const Row& r : rows) {
    std::vector<std::string> args = {"-i", r.fru, "-b", r.block};
    args.insert(args.end(), r.extra.begin(), r.extra.end());
    args.insert(args.end(), {"-r", db_.scratch("raw")});
    const RunResult run = db_.run(args);
    EXPECT_EQ(run.status, 0) << r.fru << "/" << r.block << ": " << run.out;
    EXPECT_EQ(run.out, "") << r.fru << "/" << r.block;
    EXPECT_EQ(testing::read_file(db_.scratch("raw")), r.expected) << r.fru << "/" << r.block;
  }
}

TEST_F(RawE2e, DumpFailuresAreReported) {
  testing::write_file(db_.scratch("raw"), Bytes(1024, 0x42));
  RunResult run = db_.run({"-i", "2", "-b", "2", "-r", db_.scratch("raw")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Failed reading vpd data from vpd_obj!\n");
  EXPECT_TRUE(testing::file_exists(db_.scratch("raw")));
  EXPECT_EQ(testing::read_file(db_.scratch("raw")), Bytes());  // opened before the read

  for (const std::string& path : {db_.scratch("no_dir/raw"), db_.root()}) {
    run = db_.run({"-r", path});
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "Failed to open binary output file.\n") << path;
  }
  EXPECT_FALSE(testing::file_exists(db_.scratch("no_dir")));
}

TEST_F(RawE2e, BurnWritesOnlyTheSelectedBlock) {
  struct Row {
    const char* fru;
    const char* device;
    const char* block;
    size_t offset, size;
  } rows[] = {
      {"0", "mb", "0", 0, 1024},
      {"0", "mb", "2", 2048, 1024},
      {"1", "comp", "1", 256, 256},  // a brief block 1 starts at 256, not at 1024
  };
  for (const Row& r : rows) {
    Bytes before = db_.read_device(r.device);
    Bytes raw(r.size);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<unsigned char>(0xC3 ^ i);
    // Keep the length word, so the record still opens for the next row.
    raw[0] = before[r.offset];
    raw[1] = before[r.offset + 1];
    testing::write_file(db_.scratch("raw"), raw);
    const RunResult run = db_.run({"-i", r.fru, "-b", r.block, "-w", db_.scratch("raw")});
    EXPECT_EQ(run.status, 0) << r.device << "/" << r.block << ": " << run.out;
    EXPECT_EQ(run.out, "") << r.device << "/" << r.block;
    std::copy(raw.begin(), raw.end(), before.begin() + r.offset);
    EXPECT_EQ(db_.read_device(r.device), before) << r.device << "/" << r.block;
  }
}

TEST_F(RawE2e, BurnRefusesWrongFilesWithoutTouchingTheDevice) {
  struct Row {
    const char* label;
    const char* fru;
    std::string path;
    long size;  // -1: the path is left as it is
  } rows[] = {
      {"one byte short", "0", db_.scratch("short"), 1023},
      {"one byte long", "0", db_.scratch("long"), 1025},
      {"empty", "0", db_.scratch("empty"), 0},
      {"brief block on full record", "0", db_.scratch("b256"), 256},
      {"full block on brief record", "1", db_.scratch("b1024"), 1024},
      {"missing", "0", db_.scratch("missing"), -1},
      {"directory", "0", db_.root(), -1},
  };
  for (const Row& r : rows) {
    if (r.size >= 0) testing::write_file(r.path, Bytes(static_cast<size_t>(r.size), 0x77));
    const RunResult run = db_.run({"-i", r.fru, "-w", r.path});
    EXPECT_EQ(run.status, 1) << r.label;
    EXPECT_EQ(run.out, "Corrupted VPD Raw File (wrong size)!\n") << r.label;
    EXPECT_EQ(db_.read_device("mb"), full_) << r.label;
    EXPECT_EQ(db_.read_device("comp"), brief_) << r.label;
  }
}

TEST_F(RawE2e, BurnPastTheRecordSizeIsRefusedByTheLibrary) {
  testing::write_file(db_.scratch("raw"), Bytes(1024, 0x99));
  const RunResult run = db_.run({"-i", "2", "-b", "2", "-w", db_.scratch("raw")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Failed to update VPD\n");
  EXPECT_EQ(db_.read_device("small"), full_);
}

TEST_F(RawE2e, DumpBurnDumpGivesTheSameFile) {
  for (const char* block : {"0", "1", "5"}) {
    ASSERT_EQ(db_.run({"-b", block, "-r", db_.scratch("first")}).status, 0) << block;
    ASSERT_EQ(db_.run({"-b", block, "-w", db_.scratch("first")}).status, 0) << block;
    ASSERT_EQ(db_.run({"-b", block, "-r", db_.scratch("second")}).status, 0) << block;
    EXPECT_EQ(testing::read_file(db_.scratch("second")), testing::read_file(db_.scratch("first")))
        << block;
    EXPECT_EQ(db_.read_device("mb"), full_) << block;
  }
}

}  // namespace
}  // namespace orvantis
