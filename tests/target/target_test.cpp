// Built only in the cross build and run on the target's instruction set (under qemu-arm): proves
// that this build really is the 32-bit target, that the descriptor entry has the target's binary
// layout, and that the number helpers agree with the target's own C library.
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/fixture.h"
#include "util/number.h"
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

// The helpers exist so that 64-bit hosts give these results; here the C library gives them
// itself, so each row is checked against the real strtoul / strtol.
TEST(Target, NumberHelpersAgreeWithTheTargetCLibrary) {
  struct Row {
    const char* text;
    int base;
  } rows[] = {
      {"0", 0},           {"42", 10},          {"0x10", 0},        {"0x10", 10},
      {"017", 0},         {"09", 0},           {"  \t7", 0},       {"+5", 0},
      {"-1", 0},          {"-1", 10},          {"4294967295", 10}, {"4294967296", 10},
      {"4294967296", 0},  {"-4294967295", 10}, {"-4294967296", 10},
      {"2147483647", 10}, {"2147483648", 10},  {"-2147483648", 10}, {"-2147483649", 10},
      {"65792", 0},       {"0x10100", 0},      {"99999999999", 10}, {"0xFFFFFFFF", 0},
      {"0x100000000", 0}, {"123456789", 16},   {"0x", 0},          {"0xg", 16},
      {"zz", 16},         {"", 0},             {"-", 0},           {"12abc", 10},
      {"ff", 16},         {"037777777777", 0}, {"040000000000", 0},
  };
  for (const Row& r : rows) {
    char* c_end = nullptr;
    const char* end = nullptr;
    unsigned long c_unsigned = std::strtoul(r.text, &c_end, r.base);
    EXPECT_EQ(parse_ulong32(r.text, r.base, &end), c_unsigned)
        << "strtoul \"" << r.text << "\" base " << r.base;
    EXPECT_EQ(end, c_end) << "strtoul end \"" << r.text << "\" base " << r.base;

    long c_signed = std::strtol(r.text, &c_end, r.base);
    EXPECT_EQ(parse_long32(r.text, r.base, &end), c_signed)
        << "strtol \"" << r.text << "\" base " << r.base;
    EXPECT_EQ(end, c_end) << "strtol end \"" << r.text << "\" base " << r.base;
  }
}

// The end-to-end tests start the armhf tool through the emulator named by the build; a wrong
// emulator path or loader prefix shows up here as exit status 126/127 or a loader message.
TEST(Target, ToolStartsUnderTheEmulator) {
  testing::RunResult r = testing::run_orvantis({"-h"}, "");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.err.find("qemu"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("ld-linux"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace orvantis
