// SPDX-License-Identifier: Apache-2.0
// Byte access to images and buffers: bounds-checked, fixed-width, byte order written once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvantis {

// True when [offset, offset + length) lies inside a buffer of `size` bytes, without overflow.
inline bool range_inside(size_t size, size_t offset, size_t length) {
  return offset <= size && length <= size - offset;
}

// The `width`-byte number (1 to 4) at p, most significant byte first (be) or last (le).
inline uint32_t load_be(const unsigned char* p, uint32_t width) {
  uint32_t v = 0;
  for (uint32_t i = 0; i < width; ++i) v = v << 8 | p[i];
  return v;
}
inline uint32_t load_le(const unsigned char* p, uint32_t width) {
  uint32_t v = 0;
  for (uint32_t i = width; i-- > 0;) v = v << 8 | p[i];
  return v;
}
inline void store_be(unsigned char* p, uint32_t v, uint32_t width) {
  for (uint32_t i = width; i-- > 0; v >>= 8) p[i] = static_cast<unsigned char>(v);
}
inline uint32_t load_be32(const unsigned char* p) { return load_be(p, 4); }
inline void store_be32(unsigned char* p, uint32_t v) { store_be(p, v, 4); }
inline uint64_t load_be64(const unsigned char* p) { return uint64_t{load_be32(p)} << 32 | load_be32(p + 4); }
inline void store_be64(unsigned char* p, uint64_t v) {
  store_be32(p, static_cast<uint32_t>(v >> 32));
  store_be32(p + 4, static_cast<uint32_t>(v));
}

}  // namespace orvantis
