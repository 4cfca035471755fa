// SPDX-License-Identifier: Apache-2.0
// Text-field conformance: examine (-e) and fix in memory then print (-f). Never writes the device.
//
// A conforming VPD_FIELD_TEXT value is its core text (the bytes left after stripping NUL and
// space from both ends, inner ones kept) filled to the field length with the pad character: after
// the text, or before it when the pad word has VPD_PAD_FRONT. A pad word of 0 marks a text field
// that is never repaired; fields of other kinds are never touched.
#pragma once

#include <cstdint>
#include <string>

#include "vpd_access/vpd.h"

namespace orvantis {

// The conforming form of `length` bytes (exactly `length` bytes long). With a pad word of 0 the
// bytes are returned unchanged, since such a field is never repaired.
std::string conforming_text(const unsigned char* bytes, uint16_t length, uint16_t pad);

// -e: reports every non-conforming text field of table entries first..last (indices),
// as an "old->" line, a "new->" line and an empty line. Changes nothing. Exit status 0.
int run_examine_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                     uint32_t last);
// -f: replaces those fields by their conforming form in vpd_data only, then prints the range as an
// ASCII printout. Exit status 0.
int run_fix_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                 uint32_t last, bool adjust_byte_order);

}  // namespace orvantis
