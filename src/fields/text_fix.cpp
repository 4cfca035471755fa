// SPDX-License-Identifier: Apache-2.0
#include "fields/text_fix.h"

#include <cstdio>
#include <cstring>

#include "print/printer.h"

namespace orvantis {
namespace {

bool is_strippable(unsigned char c) { return c == 0x00 || c == 0x20; }

// One report line: prefix, the printout's name column, the bytes as stored inside "[" and "]t".
void print_report_line(const char* prefix, const char* name, const std::string& contents) {
  std::fputs(prefix, stdout);
  print_name_column(stdout, name);
  std::putchar('[');
  std::fwrite(contents.data(), 1, contents.size(), stdout);
  std::fputs("]t\n", stdout);
}

// True for the fields the conformance commands examine: text kind and a nonzero pad word.
bool text_field_takes_part(const vpd_lib::FieldDescriptor& field) {
  return field.kind == vpd_lib::VPD_FIELD_TEXT && field.pad != 0;
}

}  // namespace

std::string conforming_text(const unsigned char* bytes, uint16_t length, uint16_t pad) {
  const std::string current(reinterpret_cast<const char*>(bytes), length);
  if (pad == 0) return current;
  size_t begin = 0;
  size_t end = current.size();
  while (begin < end && is_strippable(static_cast<unsigned char>(current[begin]))) ++begin;
  while (end > begin && is_strippable(static_cast<unsigned char>(current[end - 1]))) --end;
  const std::string core = current.substr(begin, end - begin);
  const std::string fill(length - core.size(), static_cast<char>(pad & 0xFF));
  return (pad & vpd_lib::VPD_PAD_FRONT) ? fill + core : core + fill;
}

int run_examine_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                     uint32_t last) {
  for (uint32_t i = first; i <= last; ++i) {
    const vpd_lib::FieldDescriptor& field = table[i];
    if (!text_field_takes_part(field)) continue;
    // The library sizes vpd_data so that every descriptor address plus its length lies inside.
    const unsigned char* bytes = record->vpd_data + vpd_lib::field_address(field);
    const std::string current(reinterpret_cast<const char*>(bytes), field.length);
    const std::string wanted = conforming_text(bytes, field.length, field.pad);
    if (current == wanted) continue;
    print_report_line("old->", field.name, current);
    print_report_line("new->", field.name, wanted);
    std::putchar('\n');
  }
  return 0;
}

int run_fix_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                 uint32_t last, bool adjust_byte_order) {
  for (uint32_t i = first; i <= last; ++i) {
    const vpd_lib::FieldDescriptor& field = table[i];
    if (!text_field_takes_part(field)) continue;
    unsigned char* bytes = record->vpd_data + vpd_lib::field_address(field);
    const std::string wanted = conforming_text(bytes, field.length, field.pad);
    std::memcpy(bytes, wanted.data(), field.length);  // exactly the field: VPD text has no NUL
  }
  print_fields(table, record, first, last, adjust_byte_order, false);
  return 0;
}

}  // namespace orvantis
