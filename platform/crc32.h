// SPDX-License-Identifier: Apache-2.0
// CRC-32 as zlib's crc32 computes it: reflected polynomial 0xEDB88320, initial value and final
// xor 0xFFFFFFFF. The check value of "123456789" is 0xCBF43926.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vpd_platform {

uint32_t crc32(const unsigned char* data, size_t size);

}  // namespace vpd_platform
