// SPDX-License-Identifier: Apache-2.0
// The field kinds (vpd_lib::VPD_FIELD_*) as the printout shows them and the converter reads them
// back, one row per kind. The printer and the printout reader (image/printout_reader.h) take every
// fact about a kind from this table.
#pragma once

#include <iterator>

#include "vpd_access/vpd.h"

namespace orvantis {

// How a value is written in the printout, and so how it is read back.
enum KindForm {
  FORM_HEX,     // two upper-case hex digits a byte, 16 bytes a line in the full printout
  FORM_NUMBER,  // "0x" and two digits a byte; read back into the field most significant byte first
  FORM_TEXT,    // the bytes as stored; read back only at the field's exact length
  FORM_FILL,    // no value; read back as `fill` bytes
  FORM_TAGGED,  // "TT:head|tail": tag, the text with its first NUL shown as "|"
  FORM_MAC,     // "XX:XX:XX:XX:XX:XX"
};

struct FieldKind {
  KindForm form;
  const char* close;   // the full printout's mark after the value, behind "["; null: no brackets
  uint32_t width;      // the bytes it takes whatever the descriptor says; 0: the descriptor's length
  bool reordered;      // shown in reverse stored order where the format reorders numbers (not -E)
  unsigned char fill;  // FORM_FILL's byte

  // The bytes a field of this kind takes in the image.
  uint32_t width_of(const vpd_lib::FieldDescriptor& d) const { return width != 0 ? width : d.length; }
};

// Indexed by kind.
constexpr FieldKind FIELD_KINDS[] = {
    {FORM_HEX, "]h", 0, true, 0},                                  // VPD_FIELD_HEX
    {FORM_NUMBER, "]", 1, true, 0},                                // VPD_FIELD_BYTE
    {FORM_NUMBER, "]", 2, true, 0},                                // VPD_FIELD_WORD
    {FORM_NUMBER, "]h", 4, true, 0},                               // VPD_FIELD_DWORD
    {FORM_TEXT, "]t", 0, false, 0},                                // VPD_FIELD_TEXT
    {FORM_FILL, "]", 0, false, 0x00},                              // VPD_FIELD_ZERO, shown "[]"
    {FORM_FILL, nullptr, 0, false, 0x20},                          // VPD_FIELD_BLANK
    {FORM_TAGGED, "]", 32, false, 0},                              // VPD_FIELD_TAGGED_TEXT
    {FORM_MAC, "]", 6, false, 0},                                  // VPD_FIELD_MAC
};
static_assert(std::size(FIELD_KINDS) == vpd_lib::VPD_FIELD_MAC + 1, "a row for every kind");

// The row of kind `k`, or null for a kind the tool does not know: its fields show no value and
// convert to nothing.
inline const FieldKind* field_kind(uint32_t k) { return k < std::size(FIELD_KINDS) ? &FIELD_KINDS[k] : nullptr; }

}  // namespace orvantis
