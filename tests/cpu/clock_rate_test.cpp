#include "cpu/clock_rate.h"

#include <gtest/gtest.h>

namespace corvane::cpu {
namespace {

TEST(ClockMhz, MeasuredIntervalOrTheNominalHalfSecond) {
  EXPECT_DOUBLE_EQ(ClockMhz(1'000'000'000, 0, 0), 2000.0);
  EXPECT_DOUBLE_EQ(ClockMhz(1'000'000'000, 5'000'000, 10'000'000), 2000.0);
  // Sleep overshot to 0.625 s: the timer's interval counts, not the nominal one.
  EXPECT_DOUBLE_EQ(ClockMhz(1'250'000'000, 6'250'000, 10'000'000), 2000.0);
  // More than 2^32 ticks in the sample is not wrapped.
  EXPECT_DOUBLE_EQ(ClockMhz(5'000'000'000, 0, 0), 10000.0);
}

}  // namespace
}  // namespace corvane::cpu
