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

inline uint16_t load_be16(const unsigned char* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint16_t load_le16(const unsigned char* p) {
  return static_cast<uint16_t>((p[1] << 8) | p[0]);
}
inline uint32_t load_be32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
inline uint32_t load_le32(const unsigned char* p) {
  return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}
inline void store_be16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v >> 8);
  p[1] = static_cast<unsigned char>(v);
}
inline void store_be32(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

}  // namespace orvantis
