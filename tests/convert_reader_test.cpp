// Reading printouts back into a block image, on in-memory text with a small hand-made table.
#include "image/printout_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::hex_bytes;
using vpd_lib::FieldDescriptor;

// Every kind, each at its own offset inside a 128-byte block; "Far" lies past 100 bytes.
const FieldDescriptor kTable[] = {
    {0, 0, 2, 0, vpd_lib::VPD_FIELD_HEX, "Hex2", 0},                // 0
    {0, 2, 3, 0, vpd_lib::VPD_FIELD_HEX, "Hex3", 0},                // 1
    {0, 5, 4, 0, vpd_lib::VPD_FIELD_HEX, "Hex4", 0},                // 2
    {0, 9, 1, 0, vpd_lib::VPD_FIELD_BYTE, "Byte", 0},               // 3
    {0, 10, 2, 0, vpd_lib::VPD_FIELD_WORD, "Word", 0},              // 4
    {0, 12, 4, 0, vpd_lib::VPD_FIELD_DWORD, "Dword", 0},            // 5
    {0, 16, 8, 0, vpd_lib::VPD_FIELD_TEXT, "Text8", 0x20},          // 6
    {0, 24, 3, 0, vpd_lib::VPD_FIELD_TEXT, "Text3", 0x20},          // 7
    {0, 27, 2, 0, vpd_lib::VPD_FIELD_ZERO, "Zero", 0},              // 8
    {0, 29, 3, 0, vpd_lib::VPD_FIELD_BLANK, "Blank", 0},            // 9
    {0, 32, 32, 0, vpd_lib::VPD_FIELD_TAGGED_TEXT, "Tagged", 0},    // 10
    {0, 64, 6, 0, vpd_lib::VPD_FIELD_MAC, "Mac", 0},                // 11
    {0, 70, 20, 0, vpd_lib::VPD_FIELD_HEX, "Hex20", 0},             // 12
    {0, 120, 8, 0, vpd_lib::VPD_FIELD_HEX, "Far", 0},               // 13
};
constexpr uint32_t kLast = 13;
constexpr uint32_t kBlockSize = 128;

// One field line as the printer writes it: the name right-aligned in 45 columns, ": ", the value.
std::string line(const char* name, const std::string& value) {
  return std::string(45 - strlen(name), ' ') + name + ": " + value + "\n";
}
const std::string kIndent(48, ' ');  // the start of a hex continuation line

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes operator+(Bytes a, const std::string& b) { return a + testing::bytes_of(b); }

struct Outcome {
  int status;
  std::string output;
  Bytes image;
};

Outcome convert(const std::string& text, uint32_t first, uint32_t last,
                uint32_t block_size = kBlockSize) {
  std::istringstream in(text);
  Outcome o{-1, "", Bytes(block_size, 0)};
  o.status = convert_printout(in, kTable, first, last, o.image.data(), block_size, &o.output);
  return o;
}

// The image expected when only `hex` at `at` is set.
Bytes image_with(uint32_t at, const Bytes& bytes, uint32_t block_size = kBlockSize) {
  Bytes image(block_size, 0);
  for (size_t i = 0; i < bytes.size(); ++i) image[at + i] = bytes[i];
  return image;
}

std::string boom(const std::string& value, int n) {
  return "BOOM! size of string is different.  s= " + value + " len= " + std::to_string(n) + "\n";
}

// A printout of one field (index `field`) and the bytes it must give at the field's offset.
struct FieldRow {
  const char* label;
  uint32_t field;
  std::string text;
  std::string output;  // what the tool prints; the conversion succeeds
  Bytes bytes;         // at the field's offset, the rest of the block stays zero
};

TEST(ConvertReader, EachKindConvertsItsValue) {
  const std::string twenty_six(26, '-');
  const FieldRow rows[] = {
      {"hex odd digit ignored", 0, line("Hex2", "[0102F]h"), "", hex_bytes("0102")},
      {"hex odd length", 1, line("Hex3", "[0102F]h"), boom("0102F", 3), Bytes(3, 0)},
      {"hex empty brackets", 2, line("Hex4", "[]h"), "", Bytes(4, 0)},
      {"hex not digits", 0, line("Hex2", "[zz5A]h"), "", hex_bytes("005A")},
      {"byte takes four chars", 3, line("Byte", "[0x1234]"), "", hex_bytes("12")},
      {"byte without prefix", 3, line("Byte", "[5A]"), "", hex_bytes("5A")},
      {"byte no digits", 3, line("Byte", "[zz]"), "", hex_bytes("00")},
      {"word", 4, line("Word", "[0x1234]"), "", hex_bytes("1234")},
      {"word takes six chars", 4, line("Word", "[0x123456]"), "", hex_bytes("1234")},
      {"dword", 5, line("Dword", "[0x0000012C]h"), "", hex_bytes("0000012C")},
      {"dword 9 digits", 5, line("Dword", "[123456789]h"), "", hex_bytes("FFFFFFFF")},
      {"dword 10 digits", 5, line("Dword", "[1234567890]h"), "", hex_bytes("FFFFFFFF")},
      {"dword takes ten chars", 5, line("Dword", "[0x123456789]h"), "", hex_bytes("12345678")},
      {"text exact", 6, line("Text8", "[ABC123  ]t"), "", testing::bytes_of("ABC123  ")},
      {"text short", 6, line("Text8", "[ABC]t"), boom("ABC", 8), Bytes(8, 0)},
      {"text long", 7, line("Text3", "[ABCD]t"), boom("ABCD", 3), Bytes(3, 0)},
      {"text empty", 6, line("Text8", "[]t"), boom("", 8), Bytes(8, 0x14)},
      {"text ends at last bracket", 7, line("Text3", "[A]B]t"), "", testing::bytes_of("A]B")},
      {"text with NUL", 7, line("Text3", std::string("[A\0B]t", 6)), "",
       testing::bytes_of(std::string("A\0B", 3))},
      {"text with tab", 7, line("Text3", "[\tx\t]t"), "", testing::bytes_of("\tx\t")},
      {"zero", 8, line("Zero", "[]"), "", Bytes(2, 0)},
      {"blank line is its own", 9, line("Blank", ""), "", Bytes(3, 0x20)},
      {"blank line without blank", 9, "  Blank:\n", "", Bytes(3, 0x20)},
      {"tagged", 10, line("Tagged", "[4A:V1.2|" + twenty_six + "]"), "",
       hex_bytes("4A 56 31 2E 32 00") + twenty_six},
      {"tagged empty slot", 10, line("Tagged", "[  :" + std::string(29, ' ') + "|]"), "",
       Bytes(32, 0x20)},
      {"tagged empty slot any text", 10, line("Tagged", "[ 4:abc|]"), "", Bytes(32, 0x20)},
      {"tagged 31 chars without NUL", 10, line("Tagged", "[41:" + std::string(31, 'x') + "|]"),
       "", hex_bytes("41") + std::string(31, 'x')},
      {"tagged capped at slot", 10, line("Tagged", "[41:" + std::string(40, 'x') + "|yy]"), "",
       hex_bytes("41") + std::string(31, 'x')},
      {"tagged bar before NUL swaps", 10, line("Tagged", "[41:a|b|cd]"), "",
       hex_bytes("41 61 00 62 7C 63 64")},
      {"tagged tail keeps NULs", 10, line("Tagged", std::string("[41:|\0\0z]", 9)), "",
       hex_bytes("41 00 00 00 7A")},
      {"mac colons", 11, line("Mac", "[00:1A:2B:3C:4D:5E]"), "", hex_bytes("001A2B3C4D5E")},
      {"mac hyphens", 11, line("Mac", "[00-1A-2B-3C-4D-5E]"), "", hex_bytes("001A2B3C4D5E")},
      {"mac 15 chars", 11, line("Mac", "[00:1A:2B:3C:4D:]"), "", hex_bytes("001A2B3C4D00")},
      {"hex over two lines", 12,
       line("Hex20", "[000102030405060708090A0B0C0D0E0F") + kIndent + "10111213]h\n", "",
       hex_bytes("000102030405060708090A0B0C0D0E0F10111213")},
      // The CR stays in the field text: it becomes a character of the value, and the strtoul-style
      // reading skips it as white space inside its pair, so the bytes after it shift.
      {"hex over two CRLF lines", 12,
       "  Hex20: [000102030405060708090A0B0C0D0E0F\r\n" + kIndent + "10111213]h\r\n", "",
       hex_bytes("000102030405060708090A0B0C0D0E0F01011121")},
      {"crlf single line", 3, "Byte: [0x5A]\r\n", "", hex_bytes("5A")},
      {"no final newline", 3, "Byte: [0x5A]", "", hex_bytes("5A")},
      {"colon last is empty hex", 2, "Hex4:\n", "", Bytes(4, 0)},
      {"colon last is empty text", 6, "Text8:\n", boom("", 8), Bytes(8, 0x14)},
      {"without brackets", 3, "Byte: 5A]\n", "", hex_bytes("5A")},
      {"hash inside multi-line is text", 6, line("Text8", "[AB") + "#CDEFG]t\n", "",
       testing::bytes_of("AB#CDEFG")},
      {"continuation blanks dropped", 6, line("Text8", "[AB") + "     CD  EFGH]t\n",
       boom("ABCD  EFGH", 8), Bytes(8, 0)},
  };
  for (const FieldRow& r : rows) {
    const Outcome o = convert(r.text, r.field, r.field);
    EXPECT_EQ(o.status, 0) << r.label;
    EXPECT_EQ(o.output, r.output) << r.label;
    EXPECT_EQ(o.image, image_with(kTable[r.field].offset, r.bytes)) << r.label;
  }
}

// Printouts refused as a whole: status 1 and exactly this output.
struct RejectRow {
  const char* label;
  uint32_t first, last;
  std::string text;
  std::string output;
  uint32_t block_size;
};

TEST(ConvertReader, RejectsLinesOutsideThePrintout) {
  const std::string open20 = line("Hex20", "[");
  std::string twenty_one_open, twenty_open;
  for (int i = 0; i < 21; ++i) twenty_one_open += kIndent + "00\n";
  const RejectRow rows[] = {
      {"name differs", 3, 3, line("Bite", "[0x5A]"),
       "Data corruption idx[3]!! Program Exit!  Expected \"Byte\" but got \"Bite\"\n", kBlockSize},
      {"name case", 12, 12, line("hex20", "[]h"),
       "Data corruption idx[12]!! Program Exit!  Expected \"Hex20\" but got \"hex20\"\n",
       kBlockSize},
      {"running index counts", 2, 4, line("Hex4", "[]h") + line("Word", "[0x1234]"),
       "Data corruption idx[3]!! Program Exit!  Expected \"Byte\" but got \"Word\"\n", kBlockSize},
      {"id high bits cleared", 0x3003, 0x3003, line("Word", "[0x1234]"),
       "Data corruption idx[3]!! Program Exit!  Expected \"Byte\" but got \"Word\"\n", kBlockSize},
      {"21 open continuation lines", 12, 12, open20 + twenty_one_open + kIndent + "]h\n",
       "Parser encountered unterminated (by ']') multiline field.  Convert2bin failed.\n",
       kBlockSize},
      {"no colon", 3, 3, "\n#x\n  Byte [0x5A]\n",
       "Convert2bin failed: line 3: field line without ':'\n", kBlockSize},
      {"indented hash is no comment", 3, 3, "  # note\n" + line("Byte", "[0x5A]"),
       "Convert2bin failed: line 1: field line without ':'\n", kBlockSize},
      {"past the last field", 3, 4, line("Byte", "[0x5A]") + line("Word", "[0x1234]") + "x:[]\n",
       "Convert2bin failed: line 3: field line after the last field of the block\n", kBlockSize},
      {"empty continuation", 12, 12, open20 + "\n" + kIndent + "]h\n",
       "Convert2bin failed: line 2: empty continuation line inside a multi-line field\n",
       kBlockSize},
      {"blank continuation", 12, 12, "#\n" + open20 + "    \n]h\n",
       "Convert2bin failed: line 3: empty continuation line inside a multi-line field\n",
       kBlockSize},
      {"end of file inside field", 12, 13, "\n" + open20 + kIndent + "0001",
       "Convert2bin failed: line 2: multi-line field not closed by ']' before the end of the "
       "file\n",
       kBlockSize},
      {"mac 14 chars", 11, 11, line("Mac", "[00:1A:2B:3C:4D]"),
       "Convert2bin failed: line 1: hardware address value shorter than 15 characters\n",
       kBlockSize},
      {"tagged 2 chars", 10, 10, line("Tagged", "[4A]"),
       "Convert2bin failed: line 1: tagged text value shorter than 3 characters\n", kBlockSize},
      {"tagged empty", 10, 10, "Tagged:\n",
       "Convert2bin failed: line 1: tagged text value shorter than 3 characters\n", kBlockSize},
      {"tagged no bar", 10, 10, line("Tagged", "[4A:V1.2]"),
       "Convert2bin failed: line 1: tagged text value without '|' after its tag\n", kBlockSize},
      {"tagged bar only in tag", 10, 10, line("Tagged", "[4|:V1.2]"),
       "Convert2bin failed: line 1: tagged text value without '|' after its tag\n", kBlockSize},
      {"field past block end", 12, 13, line("Hex20", "[]h") + line("Far", "[0102030405060708]h"),
       "Convert2bin failed: line 2: field \"Far\" (8 bytes at offset 120) does not fit in a block "
       "of 100 bytes\n",
       100},
      {"size message then rejection", 6, 7, line("Text8", "[AB]t") + line("Text3", "[ABC]t") + "z\n",
       boom("AB", 8) + "Convert2bin failed: line 3: field line after the last field of the block\n",
       kBlockSize},
  };
  for (const RejectRow& r : rows) {
    const Outcome o = convert(r.text, r.first, r.last, r.block_size);
    EXPECT_EQ(o.status, 1) << r.label;
    EXPECT_EQ(o.output, r.output) << r.label;
  }
}

TEST(ConvertReader, MultiLineFieldOfTwentyTwoLinesIsAccepted) {
  std::string text = line("Hex20", "[");
  Bytes expected;
  for (int i = 0; i < 20; ++i) {
    char pair[3];
    snprintf(pair, sizeof pair, "%02X", i);
    text += kIndent + pair + "\n";
    expected.push_back(static_cast<unsigned char>(i));
  }
  text += kIndent + "]h\n";
  const Outcome o = convert(text, 12, 12);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.output, "");
  EXPECT_EQ(o.image, image_with(70, expected));
}

TEST(ConvertReader, WholePrintoutWithCommentsAndBlankLines) {
  const std::string text = "# edited by hand\n" + line("Hex2", "[BEEF]h") + "\n   \n" +
                           line("Hex3", "[010203]h") + "#" + line("Hex4", "[]h") +
                           line("Hex4", "[A1B2C3D4]h") + line("Byte", "[0x7F]") +
                           line("Word", "[0xCAFE]") + line("Dword", "[0xDEADBEEF]h") +
                           line("Text8", "[Orvantis]t") + line("Text3", "[ab ]t") +
                           line("Zero", "[]") + line("Blank", "") +
                           line("Tagged", "[20:x|]") + line("Mac", "[0A:0B:0C:0D:0E:0F]");
  const Outcome o = convert(text, 0, kLast);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.output, "");
  Bytes expected(kBlockSize, 0);
  const Bytes head = hex_bytes("BEEF 010203 A1B2C3D4 7F CAFE DEADBEEF") +
                     testing::bytes_of("Orvantisab ") + hex_bytes("0000 202020 20 78");
  std::copy(head.begin(), head.end(), expected.begin());
  const Bytes mac = hex_bytes("0A0B0C0D0E0F");
  std::copy(mac.begin(), mac.end(), expected.begin() + 64);
  // The printout ends before Hex20 and Far: they stay zero without any message.
  EXPECT_EQ(o.image, expected);
}

TEST(ConvertReader, BlankFieldLineIsItsOwnFieldAtEndOfFile) {
  const Outcome o = convert(line("Zero", "[]") + line("Blank", ""), 8, kLast);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.output, "");
  EXPECT_EQ(o.image, image_with(29, Bytes(3, 0x20)));
}

TEST(ConvertReader, EmptyPrintoutGivesZeroImage) {
  for (const char* text : {"", "\n", "# nothing\n", "#"}) {
    const Outcome o = convert(text, 0, kLast);
    EXPECT_EQ(o.status, 0) << text;
    EXPECT_EQ(o.output, "") << text;
    EXPECT_EQ(o.image, Bytes(kBlockSize, 0)) << text;
  }
}

TEST(ConvertReader, ManyCommentLinesAreSkipped) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "# comment line\n";
  text += line("Byte", "[0x5A]");
  const Outcome o = convert(text, 3, 3);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.image, image_with(9, hex_bytes("5A")));
}

}  // namespace
}  // namespace orvantis
