// SPDX-License-Identifier: Apache-2.0
#include "cli/dispatch.h"

#include <cstdio>
#include <cstdlib>

#include "cli/listings.h"
#include "fields/block0_crc.h"
#include "fields/field_write.h"
#include "fields/named_fields.h"
#include "fields/text_fix.h"
#include "image/convert.h"
#include "image/raw_block.h"
#include "print/printer.h"

namespace orvantis {
namespace {

// What every handler sees: the settings, the open record and the byte-order choice.
struct Context {
  const CommandLine& cl;
  const OpenRecord& rec;
  bool adjust_byte_order;
};

// Which record formats a mode accepts, and how it refuses the others.
enum FormatGate {
  GATE_ANY,
  GATE_FULL_NAMED,     // refusal (A)
  GATE_FULL_PLATFORM,  // refusal (B)
};

uint8_t fru_byte(const CommandLine& cl) { return static_cast<uint8_t>(cl.fru_id & 0xFFu); }

int do_nothing(const Context&) { return 0; }

int do_print(const Context& c) {
  print_fields(c.rec.range.table, c.rec.record, c.rec.range.first, c.rec.range.last,
               c.adjust_byte_order, false);
  return 0;
}

int do_print_field(const Context& c) {
  // The printer looks only at the id's table index (id & 0xFFF), so that is what must lie
  // inside the format's table; the block does not matter.
  const uint32_t n = static_cast<uint32_t>(c.cl.field_number) & 0xFFFFu;
  if ((n & 0xFFFu) > last_table_index(c.rec.format)) {
    std::printf("Invalid field number\n");
    return 1;
  }
  const FieldRange whole = field_range_for(c.rec.format, 0);
  print_fields(whole.table, c.rec.record, n, n, c.adjust_byte_order, true);
  return 0;
}

int do_set_field(const Context& c) {
  // The format base: 0, 0x2000 or 0x3000, whatever the block.
  return run_set_field(c.cl.request, fru_byte(c.cl), c.rec.range.first & 0x3000u);
}

int do_burn(const Context& c) {
  return burn_block(c.rec.record, static_cast<uint32_t>(c.cl.block), c.rec.block_size,
                    c.cl.input_file.c_str());
}

int do_dump(const Context& c) {
  return dump_block(c.rec.record, static_cast<uint32_t>(c.cl.block), c.rec.block_size,
                    c.cl.output_file.c_str());
}

int do_convert(const Context& c) {
  unsigned char* buffer = allocate_block(c.rec.block_size);
  if (buffer == nullptr) return 1;
  const int status = convert2bin(c.rec.range.table, buffer, c.rec.block_size, c.rec.range.first,
                                 c.rec.range.last, c.cl.input_file.c_str(),
                                 c.cl.output_file.c_str());
  std::free(buffer);
  // A component printout made without -E shows words swapped, so its raw file would be too.
  if (status == 0 && c.rec.format == vpd_lib::VPD_FORMAT_BRIEF) {
    std::printf(
        "Warning! For Component VPD (VPD_FORMAT_BRIEF) you need to use the -E option during the "
        "ASCII print for correct endianness in raw file.\n");
  }
  return status;
}

int do_list_frus(const Context&) { return list_frus(); }

int do_list_fields(const Context& c) { return list_fields(c.rec.range, c.rec.block_size); }

int do_get_named(const Context& c) { return run_get_named(c.rec.record, c.cl.field_name); }

int do_set_named(const Context& c) {
  return run_set_named(c.rec.record, c.cl.request, fru_byte(c.cl));
}

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

// What each mode reads of vpd_data beyond the length word, told to the record before it loads:
// on the controller every byte loaded crosses the I2C bus. Writers also keep the device locked
// from load to their last write. Modes that read the device only through read_raw, or not at all,
// plan nothing.

void plan_range(const CommandLine& cl, vpd_lib::vpd* record) {
  const FieldRange range = field_range_for(record->format, cl.block);
  if (range.table != nullptr) plan_fields(record, range.table, range.first & 0xFFu, range.last & 0xFFu);
}

void plan_field(const CommandLine& cl, vpd_lib::vpd* record) {
  const uint32_t index = static_cast<uint32_t>(cl.field_number) & 0xFFFu;
  const FieldRange whole = field_range_for(record->format, 0);
  if (whole.table != nullptr && index <= last_table_index(record->format))
    plan_fields(record, whole.table, index, index);
}

void plan_named(const std::string& name, vpd_lib::vpd* record) {
  const NamedField* field = find_named_field(name);
  if (field == nullptr || record->format != vpd_lib::VPD_FORMAT_FULL) return;
  plan_fields(record, vpd_lib::BlockX, field->field_id, field->field_id);
  if (field->legacy_field_id != 0)
    plan_fields(record, vpd_lib::BlockX, field->legacy_field_id, field->legacy_field_id);
}

void plan_get_named(const CommandLine& cl, vpd_lib::vpd* record) { plan_named(cl.field_name, record); }

void plan_platform_id(const CommandLine&, vpd_lib::vpd* record) {
  plan_named("vpdid", record);
  plan_named("posid", record);
}

// The CRC covers block 0 up to the CRC field, which ends it.
void plan_block0(vpd_lib::vpd* record) {
  const vpd_lib::FieldDescriptor& crc = vpd_lib::BlockX[FIELD_BLOCK0_CRC];
  record->plan_read(0, vpd_lib::field_address(crc) + crc.length);
}

void plan_check_crc(const CommandLine&, vpd_lib::vpd* record) { plan_block0(record); }

void plan_fix_crc(const CommandLine&, vpd_lib::vpd* record) {
  plan_block0(record);
  record->plan_update();
}

void plan_write(const CommandLine&, vpd_lib::vpd* record) { record->plan_update(); }

struct ModeRow {
  int mode;
  int (*handler)(const Context&);
  FormatGate gate;
  LoadPlanner plan;
};

const ModeRow kModes[] = {
    {MODE_NONE, do_nothing, GATE_ANY, nullptr},
    {MODE_PRINT, do_print, GATE_ANY, plan_range},
    {MODE_PRINT_FIELD, do_print_field, GATE_ANY, plan_field},
    {MODE_SET_FIELD, do_set_field, GATE_ANY, plan_write},
    {MODE_BURN, do_burn, GATE_ANY, plan_write},
    {MODE_CONVERT, do_convert, GATE_ANY, nullptr},
    {MODE_DUMP, do_dump, GATE_ANY, nullptr},
    {MODE_LIST_FRUS, do_list_frus, GATE_ANY, nullptr},
    {MODE_LIST_FIELDS, do_list_fields, GATE_ANY, nullptr},
    {MODE_GET_NAMED, do_get_named, GATE_FULL_NAMED, plan_get_named},
    {MODE_SET_NAMED, do_set_named, GATE_FULL_NAMED, plan_write},
    {MODE_CHECK_CRC, do_check_crc, GATE_ANY, plan_check_crc},
    {MODE_FIX_CRC, do_fix_crc, GATE_ANY, plan_fix_crc},
    {MODE_FIX_TEXT, do_fix_text, GATE_ANY, plan_range},
    {MODE_EXAMINE_TEXT, do_examine_text, GATE_ANY, plan_range},
    {MODE_PLATFORM_ID, do_platform_id, GATE_FULL_PLATFORM, plan_platform_id},
};

const ModeRow* row_of(int mode) {
  for (const ModeRow& row : kModes)
    if (row.mode == mode) return &row;
  return nullptr;  // the parser produces no other mode
}

// Returns true when the record's format passes the gate; otherwise prints the refusal.
bool passes_gate(FormatGate gate, int16_t format) {
  if (gate == GATE_ANY || format == vpd_lib::VPD_FORMAT_FULL) return true;
  if (gate == GATE_FULL_NAMED) {
    std::printf("Operation only supported for VPD_FORMAT_FULL\n");
  } else {
    std::printf("Error: Only VPD_FORMAT_FULL vpd support this command.\n");
  }
  return false;
}

}  // namespace

int dispatch(const CommandLine& cl, const OpenRecord& rec) {
  // Component VPD holds its numbers little-endian; -E shows them in stored order instead.
  const Context context{cl, rec, rec.format == vpd_lib::VPD_FORMAT_BRIEF && !cl.no_adjust};
  const ModeRow* row = row_of(cl.mode);
  if (row == nullptr) return 0;
  if (!passes_gate(row->gate, rec.format)) return 1;
  return row->handler(context);
}

int run_tool(int argc, char** argv) {
  CommandLine cl;
  int status = 0;
  if (!parse_command_line(argc, argv, &cl, &status)) return status;

  // The inventory opens no record, so -i, -b, -B, -E and -y have no effect on it.
  if (cl.mode == MODE_LIST_FRUS) return list_frus();

  OpenRecord rec;
  const ModeRow* row = row_of(cl.mode);
  if (open_record(cl, row != nullptr ? row->plan : nullptr, &rec) != 0) return 1;
  return dispatch(cl, rec);
}

}  // namespace orvantis
