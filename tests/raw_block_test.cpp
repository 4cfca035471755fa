// Raw block dump and burn against a record whose raw operations are recorded in memory.
#include "image/raw_block.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;

// A device of `size` bytes reached only through read_raw and write_raw, which fail past its end
// as the library's do past max_size.
class FakeRecord : public vpd_lib::vpd {
 public:
  explicit FakeRecord(size_t size) : device(size) {
    for (size_t i = 0; i < size; ++i) device[i] = static_cast<unsigned char>(i * 7 + i / 256);
  }
  int read_raw(unsigned int offset, unsigned int length, unsigned char* buffer) override {
    ++reads;
    last_offset = offset;
    last_length = length;
    if (uint64_t{offset} + length > device.size()) return 0;
    memcpy(buffer, device.data() + offset, length);
    return 1;
  }
  int write_raw(unsigned int offset, unsigned int length, unsigned char* buffer,
                bool flag) override {
    ++writes;
    last_offset = offset;
    last_length = length;
    last_flag = flag;
    if (uint64_t{offset} + length > device.size()) return 0;
    memcpy(device.data() + offset, buffer, length);
    return 1;
  }
  Bytes block(uint32_t offset, uint32_t length) const {
    return Bytes(device.begin() + offset, device.begin() + offset + length);
  }

  Bytes device;
  int reads = 0;
  int writes = 0;
  unsigned last_offset = ~0u;
  unsigned last_length = ~0u;
  bool last_flag = true;
};

struct Handled {
  int status;
  std::string out;
};

Handled dump(FakeRecord* record, uint32_t block, uint32_t block_size, const std::string& path) {
  ::testing::internal::CaptureStdout();
  const int status = dump_block(record, block, block_size, path.c_str());
  return {status, ::testing::internal::GetCapturedStdout()};
}

Handled burn(FakeRecord* record, uint32_t block, uint32_t block_size, const std::string& path) {
  ::testing::internal::CaptureStdout();
  const int status = burn_block(record, block, block_size, path.c_str());
  return {status, ::testing::internal::GetCapturedStdout()};
}

TEST(RawBlock, DumpCopiesTheBlockAtItsOffset) {
  struct Row {
    uint32_t block, block_size, offset;
  } rows[] = {
      {0, 1024, 0},
      {2, 1024, 2048},
      {1, 256, 256},
      {7, 256, 1792},
      {0x400000, 1024, 0},  // the offset is a 32-bit product: 0x400000 * 1024 wraps to 0
  };
  for (const Row& r : rows) {
    testing::TempDir dir;
    FakeRecord record(8192);
    const Handled run = dump(&record, r.block, r.block_size, dir.file("raw"));
    EXPECT_EQ(run.status, 0) << r.block;
    EXPECT_EQ(run.out, "") << r.block;
    EXPECT_EQ(record.last_offset, r.offset) << r.block;
    EXPECT_EQ(record.last_length, r.block_size) << r.block;
    EXPECT_EQ(testing::read_file(dir.file("raw")), record.block(r.offset, r.block_size)) << r.block;
  }
}

TEST(RawBlock, DumpToUnopenablePathFailsBeforeReading) {
  testing::TempDir dir;
  for (const std::string& path : {dir.file("missing/raw"), dir.path(), std::string("")}) {
    FakeRecord record(2048);
    const Handled run = dump(&record, 0, 1024, path);
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "Failed to open binary output file.\n") << path;
    EXPECT_EQ(record.reads, 0) << path;
  }
  EXPECT_FALSE(testing::file_exists(dir.file("missing")));
}

TEST(RawBlock, DumpReadFailureLeavesTheRawFileEmpty) {
  testing::TempDir dir;
  testing::write_file(dir.file("raw"), Bytes(1024, 0xAB));
  FakeRecord record(2048);  // block 2 lies past the device's end
  const Handled run = dump(&record, 2, 1024, dir.file("raw"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Failed reading vpd data from vpd_obj!\n");
  EXPECT_TRUE(testing::file_exists(dir.file("raw")));
  EXPECT_EQ(testing::read_file(dir.file("raw")), Bytes());
}

TEST(RawBlock, BurnWritesTheFileAtTheBlockOffset) {
  struct Row {
    uint32_t block, block_size, offset;
  } rows[] = {{0, 1024, 0}, {2, 1024, 2048}, {1, 256, 256}};
  for (const Row& r : rows) {
    testing::TempDir dir;
    FakeRecord record(8192);
    const Bytes before = record.device;
    Bytes image(r.block_size);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(0xFF - i);
    testing::write_file(dir.file("raw"), image);
    const Handled run = burn(&record, r.block, r.block_size, dir.file("raw"));
    EXPECT_EQ(run.status, 0) << r.block;
    EXPECT_EQ(run.out, "") << r.block;
    EXPECT_EQ(record.last_offset, r.offset) << r.block;
    EXPECT_FALSE(record.last_flag) << r.block;
    EXPECT_EQ(record.block(r.offset, r.block_size), image) << r.block;
    // Nothing outside the block changed.
    Bytes expected = before;
    std::copy(image.begin(), image.end(), expected.begin() + r.offset);
    EXPECT_EQ(record.device, expected) << r.block;
  }
}

TEST(RawBlock, BurnRefusesFilesOfAnyOtherSize) {
  testing::TempDir dir;
  struct Row {
    const char* label;
    std::string path;
    long size;  // -1: leave the path as it is
    uint32_t block_size;
  } rows[] = {
      {"one byte short", dir.file("short"), 1023, 1024},
      {"one byte long", dir.file("long"), 1025, 1024},
      {"empty", dir.file("empty"), 0, 1024},
      {"brief block on full record", dir.file("brief"), 256, 1024},
      {"full block on brief record", dir.file("full"), 1024, 256},
      {"missing", dir.file("missing"), -1, 1024},
      {"directory", dir.path(), -1, 1024},
      {"missing directory", dir.file("none/raw"), -1, 256},
  };
  for (const Row& r : rows) {
    if (r.size >= 0) testing::write_file(r.path, Bytes(static_cast<size_t>(r.size), 0x5A));
    FakeRecord record(8192);
    const Bytes before = record.device;
    const Handled run = burn(&record, 0, r.block_size, r.path);
    EXPECT_EQ(run.status, 1) << r.label;
    EXPECT_EQ(run.out, "Corrupted VPD Raw File (wrong size)!\n") << r.label;
    EXPECT_EQ(record.writes, 0) << r.label;
    EXPECT_EQ(record.device, before) << r.label;
  }
}

TEST(RawBlock, BurnReportsAFailedWrite) {
  testing::TempDir dir;
  testing::write_file(dir.file("raw"), Bytes(1024, 0x11));
  FakeRecord record(2048);
  const Handled run = burn(&record, 2, 1024, dir.file("raw"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Failed to update VPD\n");
  EXPECT_EQ(record.writes, 1);
}

TEST(RawBlock, DumpThenBurnWritesBackTheSameBytes) {
  testing::TempDir dir;
  FakeRecord record(8192);
  const Bytes before = record.device;
  ASSERT_EQ(dump(&record, 3, 1024, dir.file("raw")).status, 0);
  ASSERT_EQ(burn(&record, 3, 1024, dir.file("raw")).status, 0);
  EXPECT_EQ(record.device, before);
  EXPECT_EQ(record.last_offset, 3072u);
}

}  // namespace
}  // namespace orvantis
