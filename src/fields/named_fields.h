// Named system fields (-g, -G) and the platform id (-P) of VPD_FORMAT_FULL records.
#pragma once

#include <cstdint>
#include <string>

#include "vpd_access/vpd.h"

namespace orvantis {

// Each returns the exit status. The format gate is the dispatch's.
int run_get_named(vpd_lib::vpd* record, const std::string& name);
int run_set_named(vpd_lib::vpd* record, const std::string& request, uint8_t fru_id);
int run_platform_id(vpd_lib::vpd* record);

}  // namespace orvantis
