// The block-0 CRC: show (-s) and correct (-S).
#pragma once

#include "vpd_access/vpd.h"

namespace orvantis {

int run_check_crc(vpd_lib::vpd* record);  // exit status, always 0
int run_fix_crc(vpd_lib::vpd* record);    // exit status

}  // namespace orvantis
