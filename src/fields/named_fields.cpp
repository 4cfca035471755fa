// SPDX-License-Identifier: Apache-2.0
#include "fields/named_fields.h"

#include <cstdio>
#include <vector>

#include "fields/field_write.h"
#include "print/printer.h"
#include "util/number.h"

namespace orvantis {
namespace {

const NamedField NAMED_FIELDS[] = {
    {"mtm", vpd_lib::VPD_FIXED_MTM, vpd_lib::VPD_FIXED_LEGACY_MTM, 's'},
    {"sn", vpd_lib::VPD_FIXED_SN, vpd_lib::VPD_FIXED_LEGACY_SN, 's'},
    {"hwrev", vpd_lib::VPD_FIXED_HWREV, 0, 'b'},
    {"uuid", vpd_lib::VPD_FIXED_UUID, 0, 'b'},
    {"posid", vpd_lib::VPD_FIXED_POSID, 0, 'b'},
    {"vpdid", vpd_lib::VPD_FIXED_VPDID, 0, 'b'},
    {"uefiid", vpd_lib::VPD_FIXED_UEFIID, 0, 's'},
};

// Reads a field's "0x..." text form and converts it as the target's strtoul in base 0 would.
uint32_t field_number(vpd_lib::vpd* record, uint32_t field_id) {
  std::string text;
  record->read_field_to_string(text, field_id, 0, 0);
  return parse_ulong32(text.c_str(), 0);
}

// The field id `field` names on this record: for mtm and sn, the legacy field while the record
// reports it at its full length, not retired.
uint32_t named_field_id(const NamedField& field, vpd_lib::vpd* record) {
  if (field.legacy_field_id != 0 &&
      record->get_field_size(field.legacy_field_id) == vpd_lib::BlockX[field.legacy_field_id].length)
    return field.legacy_field_id;
  return field.field_id;
}

}  // namespace

const Rows<NamedField> kNamedFields = {NAMED_FIELDS, std::size(NAMED_FIELDS)};

const NamedField* find_named_field(const std::string& name) {
  for (const NamedField& f : kNamedFields)
    if (name == f.name) return &f;
  return nullptr;
}

int run_get_named(vpd_lib::vpd* record, const std::string& name) {
  const NamedField* field = find_named_field(name);
  if (!field) return 0;  // an unknown name is not an error
  if (field->field_id == vpd_lib::VPD_FIXED_UEFIID) {
    // The UEFI id is shown as the library's text, not as the raw field.
    std::string text;
    record->read_field_to_string(text, vpd_lib::VPD_FIXED_UEFIID, 4, 7);  // mode 4: no NUL in it
    std::printf("%s\n", text.c_str());
    return 0;
  }
  const uint32_t index = vpd_lib::index_of_id(named_field_id(*field, record));
  print_fields(vpd_lib::BlockX, record, index, index, false, true);
  return 0;
}

int run_set_named(vpd_lib::vpd* record, const std::string& request, uint8_t fru_id) {
  SetRequest parsed;
  if (!take_set_request(request, &parsed)) return 1;
  const std::vector<std::string>& tokens = parsed.tokens;
  const NamedField* field = find_named_field(tokens[0]);
  if (!field) return 0;
  if (parsed.type != field->input) {
    std::printf("ERROR: %s uses %s input\n", field->name,
                field->input == 's' ? "string" : "byte string");
    return 1;
  }
  const uint32_t id = named_field_id(*field, record);
  const int written = field->input == 's' ? write_string_field(fru_id, id, tokens[2])
                                                         : write_byte_field(fru_id, id, tokens);
  return written != 0 ? 0 : 1;
}

int run_platform_id(vpd_lib::vpd* record) {
  // vpdid is read first; the order of the two reads is visible to the library.
  const uint32_t vpdid = field_number(record, vpd_lib::VPD_FIXED_VPDID);
  const uint32_t posid = field_number(record, vpd_lib::VPD_FIXED_POSID);
  const uint32_t platform_id = vpdid * 0x10000u + posid;  // wraps modulo 2^32
  std::printf("0x%08x\n", static_cast<unsigned>(platform_id));
  return 0;
}

}  // namespace orvantis
