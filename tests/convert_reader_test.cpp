// SPDX-License-Identifier: Apache-2.0
// Reading printouts back into a block image, on in-memory text with a small hand-made table:
// what each field kind turns into, and every printout refused as a whole with its line number.
#include "image/printout_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace orvantis {
namespace {

using namespace std::string_literals;
using vpd_lib::FieldDescriptor;

// Every kind, each at its own offset inside a 128-byte block; "Far" runs past the block's end.
const FieldDescriptor kTable[] = {
    {0, 0, 2, 0, vpd_lib::VPD_FIELD_HEX, "Hex2", 0},   {0, 2, 3, 0, vpd_lib::VPD_FIELD_HEX, "Hex3", 0},
    {0, 5, 4, 0, vpd_lib::VPD_FIELD_HEX, "Hex4", 0},   {0, 9, 1, 0, vpd_lib::VPD_FIELD_BYTE, "Byte", 0},
    {0, 10, 2, 0, vpd_lib::VPD_FIELD_WORD, "Word", 0}, {0, 12, 4, 0, vpd_lib::VPD_FIELD_DWORD, "Dword", 0},
    {0, 16, 8, 0, vpd_lib::VPD_FIELD_TEXT, "Text8", 0x20}, {0, 24, 3, 0, vpd_lib::VPD_FIELD_TEXT, "Text3", 0x20},
    {0, 27, 2, 0, vpd_lib::VPD_FIELD_ZERO, "Zero", 0}, {0, 29, 3, 0, vpd_lib::VPD_FIELD_BLANK, "Blank", 0},
    {0, 32, 32, 0, vpd_lib::VPD_FIELD_TAGGED_TEXT, "Tagged", 0}, {0, 64, 6, 0, vpd_lib::VPD_FIELD_MAC, "Mac", 0},
    {0, 70, 20, 0, vpd_lib::VPD_FIELD_HEX, "Hex20", 0}, {0, 120, 16, 0, vpd_lib::VPD_FIELD_HEX, "Far", 0},
};
constexpr uint32_t kBlockSize = 128;

std::string boom(const std::string& value, int n) { return "BOOM! size of string is different.  s= " + value + " len= " + std::to_string(n) + "\n"; }
std::string corrupt(int idx, const char* want, const char* got) {
  return "Data corruption idx[" + std::to_string(idx) + "]!! Program Exit!  Expected \"" + want + "\" but got \"" + got + "\"\n";
}
std::string refused(int line, const std::string& why) { return "Convert2bin failed: line " + std::to_string(line) + ": " + why + "\n"; }
std::string counting(int n) { std::string s; for (int i = 0; i < n; ++i) s += static_cast<char>(i); return s; }
// Hex20 opened on its name line, n continuation lines of one pair each, then the closing line.
std::string one_pair_a_line(int n) { std::string s = "Hex20: [\n"; while (n--) s += "  5A\n"; return s + "  ]h\n"; }

// Each row prints `out`; accepted (status 0), it leaves `bytes` at the first field's offset and zeros elsewhere.
struct Row { uint32_t first, last; std::string text, out, bytes; int status; };

TEST(ConvertReader, PrintoutRowsGiveTheirBytesOrTheirMessage) {
  const std::string dashes(26, '-'), x31(31, 'x'), bl32(32, ' '), dc4(8, '\x14'), mac = "\0\x1A\x2B\x3C\x4D\x5E"s;
  const Row rows[] = {
      {0, 2, "Hex2: [0102F]h\nHex3: [0102F]h\nHex4: []h\n", boom("0102F", 3), "\x01\x02", 0},
      {0, 0, "Hex2: [zz5A]h\n", "", "\0\x5A"s, 0},
      {3, 5, "Byte: [0x1234]\nWord: [0x1234]\nDword: [0x0000012C]h\n", "", "\x12\x12\x34\0\0\x01\x2C"s, 0},
      {3, 5, "Byte: [zz]\nWord: [0x123456]\nDword: [0x123456789]h\n", "", "\0\x12\x34\x12\x34\x56\x78"s, 0},
      {3, 5, "Byte: [5A]\nWord: []\nDword: [123456789]h\n", "", "\x5A\0\0\xFF\xFF\xFF\xFF"s, 0},
      {6, 7, "Text8: [ABC123  ]t\nText3: [A]B]t\n", "", "ABC123  A]B", 0},
      {6, 7, "Text8: [ABC]t\nText3: [ABCD]t\n", boom("ABC", 8) + boom("ABCD", 3), "", 0},
      {6, 7, "Text8: []t\nText3: [A\0B]t\n"s, boom("", 8), dc4 + "A\0B"s, 0},
      {6, 6, "Text8:\n", boom("", 8), dc4, 0},
      {8, 9, "Zero: [FFFF]\nBlank: \n", "", "\0\0   "s, 0},
      {9, 9, "Blank:\n", "", "   ", 0},
      {10, 10, "Tagged: [4A:V1.2|" + dashes + "]\n", "", "\x4AV1.2\0"s + dashes, 0},
      {10, 10, "Tagged: [  :" + std::string(29, ' ') + "|]\n", "", bl32, 0},
      {10, 10, "Tagged: [ 4:abc|]\n", "", bl32, 0},
      {10, 10, "Tagged: [41:" + x31 + "|]\n", "", "A" + x31, 0},
      {10, 10, "Tagged: [41:" + x31 + "xxxxxxxxx|yy]\n", "", "A" + x31, 0},
      {10, 10, "Tagged: [41:a|b|cd]\n", "", "Aa\0b|cd"s, 0},
      {10, 10, "Tagged: [41:|\0\0z]\n"s, "", "A\0\0\0z"s, 0},
      {11, 11, "Mac: [00:1A:2B:3C:4D:5E]\n", "", mac, 0},
      {11, 11, "Mac: [00-1A-2B-3C-4D-5E]\n", "", mac, 0},
      {11, 11, "Mac: [00:1A:2B:3C:4D:]\n", "", mac.substr(0, 5), 0},
      {12, 12, "Hex20: [000102030405060708090A0B0C0D0E0F\n" + std::string(48, ' ') + "10111213]h\n", "", counting(20), 0},
      // A CR stays in the line; strtoul-style reading skips it as white space inside its pair.
      {12, 12, "Hex20: [000102030405060708090A0B0C0D0E0F\r\n  10111213]h\r\n", "", counting(16) + "\x01\x01\x11\x21", 0},
      {3, 3, "Byte: 5A]", "", "\x5A", 0},
      {6, 6, "Text8: [AB\n#CDEFG]t\n", "", "AB#CDEFG", 0},
      {6, 6, "Text8: [AB\n     CD  EFGH]t\n", boom("ABCD  EFGH", 8), "", 0},
      {12, 12, one_pair_a_line(20), "", std::string(20, '\x5A'), 0},
      {12, 12, one_pair_a_line(21), "Parser encountered unterminated (by ']') multiline field.  Convert2bin failed.\n", "", 1},
      // Comments, blank lines, and a printout that ends before the range's last field.
      {0, 13, "# edited\nHex2: [BEEF]h\n\n   \nHex3: [010203]h\n#Hex4: []h\nHex4: [A1B2C3D4]h\nByte: [0x7F]\n"
       "Word: [0xCAFE]\nDword: [0xDEADBEEF]h\nText8: [Orvantis]t\nText3: [ab ]t\nZero: []\nBlank: \nTagged: [20:x|]\n", "",
       "\xBE\xEF\x01\x02\x03\xA1\xB2\xC3\xD4\x7F\xCA\xFE\xDE\xAD\xBE\xEF" "Orvantisab \0\0   \x20x"s, 0},
      {8, 13, "Zero: []\nBlank: \n", "", "\0\0   "s, 0},
      {0, 13, "", "", "", 0},
      {3, 3, "Bite: [0x5A]\n", corrupt(3, "Byte", "Bite"), "", 1},
      {12, 12, "hex20: []h\n", corrupt(12, "Hex20", "hex20"), "", 1},
      {2, 4, "Hex4: []h\nWord: [0x1234]\n", corrupt(3, "Byte", "Word"), "", 1},
      {3, 3, "\n#x\n  Byte [0x5A]\n", refused(3, "field line without ':'"), "", 1},
      {3, 3, "  # note\nByte: [0x5A]\n", refused(1, "field line without ':'"), "", 1},
      {3, 4, "Byte: [0x5A]\nWord: [0x1234]\nx:[]\n", refused(3, "field line after the last field of the block"), "", 1},
      {12, 12, "Hex20: [\n\n  ]h\n", refused(2, "empty continuation line inside a multi-line field"), "", 1},
      {12, 12, "#\nHex20: [\n    \n]h\n", refused(3, "empty continuation line inside a multi-line field"), "", 1},
      {12, 13, "\nHex20: [\n  0001", refused(2, "multi-line field not closed by ']' before the end of the file"), "", 1},
      {11, 11, "Mac: [00:1A:2B:3C:4D]\n", refused(1, "hardware address value shorter than 15 characters"), "", 1},
      {10, 10, "Tagged: [4A]\n", refused(1, "tagged text value shorter than 3 characters"), "", 1},
      {10, 10, "Tagged: [4A:V1.2]\n", refused(1, "tagged text value without '|' after its tag"), "", 1},
      {10, 10, "Tagged: [4|:V1.2]\n", refused(1, "tagged text value without '|' after its tag"), "", 1},
      {12, 13, "Hex20: []h\nFar: []h\n", refused(2, "field \"Far\" (16 bytes at offset 120) does not fit in a block of 128 bytes"), "", 1},
      {6, 7, "Text8: [AB]t\nText3: [ABC]t\nz\n", boom("AB", 8) + refused(3, "field line after the last field of the block"), "", 1},
  };
  for (const Row& r : rows) {
    std::istringstream in(r.text);
    std::string image(kBlockSize, '\0'), expected(kBlockSize, '\0');
    char* out = nullptr;
    size_t out_size = 0;  // set at each flush, so it shows that every message was flushed
    FILE* stream = open_memstream(&out, &out_size);
    const int status = convert_printout(in, kTable, r.first, r.last, reinterpret_cast<unsigned char*>(&image[0]), kBlockSize, stream);
    EXPECT_EQ(status, r.status) << r.text;
    EXPECT_EQ(std::string(out, out_size), r.out) << r.text;
    fclose(stream);
    free(out);
    if (r.status == 0) { EXPECT_EQ(image, expected.replace(kTable[r.first].offset, r.bytes.size(), r.bytes)) << r.text; }
  }
}

}  // namespace
}  // namespace orvantis
