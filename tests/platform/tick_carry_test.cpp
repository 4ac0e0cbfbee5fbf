#include "platform/tick_carry.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(TickCarry, CarriesEachWrapIntoTheHighPart) {
  TickCarry carry;
  EXPECT_EQ(carry.Next(5), 5u);
  EXPECT_EQ(carry.Next(0xFFFFFFF0u), 0xFFFFFFF0u);
  EXPECT_EQ(carry.Next(0xFFFFFFF0u), 0xFFFFFFF0u) << "an unchanged count is no wrap";
  EXPECT_EQ(carry.Next(3), 0x100000003u);
  EXPECT_EQ(carry.Next(0x80000000u), 0x180000000u);
  EXPECT_EQ(carry.Next(1), 0x200000001u);
}

}  // namespace
}  // namespace corvane::platform
