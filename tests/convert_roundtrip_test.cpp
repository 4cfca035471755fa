// Printer and converter agree: every block of a record printed with -p (-E for brief records) and
// converted back with -c gives the block's own bytes, except zero fields (0x00), blank fields (0x20),
// empty tagged slots (32 x 0x20) and bytes no field covers (0x00). Run over every sample FRU and over
// synthetic images that fill every field of every format with changing bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/fixture.h"

namespace orvantis {
namespace {

using testing::Bytes;
using vpd_lib::FieldDescriptor;
constexpr int16_t FULL = vpd_lib::VPD_FORMAT_FULL, BRIEF = vpd_lib::VPD_FORMAT_BRIEF, CFF3 = vpd_lib::VPD_FORMAT_CFF3;

// Bytes a field occupies: byte, word, double word, tagged slot and hardware address have fixed sizes.
uint32_t span(const FieldDescriptor& d) {
  static const uint32_t fixed[] = {0, 1, 2, 4, 0, 0, 0, 32, 6};
  return d.kind < 9 && fixed[d.kind] ? fixed[d.kind] : d.length;
}

void expect_round_trip(const std::string& root, unsigned fru, int16_t format, Bytes vpd, const std::string& label) {
  static const uint32_t full_first[] = {0x00, 0x4D, 0x8D, 0xA1, 0xB0, 0xB8, 0xB8, 0xB8};
  const FieldDescriptor* table = testing::table_for(format);
  vpd.resize(0x10000);  // a cff3 block is as long as the little-endian length word at byte 0 says
  const uint32_t block_size = format == FULL ? 0x400 : format == BRIEF ? 0x100 : vpd[0] | vpd[1] << 8;
  testing::TempDir dir;
  for (unsigned block = 0; block < (format == FULL ? 8u : 2u); ++block) {
    const std::string where = label + " block " + std::to_string(block);
    std::vector<std::string> args = {"-i", std::to_string(fru), "-b", std::to_string(block), "-p", "-E"};
    if (format != BRIEF) args.pop_back();
    testing::write_file(dir.file("ascii"), testing::run_orvantis(args, root).out);
    args.resize(4);
    args.insert(args.end(), {"-c", dir.file("ascii"), dir.file("raw")});
    const testing::RunResult r = testing::run_orvantis(args, root);
    EXPECT_EQ(r.status, 0) << where << ": " << r.out;
    Bytes image(block_size, 0);
    const uint32_t first = format == FULL ? full_first[block] : 0;
    const uint32_t last = format != FULL ? testing::table_last(format) : block < 5 ? full_first[block + 1] - 1 : 0xBC;
    for (uint32_t i = first; i <= last; ++i) {
      const FieldDescriptor& d = table[i];
      const unsigned char* from = &vpd[testing::address_of(d)];
      const bool spaces = d.kind == vpd_lib::VPD_FIELD_BLANK || (d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT && from[0] == 0x20);
      for (uint32_t k = 0; k < span(d); ++k) image.at(d.offset + k) = d.kind == vpd_lib::VPD_FIELD_ZERO ? 0 : spaces ? 0x20 : from[k];
    }
    EXPECT_EQ(testing::read_file(dir.file("raw")), image) << where;
  }
}

TEST(ConvertRoundTrip, EverySampleFruConvertsBack) {
  const struct { unsigned fru; int16_t format; const char* device; } frus[] = {
      {0, FULL, "mb_vpd"}, {1, FULL, "riser_vpd"}, {2, BRIEF, "ocp_vpd"}, {3, CFF3, "psu1_vpd"}};
  for (const auto& f : frus)
    expect_round_trip(SAMPLE_DB_DIR, f.fru, f.format, testing::read_file(std::string(SAMPLE_DB_DIR) + "/dev/" + f.device), f.device);
}

// Every field but the length word (and a full record's layout byte) gets pattern bytes that survive a
// printout: no newline in text, tagged slots cycling through empty, NUL-split and NUL-free forms
// (a "|" before the slot's NUL would move). A cff3 length word spans the whole table.
TEST(ConvertRoundTrip, EveryKindOfEveryFormatConvertsBack) {
  for (int16_t format : {FULL, BRIEF, CFF3}) {
    for (uint32_t pattern : {1u, 77u, 4242u}) {
      testing::Image img = format == FULL ? testing::Image::full(2, 0x2000) : format == BRIEF ? testing::Image::brief(0x800) : testing::Image(0x800);
      const FieldDescriptor* table = testing::table_for(format);
      uint32_t state = pattern, end = 0;
      auto next = [&state] { state = state * 1103515245u + 12345u; return static_cast<unsigned char>(state >> 16); };
      for (uint32_t i = 1; i <= testing::table_last(format); ++i) {
        const FieldDescriptor& d = table[i];
        end = std::max(end, d.offset + span(d));
        if (format == FULL && i == 1) continue;
        const bool text = d.kind == vpd_lib::VPD_FIELD_TEXT, tagged = d.kind == vpd_lib::VPD_FIELD_TAGGED_TEXT;
        const unsigned form = (i + pattern) % 3, nul = form == 1 ? 1 + next() % 31 : 32;
        Bytes v(span(d));
        for (size_t k = 0; k < v.size(); ++k) {
          const bool head = tagged && k > 0 && k < nul;
          do v[k] = next(); while (((text || tagged) && v[k] == '\n') || (head && (v[k] == 0 || v[k] == '|')));
          if (tagged && k == nul) v[k] = 0;
        }
        if (tagged) v[0] = form == 0 ? 0x20 : v[0] == 0x20 ? 0x4A : v[0];
        img.set_field(format, i, v);
      }
      if (format == CFF3) img.set(0, {static_cast<unsigned char>(end), static_cast<unsigned char>(end >> 8)});
      testing::FixtureDb db;
      db.add_fru(3, format == FULL ? "full" : format == BRIEF ? "brief" : "cff3", format == FULL ? 0x2000 : 0x800, "dev", img.bytes());
      expect_round_trip(db.root(), 3, format, img.bytes(), std::to_string(format) + "/" + std::to_string(pattern));
    }
  }
}

}  // namespace
}  // namespace orvantis
