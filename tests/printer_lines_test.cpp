// The field printer on hand-made descriptor tables and data buffers, compared byte for byte.
#include "print/printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace orvantis {
namespace {

using vpd_lib::FieldDescriptor;
using Bytes = std::vector<unsigned char>;

// Large enough for every 16-bit address plus a field behind it.
constexpr size_t DATA_SIZE = 0x10000 + 0x100;

FieldDescriptor field(const char* name, uint32_t kind, uint16_t length, uint16_t offset,
                      uint16_t block = 0) {
  FieldDescriptor d{};
  d.block = block;
  d.offset = offset;
  d.length = length;
  d.kind = kind;
  d.name = name;
  return d;
}

std::string spaces(size_t n) { return std::string(n, ' '); }
std::string str(const Bytes& b) { return std::string(b.begin(), b.end()); }
Bytes seq(unsigned char from, size_t count) {
  Bytes b(count);
  for (size_t i = 0; i < count; ++i) b[i] = static_cast<unsigned char>(from + i);
  return b;
}
// Upper-case hex digits of `b`, in order.
std::string digits(const Bytes& b) {
  static const char hex[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : b) {
    s += hex[c >> 4];
    s += hex[c & 0xF];
  }
  return s;
}

// Runs print_field_lines into a memory stream and returns every byte written.
std::string capture(const FieldDescriptor* table, const Bytes& data, uint32_t first, uint32_t last,
                    bool adjust, bool single) {
  char* buf = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buf, &size);
  if (out == nullptr) {
    ADD_FAILURE() << "open_memstream failed";
    return {};
  }
  print_field_lines(out, table, data.data(), first, last, adjust, single);
  std::fclose(out);
  std::string text(buf, size);
  std::free(buf);
  return text;
}

// One descriptor with `value` stored at its own address.
std::string print_one(const FieldDescriptor& d, const Bytes& value, bool adjust, bool single) {
  Bytes data(DATA_SIZE, 0);
  uint32_t address = (uint32_t{d.block} * 0x400u + d.offset) & 0xFFFFu;
  std::copy(value.begin(), value.end(), data.begin() + address);
  return capture(&d, data, 0, 0, adjust, single);
}

// --- The worked example: eleven fields, twelve printed lines --------------------------------

struct WorkedExample {
  std::vector<FieldDescriptor> table;
  Bytes data = Bytes(DATA_SIZE, 0);

  WorkedExample() {
    auto add = [this](const char* name, uint32_t kind, uint16_t length, const Bytes& value) {
      uint16_t offset = static_cast<uint16_t>(table.size() * 0x40);
      table.push_back(field(name, kind, length, offset));
      std::copy(value.begin(), value.end(), data.begin() + offset);
    };
    Bytes tagged = {0x4A, 'V', '1', '.', '2', 0x00};
    tagged.resize(32, '-');
    Bytes empty_slot(32, 0x20);
    add("Sample Hex Field", vpd_lib::VPD_FIELD_HEX, 20, seq(0, 20));
    add("Sample Hex Field", vpd_lib::VPD_FIELD_HEX, 4, {1, 2, 3, 4});
    add("Sample Byte Field", vpd_lib::VPD_FIELD_BYTE, 1, {0x5A});
    add("Sample Word Field", vpd_lib::VPD_FIELD_WORD, 2, {0x12, 0x34});
    add("Sample Dword Field", vpd_lib::VPD_FIELD_DWORD, 4, {0, 0, 1, 0x2C});
    add("Sample Text Field", vpd_lib::VPD_FIELD_TEXT, 8, {'A', 'B', 'C', '1', '2', '3', ' ', ' '});
    add("Sample Zero Field", vpd_lib::VPD_FIELD_ZERO, 4, {9, 9, 9, 9});
    add("Sample Blank Field", vpd_lib::VPD_FIELD_BLANK, 4, {9, 9, 9, 9});
    add("Sample Tagged Field", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, tagged);
    add("Sample Tagged Field", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, empty_slot);
    add("Sample Address Field", vpd_lib::VPD_FIELD_MAC, 6, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
  }

  // The twelve lines: the 4-byte hex field with the adjustment, the word without and with it.
  std::string print(bool single) const {
    struct Call {
      uint32_t index;
      bool adjust;
    } calls[] = {{0, false}, {1, true}, {2, false}, {3, false}, {3, true}, {4, false},
                 {5, false}, {6, false}, {7, false}, {8, false}, {9, false}, {10, false}};
    std::string all;
    for (const Call& c : calls) all += capture(table.data(), data, c.index, c.index, c.adjust, single);
    return all;
  }
};

TEST(Printer, WorkedExampleFullMode) {
  const std::string expected =
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
      "                         Sample Address Field: [00:1A:2B:3C:4D:5E]\n";
  EXPECT_EQ(WorkedExample().print(false), expected);
}

TEST(Printer, WorkedExampleSingleFieldMode) {
  const std::string expected =
      "000102030405060708090A0B0C0D0E0F10111213\n"
      "04030201\n"
      "0x5A\n"
      "0x1234\n"
      "0x3412\n"
      "0x0000012C\n"
      "ABC123  \n"
      "\n"
      "\n"
      "4A:V1.2|--------------------------\n"
      "  :" + spaces(29) + "|\n"
      "00:1A:2B:3C:4D:5E\n";
  EXPECT_EQ(WorkedExample().print(true), expected);
}

TEST(Printer, WholeRangeInOneCallMatchesFieldByField) {
  WorkedExample ex;
  std::string one_call = capture(ex.table.data(), ex.data, 0, 10, false, false);
  std::string by_field;
  for (uint32_t i = 0; i <= 10; ++i) by_field += capture(ex.table.data(), ex.data, i, i, false, false);
  EXPECT_EQ(one_call, by_field);
  EXPECT_EQ(std::count(one_call.begin(), one_call.end(), '\n'), 12);  // the 20-byte hex takes two
}

// --- Values by kind ---------------------------------------------------------------------------

struct ValueRow {
  const char* label;
  uint32_t kind;
  uint16_t length;
  Bytes stored;
  bool adjust;
  bool single;
  std::string value;  // everything after ": " (full mode) or the whole line, without the "\n"
};

TEST(Printer, ValuesByKind) {
  Bytes b16 = seq(0x00, 16), b17 = seq(0x00, 17), b32 = seq(0x00, 32), b40 = seq(0x80, 40);
  Bytes b17_reversed(b17.rbegin(), b17.rend());
  Bytes slot_space_tag = {0x20, 'X', 0x00, 'Y', 0x7F};
  slot_space_tag.resize(32, 0xEE);
  Bytes slot_nul_first = {0x07, 0x00};
  for (int i = 0; i < 30; ++i) slot_nul_first.push_back(static_cast<unsigned char>('a' + i % 26));
  Bytes slot_no_nul = {0xC3};
  slot_no_nul.resize(32, 'Z');
  Bytes slot_more_nuls = {0x4A, 'A', 'B', 0x00, 'C', 0x00, 0x00, 'D'};
  slot_more_nuls.resize(32, 0x00);
  const std::string cont = "\n" + spaces(48);

  const ValueRow rows[] = {
      {"hex 16 bytes, one line", vpd_lib::VPD_FIELD_HEX, 16, b16, false, false, "[" + digits(b16) + "]h"},
      {"hex 17 bytes, second line of one byte", vpd_lib::VPD_FIELD_HEX, 17, b17, false, false,
       "[" + digits(seq(0, 16)) + cont + "10]h"},
      {"hex 32 bytes, exactly two lines", vpd_lib::VPD_FIELD_HEX, 32, b32, false, false,
       "[" + digits(seq(0, 16)) + cont + digits(seq(16, 16)) + "]h"},
      {"hex 17 bytes reversed, break after 16 written", vpd_lib::VPD_FIELD_HEX, 17, b17, true, false,
       "[" + digits(Bytes(b17_reversed.begin(), b17_reversed.begin() + 16)) + cont + "00]h"},
      {"hex 17 bytes single, never broken", vpd_lib::VPD_FIELD_HEX, 17, b17, false, true, digits(b17)},
      {"hex 40 bytes single, 80 digits", vpd_lib::VPD_FIELD_HEX, 40, b40, false, true, digits(b40)},
      {"hex 40 bytes single reversed", vpd_lib::VPD_FIELD_HEX, 40, b40, true, true,
       digits(Bytes(b40.rbegin(), b40.rend()))},
      {"hex zero length", vpd_lib::VPD_FIELD_HEX, 0, {0xAA}, false, false, "[]h"},
      {"hex zero length single", vpd_lib::VPD_FIELD_HEX, 0, {0xAA}, false, true, ""},
      {"byte", vpd_lib::VPD_FIELD_BYTE, 1, {0xab}, false, false, "[0xAB]"},
      {"byte ignores length", vpd_lib::VPD_FIELD_BYTE, 9, {0x05, 0x06}, false, false, "[0x05]"},
      {"byte single", vpd_lib::VPD_FIELD_BYTE, 1, {0x00}, false, true, "0x00"},
      {"byte adjusted is the same", vpd_lib::VPD_FIELD_BYTE, 1, {0x5A}, true, false, "[0x5A]"},
      {"word stored order", vpd_lib::VPD_FIELD_WORD, 2, {0x12, 0x34}, false, false, "[0x1234]"},
      {"word adjusted", vpd_lib::VPD_FIELD_WORD, 2, {0x12, 0x34}, true, false, "[0x3412]"},
      {"word single adjusted", vpd_lib::VPD_FIELD_WORD, 2, {0xFE, 0x00}, true, true, "0x00FE"},
      {"word ignores length", vpd_lib::VPD_FIELD_WORD, 0, {0x0a, 0xbc}, false, false, "[0x0ABC]"},
      {"dword stored order", vpd_lib::VPD_FIELD_DWORD, 4, {0x00, 0x00, 0x01, 0x2C}, false, false,
       "[0x0000012C]h"},
      {"dword adjusted", vpd_lib::VPD_FIELD_DWORD, 4, {0x00, 0x00, 0x01, 0x2C}, true, false,
       "[0x2C010000]h"},
      {"dword top bit set", vpd_lib::VPD_FIELD_DWORD, 4, {0xFF, 0xFF, 0xFF, 0xFF}, false, false,
       "[0xFFFFFFFF]h"},
      {"dword top bit set adjusted", vpd_lib::VPD_FIELD_DWORD, 4, {0xFF, 0xFF, 0xFF, 0xFF}, true, false,
       "[0xFFFFFFFF]h"},
      {"dword single", vpd_lib::VPD_FIELD_DWORD, 4, {0x80, 0x01, 0x02, 0x03}, false, true, "0x80010203"},
      {"text with NUL and ]", vpd_lib::VPD_FIELD_TEXT, 6, {'A', 0x00, ']', 'B', 0x00, '\n'}, false, false,
       std::string("[A\0]B\0\n]t", 9)},
      {"text single with NUL", vpd_lib::VPD_FIELD_TEXT, 3, {0x00, 'x', 0xFF}, false, true,
       std::string("\0x\xFF", 3)},
      {"text zero length", vpd_lib::VPD_FIELD_TEXT, 0, {'Q'}, false, false, "[]t"},
      {"text adjusted is the same", vpd_lib::VPD_FIELD_TEXT, 2, {'h', 'i'}, true, false, "[hi]t"},
      {"zero", vpd_lib::VPD_FIELD_ZERO, 4, {1, 2, 3, 4}, false, false, "[]"},
      {"zero single", vpd_lib::VPD_FIELD_ZERO, 4, {1, 2, 3, 4}, false, true, ""},
      {"blank", vpd_lib::VPD_FIELD_BLANK, 4, {1, 2, 3, 4}, false, false, ""},
      {"blank single", vpd_lib::VPD_FIELD_BLANK, 4, {1, 2, 3, 4}, false, true, ""},
      {"kind 9 like blank", 9, 4, {1, 2, 3, 4}, false, false, ""},
      {"kind 9 single", 9, 4, {1, 2, 3, 4}, false, true, ""},
      {"kind 0xFFFFFFFF like blank", 0xFFFFFFFFu, 4, {1}, true, false, ""},
      {"tag 0x20 empty whatever else", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, slot_space_tag, false, false,
       "[  :" + spaces(29) + "|]"},
      {"tag 0x20 single", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, slot_space_tag, false, true,
       "  :" + spaces(29) + "|"},
      {"tag with NUL first", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, slot_nul_first, false, false,
       "[07:|" + str(Bytes(slot_nul_first.begin() + 2, slot_nul_first.end())) + "]"},
      {"tag without NUL", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, slot_no_nul, false, false,
       "[C3:" + std::string(31, 'Z') + "|]"},
      {"tag, NULs after the first written as stored", vpd_lib::VPD_FIELD_TAGGED_TEXT, 32, slot_more_nuls,
       false, false, "[4A:AB|C" + std::string("\0\0", 2) + "D" + std::string(24, '\0') + "]"},
      {"tag ignores length", vpd_lib::VPD_FIELD_TAGGED_TEXT, 3, slot_no_nul, false, true,
       "C3:" + std::string(31, 'Z') + "|"},
      {"mac", vpd_lib::VPD_FIELD_MAC, 6, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xfe}, false, false,
       "[00:1A:2B:3C:4D:FE]"},
      {"mac single, never reversed", vpd_lib::VPD_FIELD_MAC, 6, {1, 2, 3, 4, 5, 6}, true, true,
       "01:02:03:04:05:06"},
  };
  for (const ValueRow& r : rows) {
    FieldDescriptor d = field("F", r.kind, r.length, 0x123);
    std::string expected = (r.single ? "" : spaces(44) + "F: ") + r.value + "\n";
    EXPECT_EQ(print_one(d, r.stored, r.adjust, r.single), expected) << r.label;
  }
}

// --- The name column --------------------------------------------------------------------------

TEST(Printer, NameColumnRightAlignedIn45Columns) {
  const std::string name45(45, 'N'), name50 = std::string(49, 'L') + "!";
  struct Row {
    const char* label;
    const char* name;
    std::string line;
  } rows[] = {
      {"one character", "x", spaces(44) + "x: [0x01]\n"},
      {"exactly 45 starts in column 0", name45.c_str(), name45 + ": [0x01]\n"},
      {"50 written whole, value 5 columns right", name50.c_str(), name50 + ": [0x01]\n"},
      {"empty", "", spaces(45) + ": [0x01]\n"},
      {"null treated as empty", nullptr, spaces(45) + ": [0x01]\n"},
  };
  for (const Row& r : rows) {
    FieldDescriptor d = field(r.name, vpd_lib::VPD_FIELD_BYTE, 1, 0);
    std::string out = print_one(d, {0x01}, false, false);
    EXPECT_EQ(out, r.line) << r.label;
  }
  // With a short name the value starts in column 47 and its first digit in column 48.
  std::string line = print_one(field("x", vpd_lib::VPD_FIELD_BYTE, 1, 0), {1}, false, false);
  EXPECT_EQ(line.find(':'), 45u);
  EXPECT_EQ(line.find('['), 47u);
}

TEST(Printer, NameColumnAloneForOtherReports) {
  char* buf = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buf, &size);
  ASSERT_NE(out, nullptr);
  std::fputs("old->", out);
  print_name_column(out, "Serial");
  print_name_column(out, std::string(47, 'w').c_str());
  std::fclose(out);
  std::string text(buf, size);
  std::free(buf);
  EXPECT_EQ(text, "old->" + spaces(39) + "Serial: " + std::string(47, 'w') + ": ");
}

// --- Range and addresses ----------------------------------------------------------------------

TEST(Printer, RangeUsesTableIndexOfEachId) {
  FieldDescriptor table[] = {
      field("a", vpd_lib::VPD_FIELD_BYTE, 1, 0),
      field("b", vpd_lib::VPD_FIELD_BYTE, 1, 1),
      field("c", vpd_lib::VPD_FIELD_BYTE, 1, 2),
  };
  Bytes data(DATA_SIZE, 0);
  data[0] = 0xA0;
  data[1] = 0xB1;
  data[2] = 0xC2;
  struct Row {
    const char* label;
    uint32_t first, last;
    std::string out;
  } rows[] = {
      {"all three", 0, 2, "0xA0\n0xB1\n0xC2\n"},
      {"one", 1, 1, "0xB1\n"},
      {"first above last prints nothing", 2, 1, ""},
      {"format base ignored", 0x2001, 0x2002, "0xB1\n0xC2\n"},
      {"only the low 12 bits count", 0x3000, 0xF001, "0xA0\n0xB1\n"},
      {"first above last after masking", 0x1002, 0x0001, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(capture(table, data, r.first, r.last, false, true), r.out) << r.label;
}

TEST(Printer, FieldsReadFromTheirOwnBlockAndOffset) {
  Bytes data(DATA_SIZE, 0);
  data[0x0010] = 0x11;    // block 0 offset 0x10, and where the wrapped address lands
  data[0x0410] = 0x41;    // block 1 offset 0x10
  data[0x1C05] = 0x75;    // block 7 offset 5
  data[0xFFFF] = 0xEE;    // the highest address
  data[0x10010] = 0x99;   // past 16 bits: never read
  struct Row {
    const char* label;
    uint16_t block, offset;
    const char* out;
  } rows[] = {
      {"block 0", 0, 0x10, "0x11\n"},
      {"block 1 reads at 0x400 + offset", 1, 0x10, "0x41\n"},
      {"block 7", 7, 5, "0x75\n"},
      {"offset beyond its block", 6, 0x405, "0x75\n"},
      {"highest address", 63, 0x3FF, "0xEE\n"},
      {"address wraps at 16 bits", 64, 0x10, "0x11\n"},
      {"wrap by offset", 63, 0x410, "0x11\n"},
  };
  for (const Row& r : rows) {
    FieldDescriptor d = field("f", vpd_lib::VPD_FIELD_BYTE, 1, r.offset, r.block);
    EXPECT_EQ(capture(&d, data, 0, 0, false, true), r.out) << r.label;
  }
}

// --- Flushing ---------------------------------------------------------------------------------

// A stream whose every delivered chunk is recorded; fully buffered, so only the printer's flushes
// (and a full buffer, which these lines never reach) cut chunks.
struct ChunkSink {
  std::vector<std::string> chunks;
  static ssize_t write(void* cookie, const char* data, size_t size) {
    static_cast<ChunkSink*>(cookie)->chunks.emplace_back(data, size);
    return static_cast<ssize_t>(size);
  }
};

TEST(Printer, FlushesEveryLineAndEveryHexBreak) {
  FieldDescriptor table[] = {
      field("h", vpd_lib::VPD_FIELD_HEX, 33, 0),
      field("t", vpd_lib::VPD_FIELD_TEXT, 3, 0x40),
      field("z", vpd_lib::VPD_FIELD_ZERO, 3, 0x50),
  };
  Bytes data(DATA_SIZE, 0x31);
  ChunkSink sink;
  cookie_io_functions_t io{};
  io.write = &ChunkSink::write;
  FILE* out = fopencookie(&sink, "w", io);
  ASSERT_NE(out, nullptr);
  std::vector<char> buffer(1 << 16);
  setvbuf(out, buffer.data(), _IOFBF, buffer.size());
  print_field_lines(out, table, data.data(), 0, 2, false, false);
  EXPECT_EQ(sink.chunks.size(), 5u) << "33-byte hex: 3 lines, then one line each";
  std::fclose(out);
  for (size_t i = 0; i < sink.chunks.size(); ++i) {
    ASSERT_FALSE(sink.chunks[i].empty());
    EXPECT_EQ(sink.chunks[i].back(), '\n') << "chunk " << i;
  }
}

}  // namespace
}  // namespace orvantis
