// SPDX-License-Identifier: Apache-2.0
// CRC-32 (zlib's) computed bit by bit, independent of the library's table-driven code, for the
// tests and the fuzz harnesses to check the library's CRCs against.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvantis {
namespace testing {

inline uint32_t reference_crc32(const unsigned char* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

}  // namespace testing
}  // namespace orvantis
