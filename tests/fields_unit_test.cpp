// Request tokens, byte tokens, the named-field table and the conforming form of text fields.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fields/block0_crc.h"
#include "fields/field_write.h"
#include "fields/named_fields.h"
#include "fields/text_fix.h"

namespace orvantis {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitRequest, SplitsAtEveryWhiteSpaceAndNeverYieldsEmptyTokens) {
  const struct {
    std::string request;
    Tokens tokens;
  } rows[] = {
      {"", {}},
      {"   ", {}},
      {"\t\n\v\f\r ", {}},
      {"8 s 9Q47ABX2ZZ", {"8", "s", "9Q47ABX2ZZ"}},
      {"  6   b\t0x04\n0x00  ", {"6", "b", "0x04", "0x00"}},
      {"a\vb\fc\rd", {"a", "b", "c", "d"}},
      {"single", {"single"}},
      {std::string("x\0y z", 5), {std::string("x\0y", 3), "z"}},  // NUL is not a separator
  };
  for (const auto& row : rows) EXPECT_EQ(split_request(row.request), row.tokens) << row.request;
}

TEST(ByteOfToken, StoresTheLowByteOfTheTargetsUnsignedConversion) {
  const struct {
    const char* token;
    uint8_t byte;
  } rows[] = {
      {"017", 0x0F},        {"0x0F", 0x0F},  {"0X0f", 0x0F}, {"15", 0x0F},
      {"300", 0x2C},        {"-1", 0xFF},    {"255", 0xFF},  {"256", 0x00},
      {"4294967296", 0xFF},  // saturates at 0xFFFFFFFF as on the 32-bit target
      {"zz", 0x00},         {"0x", 0x00},    {"12abc", 0x0C}, {"08", 0x00},
  };
  for (const auto& row : rows) EXPECT_EQ(byte_of_token(row.token), row.byte) << row.token;
}

TEST(NamedFields, ExactLowerCaseNamesWithTheirInputs) {
  const struct {
    const char* name;
    uint32_t id;
    char input;
  } rows[] = {
      {"mtm", 0x38, 's'},  {"sn", 0x39, 's'},    {"hwrev", 0x10, 'b'},   {"uuid", 0x1B, 'b'},
      {"posid", 0x07, 'b'}, {"vpdid", 0x05, 'b'}, {"uefiid", 0x51, 's'},
  };
  for (const auto& row : rows) {
    const NamedField* f = find_named_field(row.name);
    ASSERT_NE(f, nullptr) << row.name;
    EXPECT_EQ(f->field_id, row.id) << row.name;
    EXPECT_EQ(f->input, row.input) << row.name;
  }
  for (const char* unknown : {"MTM", "Sn", "mtm ", "", "platform", "uefi"})
    EXPECT_EQ(find_named_field(unknown), nullptr) << unknown;
}

TEST(CrcSupportMessage, NamesEachRefusal) {
  EXPECT_EQ(crc_support_message(-1), "CRC not supported for given vpd format");
  EXPECT_EQ(crc_support_message(-2), "CRC not calculated since VPD size is invalid");
  EXPECT_EQ(crc_support_message(-3), "CRC not supported for given vpd version");
  EXPECT_EQ(crc_support_message(0), "Unexpected crc_support return = 0");
  EXPECT_EQ(crc_support_message(-4), "Unexpected crc_support return = -4");
}

constexpr uint16_t PAD_SPACE = 0x20;
constexpr uint16_t PAD_FRONT_ZERO = vpd_lib::VPD_PAD_FRONT | '0';

TEST(ConformingText, StripsOnlyNulAndSpaceAtTheEndsThenPads) {
  const struct {
    std::string bytes;
    uint16_t pad;
    std::string expected;
  } rows[] = {
      {std::string("AB\0\0\0\0\0\0", 8), PAD_SPACE, "AB      "},
      {"  AB    ", PAD_SPACE, "AB      "},
      {std::string("123\0\0\0\0\0", 8), PAD_FRONT_ZERO, "00000123"},
      {"00000123", PAD_FRONT_ZERO, "00000123"},  // leading pad digits belong to the text
      {std::string("\0 \0 \0 ", 6), PAD_SPACE, "      "},
      {std::string("\0 \0 \0 ", 6), PAD_FRONT_ZERO, "000000"},
      {"      ", PAD_SPACE, "      "},
      {std::string("A B\0A\0\0", 7), PAD_SPACE, std::string("A B\0A  ", 7)},  // inner bytes stay
      {"A B  ", PAD_SPACE, "A B  "},
      {"\tAB\t", PAD_SPACE, "\tAB\t"},  // only NUL and space are stripped
      {"ABCDEFGH", PAD_SPACE, "ABCDEFGH"},
      {" xy", 0x2D, "xy-"},
      {" xy", vpd_lib::VPD_PAD_FRONT | 0x2D, "-xy"},
      {"xy  ", 0x0100 | 0x2E, "xy.."},  // bits other than the front flag mean nothing
      {"", PAD_SPACE, ""},
      {std::string("AB\0\0", 4), 0, std::string("AB\0\0", 4)},  // pad word 0: left as it is
  };
  for (const auto& row : rows) {
    const std::string got =
        conforming_text(reinterpret_cast<const unsigned char*>(row.bytes.data()),
                        static_cast<uint16_t>(row.bytes.size()), row.pad);
    EXPECT_EQ(got, row.expected) << "bytes \"" << row.bytes << "\" pad 0x" << std::hex << row.pad;
    EXPECT_EQ(got.size(), row.bytes.size()) << row.bytes;
  }
}

TEST(TextFieldTakesPart, OnlyTextFieldsWithAPadWord) {
  vpd_lib::FieldDescriptor d{};
  d.kind = vpd_lib::VPD_FIELD_TEXT;
  d.pad = PAD_SPACE;
  EXPECT_TRUE(text_field_takes_part(d));
  d.pad = 0;
  EXPECT_FALSE(text_field_takes_part(d));
  for (uint32_t kind = 0; kind <= 9; ++kind) {
    if (kind == vpd_lib::VPD_FIELD_TEXT) continue;
    d.kind = kind;
    d.pad = PAD_SPACE;
    EXPECT_FALSE(text_field_takes_part(d)) << "kind " << kind;
  }
}

// A record over a caller's buffer: the conformance commands read and change only vpd_data.
class BufferRecord : public vpd_lib::vpd {
 public:
  explicit BufferRecord(std::vector<unsigned char>* data) { vpd_data = data->data(); }
};

// Runs `body` with standard output sent to a temporary file and returns what it wrote.
template <typename Body>
std::string captured_stdout(Body body) {
  std::fflush(stdout);
  std::FILE* sink = std::tmpfile();
  const int saved = ::dup(1);
  ::dup2(::fileno(sink), 1);
  body();
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
  std::string out;
  std::rewind(sink);
  for (int c; (c = std::fgetc(sink)) != EOF;) out += static_cast<char>(c);
  std::fclose(sink);
  return out;
}

const char LONG_NAME[] = "A Text Field Name That Runs Past The Forty-Five Column Edge";

// block, offset, length, reserved, kind, name, pad
const vpd_lib::FieldDescriptor TEXT_TABLE[] = {
    {0, 0x00, 4, 0, vpd_lib::VPD_FIELD_TEXT, "Back Padded", PAD_SPACE},
    {0, 0x04, 6, 0, vpd_lib::VPD_FIELD_TEXT, LONG_NAME, PAD_FRONT_ZERO},
    {0, 0x0A, 4, 0, vpd_lib::VPD_FIELD_TEXT, "Never Repaired", 0},
    {0, 0x0E, 4, 0, vpd_lib::VPD_FIELD_HEX, "Hex With Pad", PAD_SPACE},
    {1, 0x00, 3, 0, vpd_lib::VPD_FIELD_TEXT, "Second Block", PAD_SPACE},
};

std::vector<unsigned char> text_table_data() {
  std::vector<unsigned char> data(0x800, 0);
  const std::string head = std::string("AB\0\0", 4) + std::string("42\0\0\0\0", 6) +
                           std::string("X\0\0\0", 4) + std::string("\0\0\0\0", 4);
  std::copy(head.begin(), head.end(), data.begin());
  data[0x400] = 'Z';
  data[0x401] = 'Z';
  data[0x402] = 'Z';
  return data;
}

TEST(ExamineText, ReportsNonConformingTextFieldsOnly) {
  std::vector<unsigned char> data = text_table_data();
  const std::vector<unsigned char> before = data;
  BufferRecord record(&data);
  const std::string out = captured_stdout([&] { run_examine_text(TEXT_TABLE, &record, 0, 4); });
  const std::string expected =
      "old->" + std::string(34, ' ') + "Back Padded: [" + std::string("AB\0\0", 4) + "]t\n" +
      "new->" + std::string(34, ' ') + "Back Padded: [AB  ]t\n\n" +
      "old->" + LONG_NAME + ": [" + std::string("42\0\0\0\0", 6) + "]t\n" +
      "new->" + LONG_NAME + ": [000042]t\n\n";
  EXPECT_EQ(out, expected);
  EXPECT_EQ(data, before);
}

TEST(ExamineText, WalksOnlyTheGivenRange) {
  std::vector<unsigned char> data = text_table_data();
  BufferRecord record(&data);
  EXPECT_EQ(captured_stdout([&] { run_examine_text(TEXT_TABLE, &record, 2, 4); }), "");
  EXPECT_EQ(captured_stdout([&] { run_examine_text(TEXT_TABLE, &record, 1, 0); }), "");
}

TEST(FixText, ReplacesNonConformingBytesInMemory) {
  std::vector<unsigned char> data = text_table_data();
  std::vector<unsigned char> expected = data;
  const std::string fixed = "AB  000042";
  std::copy(fixed.begin(), fixed.end(), expected.begin());
  BufferRecord record(&data);
  captured_stdout([&] { run_fix_text(TEXT_TABLE, &record, 0, 4, false); });
  EXPECT_EQ(data, expected);
}

}  // namespace
}  // namespace orvantis
