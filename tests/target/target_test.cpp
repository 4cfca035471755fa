// SPDX-License-Identifier: Apache-2.0
// Built only in the cross build and run on the target's instruction set (under qemu-arm): proves
// that this build really is the 32-bit target and that the descriptor entry has the target's
// binary layout. (tests/number_test.cpp compares the number helpers with the target's C library.)
#include <sys/types.h>

#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "vpd_access/vpd.h"

// The compile-time layout proof in vpd_access/vpd.h is guarded by this condition; a build that
// passes here has taken it.
static_assert(sizeof(void*) == 4, "the cross build must have 4-byte pointers");
static_assert(UINTPTR_MAX == 0xFFFFFFFFu, "the descriptor layout proof must be compiled");
static_assert(sizeof(long) == 4, "the target's long is 32 bits");
static_assert(sizeof(off_t) == 8, "the project builds with 64-bit file offsets");

namespace orvantis {
namespace {

TEST(Target, DescriptorTablesHaveTwentyByteStride) {
  // The tables are arrays of the entry, so their stride is the entry size the library exports.
  const char* first = reinterpret_cast<const char*>(&vpd_lib::BlockX[0]);
  const char* second = reinterpret_cast<const char*>(&vpd_lib::BlockX[1]);
  EXPECT_EQ(second - first, 20);
  EXPECT_EQ(offsetof(vpd_lib::FieldDescriptor, name), 12u);
  EXPECT_EQ(offsetof(vpd_lib::FieldDescriptor, pad), 16u);
}

}  // namespace
}  // namespace orvantis
