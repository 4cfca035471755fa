// SPDX-License-Identifier: Apache-2.0
// The block-0 CRC: show (-s) and correct (-S).
//
// The library owns the CRC variant, the bytes it covers and where it is stored; the tool shows
// the values in lower-case hex without leading zeros and stores the correction in the CRC field
// (vpd_lib::VPD_FIXED_CRC).
#pragma once

#include <string>

#include "vpd_access/vpd.h"

namespace orvantis {

int run_check_crc(vpd_lib::vpd* record);  // exit status, always 0
// Writes the CRC field even when it is already right; refuses (status 1, nothing written) when the
// record does not support a block-0 CRC. Status 1 after "Failed to update VPD" when the record does
// not then hold the calculated CRC.
int run_fix_crc(vpd_lib::vpd* record);
}  // namespace orvantis
