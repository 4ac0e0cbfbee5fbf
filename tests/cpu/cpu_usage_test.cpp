#include "cpu/cpu_usage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace corvane::cpu {
namespace {

constexpr std::int64_t kSecond = 10'000'000;  // 100-ns units

TEST(CpuUsage, PercentBetweenTwoReadings) {
  const struct {
    const char* what;
    SystemTimes previous, current;
    std::optional<double> usage;
  } cases[] = {
      {"half idle, one processor", {kSecond, 50 * kSecond, 1}, {kSecond + kSecond / 2, 51 * kSecond, 1}, 50.5},
      {"one of two idle", {kSecond, 50 * kSecond, 2}, {2 * kSecond, 51 * kSecond, 2}, 50.5},
      {"all idle", {kSecond, 50 * kSecond, 1}, {2 * kSecond, 51 * kSecond, 1}, 0.5},
      {"all busy", {kSecond, 50 * kSecond, 4}, {kSecond, 51 * kSecond, 4}, 100.5},
      // Idle accounting a little ahead of the clock: slightly below zero, not clamped here.
      {"idle ahead of clock", {kSecond, 50 * kSecond, 1}, {2 * kSecond + kSecond / 10, 51 * kSecond, 1}, -9.5},
      {"no earlier reading", {0, 0, 0}, {kSecond, 50 * kSecond, 1}, std::nullopt},
      {"no time passed", {kSecond, 50 * kSecond, 1}, {kSecond, 50 * kSecond, 1}, std::nullopt},
      {"clock went back", {kSecond, 50 * kSecond, 1}, {kSecond, 49 * kSecond, 1}, std::nullopt},
      {"no processor count", {kSecond, 50 * kSecond, 1}, {kSecond, 51 * kSecond, 0}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto usage = UsagePercent(c.previous, c.current);
    ASSERT_EQ(usage.has_value(), c.usage.has_value());
    if (usage) {
      EXPECT_NEAR(*usage, *c.usage, 1e-9);
    }
  }
}

TEST(CpuUsage, SamplerComparesWithTheLastGoodReading) {
  UsageSampler sampler;
  EXPECT_FALSE(sampler.Take(SystemTimes{kSecond, 50 * kSecond, 1})) << "the first reading has nothing to compare with";
  const auto second = sampler.Take(SystemTimes{kSecond + kSecond / 2, 51 * kSecond, 1});
  ASSERT_TRUE(second);
  EXPECT_NEAR(*second, 50.5, 1e-9);
  // A failed reading gives nothing and keeps the previous one.
  EXPECT_FALSE(sampler.Take(std::nullopt));
  EXPECT_EQ(sampler.previous(), (SystemTimes{kSecond + kSecond / 2, 51 * kSecond, 1}));
  const auto fourth = sampler.Take(SystemTimes{kSecond + kSecond / 2, 53 * kSecond, 1});
  ASSERT_TRUE(fourth);
  EXPECT_NEAR(*fourth, 100.5, 1e-9) << "two seconds without idle time since the last good reading";
}

TEST(CpuUsage, LabelAndBar) {
  EXPECT_EQ(UsageLabelText(50.5, L"."), L"50.5 %");
  EXPECT_EQ(UsageLabelText(50.5, L","), L"50,5 %");
  EXPECT_EQ(UsageLabelText(37.4 + 0.5, L"."), L"37.9 %");
  EXPECT_EQ(UsageLabelText(0.5, L"."), L"0.5 %");
  EXPECT_EQ(UsageLabelText(100.5, L"."), L"100.5 %");
  EXPECT_EQ(UsageLabelText(std::nan(""), L"."), L"0.0 %");

  // The bar clamps; the chart gets the load truncated but otherwise as it is.
  const struct {
    double usage;
    int bar, chart;
  } bars[] = {{50.5, 50, 50},   {0.5, 0, 0},     {99.99, 99, 99},   {100.5, 100, 100},
              {101.2, 100, 101}, {250, 100, 250}, {-9.5, 0, -9},     {-0.7, 0, 0},
              {1e12, 100, 1000}, {-1e12, 0, -1000},
              {std::numeric_limits<double>::quiet_NaN(), 0, 0},
              {std::numeric_limits<double>::infinity(), 100, 1000}};
  for (const auto& b : bars) {
    EXPECT_EQ(UsageBarPosition(b.usage), b.bar) << b.usage;
    EXPECT_EQ(UsageChartLoad(b.usage), b.chart) << b.usage;
  }
}

TEST(CpuUsage, ReadingFromTheSystemRecords) {
  // The basic record as a 32-bit and as a 64-bit process gets it: the
  // processor count sits behind three pointer-sized fields. The filler makes
  // a count read from the other layout's offset come out wrong.
  for (const BasicInformationLayout& layout : {kBasicInformation32, kBasicInformation64}) {
    SCOPED_TRACE(layout.size);
    std::vector<std::uint8_t> basic(layout.size, 0xA5), time(kTimeOfDayInformationSize),
        perf(kPerformanceInformationMinSize);
    basic[layout.processor_count_offset] = 2;
    // Low halves with the top bit set must not turn negative.
    const std::uint64_t now = 0x01D9'0000'8000'0001ull, idle = 0x0000'0001'FFFF'FFFEull;
    for (int i = 0; i < 8; ++i) {
      time[kSystemTimeOffset + i] = static_cast<std::uint8_t>(now >> (8 * i));
      perf[kIdleTimeOffset + i] = static_cast<std::uint8_t>(idle >> (8 * i));
    }
    const auto t = ParseSystemTimes(basic, time, perf, layout);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->processors, 2);
    EXPECT_EQ(t->system_time, static_cast<std::int64_t>(now));
    EXPECT_EQ(t->idle_time, static_cast<std::int64_t>(idle));

    EXPECT_FALSE(ParseSystemTimes(std::span(basic).first(layout.processor_count_offset), time, perf, layout));
    EXPECT_FALSE(ParseSystemTimes(basic, std::span(time).first(15), perf, layout));
    EXPECT_FALSE(ParseSystemTimes(basic, time, std::span(perf).first(7), layout));
  }
}

}  // namespace
}  // namespace corvane::cpu
