// SPDX-License-Identifier: Apache-2.0
// sysfs, where the at24 driver shows each EEPROM as an `eeprom` file, as statfs(2) names it: the
// journal knows its nodes by path alone, and no standard stream may point into it.
#pragma once

namespace orvantis {

constexpr long kSysfsMagic = 0x62656572;  // SYSFS_MAGIC

}  // namespace orvantis
