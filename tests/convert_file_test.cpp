// The convert command's file handling: which printouts are read, and when the raw file is written.
#include "image/convert.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;

const vpd_lib::FieldDescriptor kTable[] = {
    {0, 0, 1, 0, vpd_lib::VPD_FIELD_BYTE, "Byte", 0},
    {0, 4, 4, 0, vpd_lib::VPD_FIELD_TEXT, "Text", 0x20},
};

struct Converted {
  int status;
  std::string out;
};

Converted convert(const std::string& ascii, const std::string& raw, uint32_t block_size = 16) {
  Bytes buffer(block_size, 0);
  ::testing::internal::CaptureStdout();
  const int status =
      convert2bin(kTable, buffer.data(), block_size, 0, 1, ascii.c_str(), raw.c_str());
  return {status, ::testing::internal::GetCapturedStdout()};
}

TEST(ConvertFile, WritesExactlyOneBlockReplacingAnOlderFile) {
  testing::TempDir dir;
  testing::write_file(dir.file("ascii"), "Byte: [0x5A]\nText: [ab]t\n");
  testing::write_file(dir.file("raw"), Bytes(100, 0xEE));
  const Converted c = convert(dir.file("ascii"), dir.file("raw"));
  EXPECT_EQ(c.status, 0);
  // The size message does not stop the conversion: the file is written, the text stays zero.
  EXPECT_EQ(c.out, "BOOM! size of string is different.  s= ab len= 4\n");
  EXPECT_EQ(testing::read_file(dir.file("raw")),
            testing::hex_bytes("5A000000 00000000 00000000 00000000"));
}

TEST(ConvertFile, RefusedPrintoutLeavesTheRawFileAsItWas) {
  testing::TempDir dir;
  const Bytes old(1024, 0xEE);
  struct Row {
    const char* label;
    std::string text;
    std::string out;
  } rows[] = {
      {"wrong name", "Bite: [0x5A]\n",
       "Data corruption idx[0]!! Program Exit!  Expected \"Byte\" but got \"Bite\"\n"},
      {"size message then refusal", "Byte: [1]\nText: [a]t\nmore\n",
       "BOOM! size of string is different.  s= a len= 4\n"
       "Convert2bin failed: line 3: field line after the last field of the block\n"},
  };
  for (const Row& r : rows) {
    testing::write_file(dir.file("ascii"), r.text);
    testing::write_file(dir.file("raw"), old);
    const Converted c = convert(dir.file("ascii"), dir.file("raw"));
    EXPECT_EQ(c.status, 1) << r.label;
    EXPECT_EQ(c.out, r.out) << r.label;
    EXPECT_EQ(testing::read_file(dir.file("raw")), old) << r.label;
    // Nor is a raw file created where there was none.
    const Converted fresh = convert(dir.file("ascii"), dir.file("new_raw"));
    EXPECT_EQ(fresh.status, 1) << r.label;
    EXPECT_FALSE(testing::file_exists(dir.file("new_raw"))) << r.label;
  }
}

TEST(ConvertFile, UnreadablePrintoutIsAnErrorNotAnEmptyImage) {
  testing::TempDir dir;
  const std::string missing = dir.file("no_such_printout");
  Converted c = convert(missing, dir.file("raw"));
  EXPECT_EQ(c.status, 1);
  EXPECT_EQ(c.out, "Convert2bin failed: ASCII file \"" + missing + "\" cannot be opened\n");
  EXPECT_FALSE(testing::file_exists(dir.file("raw")));

  c = convert(dir.path(), dir.file("raw"));
  EXPECT_EQ(c.status, 1);
  EXPECT_EQ(c.out, "Convert2bin failed: ASCII file \"" + dir.path() + "\" is a directory\n");
  EXPECT_FALSE(testing::file_exists(dir.file("raw")));
}

TEST(ConvertFile, UnopenableRawPathIsReportedAfterReading) {
  testing::TempDir dir;
  testing::write_file(dir.file("ascii"), "Byte: [0x5A]\nText: []t\n");
  for (const std::string& raw : {dir.file("missing/raw"), dir.path()}) {
    const Converted c = convert(dir.file("ascii"), raw);
    EXPECT_EQ(c.status, 1) << raw;
    EXPECT_EQ(c.out,
              "BOOM! size of string is different.  s=  len= 4\nFailed to open file for raw output\n")
        << raw;
  }
}

}  // namespace
}  // namespace orvantis
