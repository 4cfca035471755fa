// Field maintenance pieces that need no device: request tokens, byte tokens, the conforming form
// of text fields, CRC refusal texts and the -e report of a name wider than its column. The
// commands themselves run against the sample platform in tests/transcripts/fields_*.t.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fields/block0_crc.h"
#include "fields/field_write.h"
#include "fields/text_fix.h"

namespace orvantis {
namespace {

TEST(SplitRequest, SplitsAtEveryWhiteSpaceAndNeverYieldsEmptyTokens) {
  const struct {
    std::string request;
    std::vector<std::string> tokens;
  } rows[] = {
      {"", {}},
      {"\t\n\v\f\r ", {}},
      {"  6   b\t0x04\n0x00  ", {"6", "b", "0x04", "0x00"}},
      {"a\vb\fc\rd", {"a", "b", "c", "d"}},
      {std::string("x\0y z", 5), {std::string("x\0y", 3), "z"}},  // NUL is not a separator
  };
  for (const auto& row : rows) EXPECT_EQ(split_request(row.request), row.tokens) << row.request;
}

TEST(ByteOfToken, StoresTheLowByteOfTheTargetsUnsignedConversion) {
  const struct {
    const char* token;
    uint8_t byte;
  } rows[] = {
      {"017", 0x0F}, {"0x0F", 0x0F}, {"0X0f", 0x0F}, {"15", 0x0F},   {"300", 0x2C},
      {"-1", 0xFF},  {"256", 0x00},  {"zz", 0x00},   {"0x", 0x00},   {"12abc", 0x0C},
      {"08", 0x00},  {"4294967296", 0xFF},  // saturates at 0xFFFFFFFF as on the 32-bit target
  };
  for (const auto& row : rows) EXPECT_EQ(byte_of_token(row.token), row.byte) << row.token;
}

constexpr uint16_t FRONT = vpd_lib::VPD_PAD_FRONT;

TEST(ConformingText, StripsOnlyNulAndSpaceAtTheEndsThenPads) {
  const struct {
    std::string bytes;
    uint16_t pad;
    std::string expected;
  } rows[] = {
      {std::string("AB\0\0\0\0\0\0", 8), ' ', "AB      "},
      {"  AB    ", ' ', "AB      "},
      {std::string("123\0\0\0\0\0", 8), FRONT | '0', "00000123"},
      {"00000123", FRONT | '0', "00000123"},  // leading pad digits belong to the text
      {std::string("\0 \0 \0 ", 6), ' ', "      "},
      {std::string("\0 \0 \0 ", 6), FRONT | '0', "000000"},
      {"      ", ' ', "      "},
      {std::string("A B\0A\0\0", 7), ' ', std::string("A B\0A  ", 7)},  // inner bytes stay
      {"\tAB\t", ' ', "\tAB\t"},  // only NUL and space are stripped
      {"ABCDEFGH", ' ', "ABCDEFGH"},
      {" xy", '-', "xy-"},
      {" xy", FRONT | '-', "-xy"},
      {"xy  ", 0x0100 | '.', "xy.."},  // bits other than the front flag mean nothing
      {"", ' ', ""},
      {std::string("AB\0\0", 4), 0, std::string("AB\0\0", 4)},  // pad word 0: left as it is
  };
  for (const auto& row : rows) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(row.bytes.data());
    const std::string got = conforming_text(bytes, uint16_t(row.bytes.size()), row.pad);
    EXPECT_EQ(got, row.expected) << "bytes \"" << row.bytes << "\" pad 0x" << std::hex << row.pad;
  }
}

TEST(CrcSupportMessage, NamesAnswersTheLibraryHasNoOtherWayToGive) {
  EXPECT_EQ(crc_support_message(-2), "CRC not calculated since VPD size is invalid");
  EXPECT_EQ(crc_support_message(0), "Unexpected crc_support return = 0");
  EXPECT_EQ(crc_support_message(-4), "Unexpected crc_support return = -4");
}

// A record over a caller's buffer: -e reads only vpd_data.
struct BufferRecord : vpd_lib::vpd {
  explicit BufferRecord(unsigned char* data) { vpd_data = data; }
};

TEST(ExamineText, WritesANameWiderThanItsColumnWhole) {
  const char name[] = "A Text Field Name That Runs Past The Forty-Five Column Edge";
  // block, offset, length, reserved, kind, name, pad
  const vpd_lib::FieldDescriptor table[] = {
      {0, 4, 6, 0, vpd_lib::VPD_FIELD_TEXT, name, FRONT | '0'}};
  unsigned char data[0x400] = {0, 0, 0, 0, '4', '2'};
  BufferRecord record(data);
  std::fflush(stdout);
  std::FILE* sink = std::tmpfile();
  const int saved = ::dup(1);
  ::dup2(::fileno(sink), 1);
  run_examine_text(table, &record, 0, 0);
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
  std::string out;
  std::rewind(sink);
  for (int c; (c = std::fgetc(sink)) != EOF;) out += static_cast<char>(c);
  std::fclose(sink);
  EXPECT_EQ(out, "old->" + std::string(name) + ": [42" + std::string(4, '\0') + "]t\nnew->" + name +
                     ": [000042]t\n\n");
}

}  // namespace
}  // namespace orvantis
