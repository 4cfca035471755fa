// SPDX-License-Identifier: Apache-2.0
// Named system fields (-g, -G) and the platform id (-P) of VPD_FORMAT_FULL records.
//
// Seven common fields of the system VPD are reached by short lower-case names. `mtm` and `sn`
// move with the record's layout (the rule is at VpdFixedField in vpd_access/vpd.h).
#pragma once

#include <cstdint>
#include <string>

#include "util/rows.h"
#include "vpd_access/vpd.h"

namespace orvantis {

struct NamedField {
  const char* name;
  uint32_t field_id;         // the id on records of the current layout
  uint32_t legacy_field_id;  // the id while the record does not report that field retired; 0 = none
  char input;                // the type letter -G requires, and so its writer: 's' string, 'b' bytes
};

// The named fields, in the order the usage text lists them.
extern const Rows<NamedField> kNamedFields;

// The table entry for `name` (exact, case-sensitive), or null.
const NamedField* find_named_field(const std::string& name);

// Each returns the exit status. The format gate is the dispatch's.
int run_get_named(vpd_lib::vpd* record, const std::string& name);
int run_set_named(vpd_lib::vpd* record, const std::string& request, uint8_t fru_id);
int run_platform_id(vpd_lib::vpd* record);

}  // namespace orvantis
