// Text-field conformance: examine (-e) and fix in memory then print (-f). Never writes the device.
#pragma once

#include <cstdint>

#include "vpd_access/vpd.h"

namespace orvantis {

int run_examine_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                     uint32_t last);
int run_fix_text(const vpd_lib::FieldDescriptor* table, vpd_lib::vpd* record, uint32_t first,
                 uint32_t last, bool adjust_byte_order);

}  // namespace orvantis
