// The field printer on hand-made descriptor tables, compared byte for byte: the worked example of
// the printout format and the boundary shapes of every kind. Whole printouts of the real tables
// are in the print_*.t transcripts.
#include "print/printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using orvantis::print_field_lines;
using vpd_lib::FieldDescriptor;
using S = std::string;
enum : uint32_t { HEX, BYTE, WORD, DWORD, TEXT, ZERO, BLANK, TAGGED, MAC };

// `table` over a zero-filled buffer that holds every 16-bit address plus a field behind it, with
// each `stored` value at its address; returns every byte written.
S print(const std::vector<FieldDescriptor>& table, const std::vector<std::pair<size_t, S>>& stored,
        uint32_t first, uint32_t last, bool adjust, bool single) {
  std::vector<char> data(0x10000 + 0x100, 0), text(8192);
  for (const auto& at : stored) at.second.copy(&data[at.first], at.second.size());
  FILE* out = fmemopen(text.data(), text.size(), "w");
  print_field_lines(out, table.data(), reinterpret_cast<unsigned char*>(data.data()), first, last, adjust, single);
  text.resize(static_cast<size_t>(std::ftell(out)));
  std::fclose(out);
  return S(text.begin(), text.end());
}
S seq(int n, int from = 0) { S s; for (int i = 0; i < n; ++i) s += static_cast<char>(from + i); return s; }
S digits(const S& b) { S s; for (unsigned char c : b) s += {"0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]}; return s; }
FieldDescriptor fd(const char* name, uint32_t kind, uint16_t length) { return {0, 0x123, length, 0, kind, name, 0}; }

TEST(Printer, WorkedExampleInFullAndSingleFieldMode) {
  struct Row { const char* name; uint32_t kind; uint16_t length; S stored; bool adjust; S single; } rows[] = {
      {"Sample Hex Field", HEX, 20, seq(20), false, "000102030405060708090A0B0C0D0E0F10111213"},
      {"Sample Hex Field", HEX, 4, "\1\2\3\4", true, "04030201"},
      {"Sample Byte Field", BYTE, 1, "\x5A", false, "0x5A"},
      {"Sample Word Field", WORD, 2, "\x12\x34", false, "0x1234"},
      {"Sample Word Field", WORD, 2, "\x12\x34", true, "0x3412"},
      {"Sample Dword Field", DWORD, 4, S("\0\0\1\x2C", 4), false, "0x0000012C"},
      {"Sample Text Field", TEXT, 8, "ABC123  ", false, "ABC123  "},
      {"Sample Zero Field", ZERO, 4, "\x09\x09\x09\x09", false, ""},
      {"Sample Blank Field", BLANK, 4, "\x09\x09\x09\x09", false, ""},
      {"Sample Tagged Field", TAGGED, 32, S("\x4AV1.2\0", 6) + S(26, '-'), false, "4A:V1.2|" + S(26, '-')},
      {"Sample Tagged Field", TAGGED, 32, S(32, ' '), false, "  :" + S(29, ' ') + "|"},
      {"Sample Address Field", MAC, 6, S("\0\x1A\x2B\x3C\x4D\x5E", 6), false, "00:1A:2B:3C:4D:5E"},
  };
  S full;
  for (const Row& r : rows) {
    full += print({fd(r.name, r.kind, r.length)}, {{0x123, r.stored}}, 0, 0, r.adjust, false);
    EXPECT_EQ(print({fd(r.name, r.kind, r.length)}, {{0x123, r.stored}}, 0, 0, r.adjust, true), r.single + "\n") << r.single;
  }
  EXPECT_EQ(full,
            "                             Sample Hex Field: [000102030405060708090A0B0C0D0E0F\n"
            "                                                10111213]h\n"
            "                             Sample Hex Field: [04030201]h\n"
            "                            Sample Byte Field: [0x5A]\n"
            "                            Sample Word Field: [0x1234]\n"
            "                            Sample Word Field: [0x3412]\n"
            "                           Sample Dword Field: [0x0000012C]h\n"
            "                            Sample Text Field: [ABC123  ]t\n"
            "                            Sample Zero Field: []\n"
            "                           Sample Blank Field: \n"
            "                          Sample Tagged Field: [4A:V1.2|--------------------------]\n"
            "                          Sample Tagged Field: [  :                             |]\n"
            "                         Sample Address Field: [00:1A:2B:3C:4D:5E]\n");
}

TEST(Printer, BoundaryShapesOfValuesAndNames) {
  const S cont = "\n" + S(48, ' '), s17 = seq(17), r17(s17.rbegin(), s17.rend()), nul_first = S("\x07\0", 2) + seq(30, 'A');
  struct Row { const char* label; uint32_t kind; uint16_t length; S stored; bool adjust, single; S value; } rows[] = {
      {"hex 16, one line", HEX, 16, seq(16), false, false, "[" + digits(seq(16)) + "]h"},
      {"hex 17, second line of one byte", HEX, 17, seq(17), false, false, "[" + digits(seq(16)) + cont + "10]h"},
      {"hex 32, exactly two lines", HEX, 32, seq(32), false, false, "[" + digits(seq(16)) + cont + digits(seq(16, 16)) + "]h"},
      {"hex 17 reversed, break after 16 written", HEX, 17, seq(17), true, false, "[" + digits(r17.substr(0, 16)) + cont + "00]h"},
      {"hex 40 single, 80 digits", HEX, 40, seq(40, 0x80), false, true, digits(seq(40, 0x80))},
      {"hex zero length", HEX, 0, "\xAA", false, false, "[]h"},
      {"hex zero length single", HEX, 0, "\xAA", false, true, ""},
      {"dword top bit adjusted", DWORD, 4, "\xFF\xFF\xFF\xFF", true, false, "[0xFFFFFFFF]h"},
      {"text with NUL and ]", TEXT, 6, S("A\0]B\0\n", 6), false, false, S("[A\0]B\0\n]t", 9)},
      {"kind 9 like blank", 9, 4, "\1\2\3\4", false, false, ""},
      {"tag 0x20 whatever else", TAGGED, 32, S(" X\0Y", 4) + S(28, '\xEE'), false, false, "[  :" + S(29, ' ') + "|]"},
      {"tag with NUL first", TAGGED, 32, nul_first, false, false, "[07:|" + nul_first.substr(2) + "]"},
      {"tag without NUL", TAGGED, 32, "\xC3" + S(31, 'Z'), false, true, "C3:" + S(31, 'Z') + "|"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(print({fd("F", r.kind, r.length)}, {{0x123, r.stored}}, 0, 0, r.adjust, r.single),
              (r.single ? "" : S(44, ' ') + "F: ") + r.value + "\n") << r.label;
  for (const S& name : {S(45, 'N'), S(49, 'L') + "!"})  // long names are written whole
    EXPECT_EQ(print({fd(name.c_str(), BYTE, 1)}, {{0x123, "\1"}}, 0, 0, false, false), name + ": [0x01]\n") << name.size();
}

TEST(Printer, RangeByTableIndexAndAddressesWrapAt16Bits) {
  const std::vector<FieldDescriptor> t = {{0, 0x10, 1, 0, BYTE, "a", 0}, {63, 0x410, 1, 0, BYTE, "b", 0},
      {63, 0x3FF, 1, 0, BYTE, "c", 0}, {64, 0x10, 1, 0, BYTE, "d", 0}, {1, 0x10, 1, 0, BYTE, "e", 0}};
  const std::vector<std::pair<size_t, S>> stored = {{0x10, "\x11"}, {0x410, "\x41"}, {0xFFFF, "\xEE"}, {0x10010, "\x99"}};
  struct Row { uint32_t first, last; S out; } rows[] = {
      {0, 4, "0x11\n0x11\n0xEE\n0x11\n0x41\n"}, {3, 2, ""}, {0x2001, 0x2002, "0x11\n0xEE\n"},
      {0x3000, 0xF000, "0x11\n"}, {0x1004, 0x0003, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(print(t, stored, r.first, r.last, false, true), r.out) << r.first << ".." << r.last;
}

}  // namespace
