// Placeholder until the descriptor tables land.
#include "vpd_access/vpd.h"

namespace vpd_lib {
const FieldDescriptor BlockX[0xBD] = {};
const FieldDescriptor CompVPD_v3[0x17] = {};
const FieldDescriptor CompVPD_cff3[0x16] = {};
}  // namespace vpd_lib
