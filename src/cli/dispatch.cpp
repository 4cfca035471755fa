// SPDX-License-Identifier: Apache-2.0
#include "cli/dispatch.h"

#include <cstdio>
#include <iterator>

#include "cli/listings.h"
#include "fields/block0_crc.h"
#include "fields/field_write.h"
#include "fields/named_fields.h"
#include "fields/text_fix.h"
#include "image/convert.h"
#include "image/raw_block.h"
#include "print/printer.h"

namespace orvantis {

// What every handler sees: the settings, the open record (empty for a mode that opens none) and
// the byte-order choice.
struct Context {
  const CommandLine& cl;
  const OpenRecord& rec;
  bool adjust_byte_order;
};

namespace {

int do_nothing(const Context&) { return 0; }

int do_print(const Context& c) {
  print_fields(c.rec.range.table, c.rec.record, c.rec.range.first, c.rec.range.last,
               c.adjust_byte_order, false);
  return 0;
}

int do_print_field(const Context& c) {
  // The number is taken as a field id whose table index names the field, whatever its base.
  const uint32_t index = vpd_lib::index_of_id(static_cast<uint32_t>(c.cl.field_number));
  if (index >= c.rec.format->table_size) {
    std::printf("Invalid field number\n");
    return 1;
  }
  print_fields(c.rec.format->table, c.rec.record, index, index, c.adjust_byte_order, true);
  return 0;
}

int do_set_field(const Context& c) { return run_set_field(c.cl.request, c.cl.fru(), c.rec.range.base); }

int do_burn(const Context& c) {
  return burn_block(c.rec.record, static_cast<uint32_t>(c.cl.block), c.rec.block_size,
                    c.cl.input_file.c_str());
}

int do_dump(const Context& c) {
  return dump_block(c.rec.record, static_cast<uint32_t>(c.cl.block), c.rec.block_size,
                    c.cl.output_file.c_str());
}

int do_convert(const Context& c) {
  const int status = convert2bin(c.rec.range.table, c.rec.block_size, c.rec.range.first,
                                 c.rec.range.last, c.cl.input_file.c_str(), c.cl.output_file.c_str());
  // A component printout made without -E shows words swapped, so its raw file would be too.
  if (status == 0 && c.rec.format->reorder_numbers) {
    std::printf(
        "Warning! For Component VPD (VPD_FORMAT_BRIEF) you need to use the -E option during the "
        "ASCII print for correct endianness in raw file.\n");
  }
  return status;
}

int do_list_frus(const Context&) { return list_frus(); }

int do_list_fields(const Context& c) { return list_fields(c.rec.range, c.rec.block_size); }

int do_get_named(const Context& c) { return run_get_named(c.rec.record, c.cl.field_name); }

int do_set_named(const Context& c) { return run_set_named(c.rec.record, c.cl.request, c.cl.fru()); }

int do_check_crc(const Context& c) { return run_check_crc(c.rec.record); }

int do_fix_crc(const Context& c) { return run_fix_crc(c.rec.record); }

int do_fix_text(const Context& c) {
  return run_fix_text(c.rec.range.table, c.rec.record, c.rec.range.first, c.rec.range.last,
                      c.adjust_byte_order);
}

int do_examine_text(const Context& c) {
  return run_examine_text(c.rec.range.table, c.rec.record, c.rec.range.first, c.rec.range.last);
}

int do_platform_id(const Context& c) { return run_platform_id(c.rec.record); }

constexpr const char kNamedRefusal[] = "Operation only supported for VPD_FORMAT_FULL";
constexpr const char kPlatformIdRefusal[] = "Error: Only VPD_FORMAT_FULL vpd support this command.";

}  // namespace

// The inventory (-l) opens no record, so -i, -b, -B, -E and -y have no effect on it.
const ModeRow kModeRows[] = {
    // letter, argument, opens a record, reads, writes, refusal, handler
    {0, ARG_NONE, true, READS_NOTHING, false, nullptr, do_nothing},
    {'p', ARG_NONE, true, READS_RANGE, false, nullptr, do_print},
    {'o', ARG_FIELD_NUMBER, true, READS_FIELD, false, nullptr, do_print_field},
    {'O', ARG_REQUEST, true, READS_NOTHING, true, nullptr, do_set_field},
    {'w', ARG_INPUT_FILE, true, READS_NOTHING, true, nullptr, do_burn},
    {'c', ARG_ASCII_AND_RAW, true, READS_NOTHING, false, nullptr, do_convert},
    {'r', ARG_OUTPUT_FILE, true, READS_NOTHING, false, nullptr, do_dump},
    {'l', ARG_NONE, false, READS_NOTHING, false, nullptr, do_list_frus},
    {'n', ARG_NONE, true, READS_NOTHING, false, nullptr, do_list_fields},
    {'g', ARG_FIELD_NAME, true, READS_NAMED, false, kNamedRefusal, do_get_named},
    {'G', ARG_REQUEST, true, READS_NOTHING, true, kNamedRefusal, do_set_named},
    {'s', ARG_NONE, true, READS_BLOCK0, false, nullptr, do_check_crc},
    {'S', ARG_NONE, true, READS_BLOCK0, true, nullptr, do_fix_crc},
    {'f', ARG_NONE, true, READS_RANGE, false, nullptr, do_fix_text},
    {'e', ARG_NONE, true, READS_RANGE, false, nullptr, do_examine_text},
    {'P', ARG_NONE, true, READS_PLATFORM_ID, false, kPlatformIdRefusal, do_platform_id},
};

const Rows<ModeRow> kModes = {kModeRows, std::size(kModeRows)};

int run_tool(const Rows<ModeRow>& modes, int argc, char** argv) {
  CommandLine cl;
  int status = 0;
  if (!parse_command_line(modes, argc, argv, &cl, &status)) return status;
  const ModeRow& row = *mode_row(modes, cl.mode);
  OpenRecord rec;
  if (row.opens_record && open_record(cl, row.reads, row.writes, &rec) != 0) return 1;
  if (row.refusal != nullptr && (rec.format == nullptr || !rec.format->system_vpd)) {
    std::printf("%s\n", row.refusal);
    return 1;
  }
  // -E shows reordered formats' numbers in stored order instead.
  const bool adjust = rec.format != nullptr && rec.format->reorder_numbers && !cl.no_adjust;
  return row.handler(Context{cl, rec, adjust});
}

}  // namespace orvantis
