// The convert command end to end: printouts made by the tool, edited or not, converted back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using testing::FixtureDb;
using testing::Image;
using testing::RunResult;
using vpd_lib::FieldDescriptor;

const char kBriefWarning[] =
    "Warning! For Component VPD (VPD_FORMAT_BRIEF) you need to use the -E option during the "
    "ASCII print for correct endianness in raw file.\n";

struct Range {
  uint32_t first, last;  // table indices
};

Range range_of(int16_t format, unsigned block) {
  if (format == vpd_lib::VPD_FORMAT_BRIEF) return {0, 0x16};
  if (format == vpd_lib::VPD_FORMAT_CFF3) return {0, 0x15};
  static const Range full[] = {{0x00, 0x4C}, {0x4D, 0x8C}, {0x8D, 0xA0}, {0xA1, 0xAF},
                               {0xB0, 0xB7}, {0xB8, 0xBC}, {0xB8, 0xBC}, {0xB8, 0xBC}};
  return full[block];
}

uint32_t field_bytes(const FieldDescriptor& d) {
  switch (d.kind) {
    case vpd_lib::VPD_FIELD_BYTE: return 1;
    case vpd_lib::VPD_FIELD_WORD: return 2;
    case vpd_lib::VPD_FIELD_DWORD: return 4;
    case vpd_lib::VPD_FIELD_TAGGED_TEXT: return 32;
    case vpd_lib::VPD_FIELD_MAC: return 6;
    default: return d.length;
  }
}

// The block image a printout of `block` converts back to: every field's stored bytes at its
// offset, except zero fields (0x00), blank fields (0x20) and empty tagged slots (32 x 0x20);
// bytes no field covers are 0x00.
Bytes expected_image(int16_t format, const Bytes& device, unsigned block, uint32_t block_size) {
  Bytes vpd_data(0x10000, 0);
  std::copy(device.begin(), device.begin() + std::min<size_t>(device.size(), 0x10000),
            vpd_data.begin());
  const FieldDescriptor* table = testing::table_for(format);
  const Range r = range_of(format, block);
  Bytes image(block_size, 0);
  for (uint32_t i = r.first; i <= r.last; ++i) {
    const FieldDescriptor& d = table[i];
    const uint32_t from = testing::address_of(d);
    const uint32_t n = field_bytes(d);
    for (uint32_t k = 0; k < n; ++k) {
      unsigned char b = vpd_data[from + k];
      if (d.kind == vpd_lib::VPD_FIELD_ZERO) b = 0x00;
      if (d.kind == vpd_lib::VPD_FIELD_BLANK) b = 0x20;
      if (d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT && vpd_data[from] == 0x20) b = 0x20;
      image.at(d.offset + k) = b;
    }
  }
  return image;
}

// Deterministic bytes, so a failure replays.
class ByteSource {
 public:
  explicit ByteSource(uint32_t pattern) : state_(pattern) {}
  unsigned char next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<unsigned char>(state_ >> 16);
  }
  // Any byte the printout carries through a text value: everything but the newline.
  unsigned char text() {
    unsigned char b;
    do b = next(); while (b == '\n');
    return b;
  }
  // A text byte before a tagged slot's first NUL: no NUL, no "|".
  unsigned char head() {
    unsigned char b;
    do b = text(); while (b == 0 || b == '|');
    return b;
  }

 private:
  uint32_t state_;
};

// Every field of the format's table set to a value of its kind that survives print and convert,
// tagged slots cycling through empty, NUL-split and NUL-free forms. The length word (and for full
// images the layout byte) stay as the image builder set them.
Image filled_image(int16_t format, uint32_t pattern) {
  Image img = format == vpd_lib::VPD_FORMAT_FULL    ? Image::full(2, 0x2000)
              : format == vpd_lib::VPD_FORMAT_BRIEF ? Image::brief(0x800)
                                                    : Image(0x800);
  ByteSource src(pattern);
  const FieldDescriptor* table = testing::table_for(format);
  unsigned tagged = 0;
  for (uint32_t i = 1; i <= testing::table_last(format); ++i) {
    if (format == vpd_lib::VPD_FORMAT_FULL && i == 1) continue;
    const FieldDescriptor& d = table[i];
    Bytes value(field_bytes(d));
    if (d.kind == vpd_lib::VPD_FIELD_TEXT) {
      for (auto& b : value) b = src.text();
    } else if (d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT) {
      const unsigned form = tagged++ % 3;
      value[0] = form == 0 ? 0x20 : src.next();
      if (form != 0 && value[0] == 0x20) value[0] = 0x4A;  // 0x20 would mark the slot empty
      const size_t nul = form == 1 ? 1 + src.next() % 31 : 32;
      for (size_t k = 1; k < 32; ++k) {
        value[k] = form == 0 ? src.next() : k < nul ? src.head() : k == nul ? 0 : src.text();
      }
    } else {
      for (auto& b : value) b = src.next();
    }
    img.set_field(format, i, value);
  }
  if (format == vpd_lib::VPD_FORMAT_CFF3) {
    // The stored length spans every field of the table, so every field fits the block.
    uint32_t end = 0;
    for (uint32_t i = 0; i <= testing::table_last(format); ++i) {
      end = std::max(end, uint32_t{table[i].offset} + field_bytes(table[i]));
    }
    img.set(testing::address_of(table[0]),
            {static_cast<unsigned char>(end), static_cast<unsigned char>(end >> 8)});
  }
  return img;
}

uint32_t block_size_of(int16_t format, const Bytes& device) {
  if (format == vpd_lib::VPD_FORMAT_FULL) return 0x400;
  if (format == vpd_lib::VPD_FORMAT_BRIEF) return 0x100;
  const uint32_t at = testing::address_of(vpd_lib::CompVPD_cff3[0]);
  return device[at] | (device[at + 1] << 8);
}

const char* format_word(int16_t format) {
  return format == vpd_lib::VPD_FORMAT_FULL ? "full"
         : format == vpd_lib::VPD_FORMAT_BRIEF ? "brief"
                                               : "cff3";
}

// Prints block `block` of FRU `fru` into `ascii` (brief records without byte-order adjustment).
std::string print_block(const std::string& db_root, unsigned fru, int16_t format, unsigned block) {
  std::vector<std::string> args = {"-i", std::to_string(fru), "-b", std::to_string(block), "-p"};
  if (format == vpd_lib::VPD_FORMAT_BRIEF) args.push_back("-E");
  const RunResult r = testing::run_orvantis(args, db_root);
  EXPECT_EQ(r.status, 0) << "printing FRU " << fru << " block " << block << ": " << r.out;
  return r.out;
}

RunResult convert(const std::string& db_root, unsigned fru, unsigned block,
                  const std::string& ascii, const std::string& raw,
                  const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args = {"-i", std::to_string(fru), "-b", std::to_string(block)};
  args.insert(args.end(), extra.begin(), extra.end());
  args.insert(args.end(), {"-c", ascii, raw});
  return testing::run_orvantis(args, db_root);
}

// Checks that every block of the FRU prints and converts back to its own bytes.
void expect_round_trip(const std::string& db_root, unsigned fru, int16_t format,
                       const Bytes& device, const std::string& where) {
  testing::TempDir dir;
  const unsigned blocks = format == vpd_lib::VPD_FORMAT_FULL ? 8 : 2;
  for (unsigned block = 0; block < blocks; ++block) {
    const std::string label = where + " block " + std::to_string(block);
    const std::string printout = print_block(db_root, fru, format, block);
    testing::write_file(dir.file("ascii"), printout);
    const RunResult r = convert(db_root, fru, block, dir.file("ascii"), dir.file("raw"));
    EXPECT_EQ(r.status, 0) << label;
    EXPECT_EQ(r.out, format == vpd_lib::VPD_FORMAT_BRIEF ? kBriefWarning : "") << label;
    const uint32_t block_size = block_size_of(format, device);
    EXPECT_EQ(testing::read_file(dir.file("raw")),
              expected_image(format, device, block, block_size))
        << label;
  }
}

TEST(ConvertRoundTrip, EveryKindOfEveryFormatConvertsBack) {
  for (int16_t format :
       {vpd_lib::VPD_FORMAT_FULL, vpd_lib::VPD_FORMAT_BRIEF, vpd_lib::VPD_FORMAT_CFF3}) {
    for (uint32_t pattern : {1u, 77u, 4242u}) {
      FixtureDb db;
      const Image img = filled_image(format, pattern);
      db.add_fru(3, format_word(format), static_cast<uint32_t>(img.bytes().size()), "dev",
                 img.bytes());
      expect_round_trip(db.root(), 3, format, img.bytes(),
                        std::string(format_word(format)) + " pattern " + std::to_string(pattern));
    }
  }
}

TEST(ConvertRoundTrip, EverySampleFruConvertsBack) {
  std::ifstream inventory(std::string(SAMPLE_DB_DIR) + "/inventory");
  ASSERT_TRUE(inventory) << "no sample database";
  int checked = 0;
  for (std::string line; std::getline(inventory, line);) {
    std::istringstream words(line);
    std::string id, present, format, max_size, device;
    if (!(words >> id >> present >> format >> max_size >> device) || id[0] == '#') continue;
    if (present != "yes") continue;
    const int16_t code = format == "full"    ? vpd_lib::VPD_FORMAT_FULL
                         : format == "brief" ? vpd_lib::VPD_FORMAT_BRIEF
                         : format == "cff3"  ? vpd_lib::VPD_FORMAT_CFF3
                                             : -1;
    if (code < 0) continue;
    const std::string path =
        device[0] == '/' ? device : std::string(SAMPLE_DB_DIR) + "/dev/" + device;
    Bytes image = testing::read_file(path);
    image.resize(std::min<size_t>(image.size(), std::stoul(max_size, nullptr, 0)));
    const unsigned fru = static_cast<unsigned>(std::stoul(id, nullptr, 0));
    expect_round_trip(SAMPLE_DB_DIR, fru, code, image, "sample FRU " + id);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// A full record with every field filled, and its block-0 printout, for the hand-edit tests.
class ConvertEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = filled_image(vpd_lib::VPD_FORMAT_FULL, 99).bytes();
    db_.add_fru(0, "full", 0x2000, "mb", image_);
    printout_ = print_block(db_.root(), 0, vpd_lib::VPD_FORMAT_FULL, 0);
    expected_ = expected_image(vpd_lib::VPD_FORMAT_FULL, image_, 0, 0x400);
  }

  // The first field of block 0 of this kind (and at least min_length long).
  uint32_t first_of_kind(uint32_t kind, uint32_t min_length = 0) const {
    for (uint32_t i = 0; i <= 0x4C; ++i) {
      if (vpd_lib::BlockX[i].kind == kind && vpd_lib::BlockX[i].length >= min_length) return i;
    }
    ADD_FAILURE() << "block 0 has no field of kind " << kind;
    return 0;
  }
  static std::string column(uint32_t index) {
    const std::string name = vpd_lib::BlockX[index].name;
    return std::string(name.size() < 45 ? 45 - name.size() : 0, ' ') + name + ": ";
  }
  // Where field `index`'s line starts in the printout, and where its last line ends.
  size_t line_start(uint32_t index) const { return printout_.find(column(index)); }
  size_t field_end(uint32_t index) const {
    const size_t next = index < 0x4C ? line_start(index + 1) : printout_.size();
    return next;
  }
  // The printout with field `index`'s lines replaced by `lines`.
  std::string replaced(uint32_t index, const std::string& lines) const {
    std::string text = printout_;
    const size_t start = line_start(index);
    text.replace(start, field_end(index) - start, lines);
    return text;
  }
  RunResult convert_text(const std::string& text, const std::vector<std::string>& extra = {}) {
    testing::write_file(db_.scratch("ascii"), text);
    return convert(db_.root(), 0, 0, db_.scratch("ascii"), db_.scratch("raw"), extra);
  }
  Bytes raw() const { return testing::read_file(db_.scratch("raw")); }

  FixtureDb db_;
  Bytes image_;
  std::string printout_;
  Bytes expected_;
};

TEST_F(ConvertEdits, ChangedTextOfTheRightLengthIsTaken) {
  const uint32_t i = first_of_kind(vpd_lib::VPD_FIELD_TEXT, 1);
  const FieldDescriptor& d = vpd_lib::BlockX[i];
  const std::string text(d.length, 'Q');
  const RunResult r = convert_text(replaced(i, column(i) + "[" + text + "]t\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  Bytes expected = expected_;
  std::copy(text.begin(), text.end(), expected.begin() + d.offset);
  EXPECT_EQ(raw(), expected);
}

TEST_F(ConvertEdits, ChangedTextOfAnotherLengthLeavesTheFieldZero) {
  const uint32_t i = first_of_kind(vpd_lib::VPD_FIELD_TEXT, 2);
  const FieldDescriptor& d = vpd_lib::BlockX[i];
  const std::string text(d.length - 1, 'Q');
  const RunResult r = convert_text(replaced(i, column(i) + "[" + text + "]t\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "BOOM! size of string is different.  s= " + text +
                       " len= " + std::to_string(d.length) + "\n");
  Bytes expected = expected_;
  std::fill(expected.begin() + d.offset, expected.begin() + d.offset + d.length, 0);
  EXPECT_EQ(raw(), expected);
}

TEST_F(ConvertEdits, ChangedHexByteAndCommentLines) {
  const uint32_t i = first_of_kind(vpd_lib::VPD_FIELD_BYTE);
  const RunResult r =
      convert_text("# block 0, edited\n" + replaced(i, "#old value\n" + column(i) + "[0xA5]\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  Bytes expected = expected_;
  expected[vpd_lib::BlockX[i].offset] = 0xA5;
  EXPECT_EQ(raw(), expected);
}

TEST_F(ConvertEdits, ReflowedHexFieldGivesTheSameBytes) {
  const uint32_t i = first_of_kind(vpd_lib::VPD_FIELD_HEX, 17);
  const FieldDescriptor& d = vpd_lib::BlockX[i];
  std::string digits;
  for (uint32_t k = 0; k < d.length; ++k) {
    char pair[3];
    snprintf(pair, sizeof pair, "%02X", image_[testing::address_of(d) + k]);
    digits += pair;
  }
  // One long line, then the digits in uneven pieces with blanks in front of each.
  std::string pieces = column(i) + "[\n";
  for (size_t at = 0; at < digits.size(); at += 6) pieces += "  " + digits.substr(at, 6) + "\n";
  const std::string layouts[] = {column(i) + "[" + digits + "]h\n", pieces + "   ]h\n"};
  for (const std::string& lines : layouts) {
    if (digits.size() / 6 > 20) continue;  // more pieces than one field may have
    const RunResult r = convert_text(replaced(i, lines));
    EXPECT_EQ(r.status, 0) << lines;
    EXPECT_EQ(r.out, "") << lines;
    EXPECT_EQ(raw(), expected_) << lines;
  }
}

TEST_F(ConvertEdits, OverlongTaggedSlotStaysInsideItsSlot) {
  const uint32_t i = first_of_kind(vpd_lib::VPD_FIELD_TAGGED_TEXT);
  const FieldDescriptor& d = vpd_lib::BlockX[i];
  const RunResult r = convert_text(replaced(i, column(i) + "[4A:" + std::string(40, 'z') + "|]\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  Bytes expected = expected_;
  expected[d.offset] = 0x4A;
  std::fill(expected.begin() + d.offset + 1, expected.begin() + d.offset + 32, 'z');
  EXPECT_EQ(raw(), expected);
}

// Printouts the converter refuses: a raw file of that name is neither created nor changed.
TEST_F(ConvertEdits, HostilePrintoutsLeaveTheRawFileAlone) {
  const uint32_t text = first_of_kind(vpd_lib::VPD_FIELD_TEXT);
  const uint32_t hex = first_of_kind(vpd_lib::VPD_FIELD_HEX, 17);
  const size_t second = line_start(1);
  std::string swapped = printout_;
  swapped.replace(0, field_end(1),
                  printout_.substr(second, field_end(1) - second) + printout_.substr(0, second));
  std::string unterminated = column(hex) + "[00\n";
  for (int k = 0; k < 21; ++k) unterminated += "  00\n";
  const std::string cut = printout_.substr(0, line_start(hex)) + column(hex) + "[0011\n";
  struct Row {
    const char* label;
    std::string text;
    std::string out_start;  // the output starts with this
    unsigned block;
    std::vector<std::string> extra;
  } rows[] = {
      {"wrong order", swapped,
       "Data corruption idx[0]!! Program Exit!  Expected \"" + std::string(vpd_lib::BlockX[0].name) +
           "\" but got \"" + vpd_lib::BlockX[1].name + "\"\n",
       0, {}},
      {"too many lines", printout_ + printout_.substr(0, second), "Convert2bin failed: line ", 0, {}},
      {"line without colon", replaced(text, "garbage\n"), "Convert2bin failed: line ", 0, {}},
      {"unterminated field", replaced(hex, unterminated),
       "Parser encountered unterminated (by ']') multiline field.  Convert2bin failed.\n", 0, {}},
      {"end of file inside field", cut, "Convert2bin failed: line ", 0, {}},
      {"full printout into a 256-byte block", printout_, "Convert2bin failed: line ", 0,
       {"-y", "256"}},
      {"block 0 printout for block 1", printout_,
       "Data corruption idx[77]!! Program Exit!  Expected \"" +
           std::string(vpd_lib::BlockX[0x4D].name) + "\" but got \"" + vpd_lib::BlockX[0].name +
           "\"\n",
       1, {}},
  };
  const Bytes old(300, 0xEE);
  for (const Row& r : rows) {
    testing::write_file(db_.scratch("ascii"), r.text);
    testing::write_file(db_.scratch("raw"), old);
    RunResult run = convert(db_.root(), 0, r.block, db_.scratch("ascii"), db_.scratch("raw"), r.extra);
    EXPECT_EQ(run.status, 1) << r.label;
    EXPECT_EQ(run.out.substr(0, r.out_start.size()), r.out_start) << r.label << ": " << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << r.label << ": " << run.out;
    EXPECT_EQ(raw(), old) << r.label;
    run = convert(db_.root(), 0, r.block, db_.scratch("ascii"), db_.scratch("new_raw"), r.extra);
    EXPECT_EQ(run.status, 1) << r.label;
    EXPECT_FALSE(testing::file_exists(db_.scratch("new_raw"))) << r.label;
  }
}

TEST_F(ConvertEdits, MissingPrintoutWritesNoRawFile) {
  const RunResult r = convert(db_.root(), 0, 0, db_.scratch("no_such"), db_.scratch("raw"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Convert2bin failed: ASCII file \"" + db_.scratch("no_such") +
                       "\" cannot be opened\n");
  EXPECT_FALSE(testing::file_exists(db_.scratch("raw")));
}

}  // namespace
}  // namespace orvantis
