#include "cpu/cpu_usage.h"

#include <algorithm>
#include <cmath>

#include "platform/number_text.h"

namespace corvane::cpu {
namespace {

std::int64_t LoadInt64(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
  return static_cast<std::int64_t>(v);
}

}  // namespace

std::optional<SystemTimes> ParseSystemTimes(std::span<const std::uint8_t> basic,
                                            std::span<const std::uint8_t> time_of_day,
                                            std::span<const std::uint8_t> performance,
                                            const BasicInformationLayout& layout) {
  if (basic.size() <= layout.processor_count_offset || time_of_day.size() < kSystemTimeOffset + 8 ||
      performance.size() < kIdleTimeOffset + 8) {
    return std::nullopt;
  }
  SystemTimes t;
  t.processors = basic[layout.processor_count_offset];
  t.system_time = LoadInt64(time_of_day, kSystemTimeOffset);
  t.idle_time = LoadInt64(performance, kIdleTimeOffset);
  return t;
}

std::optional<double> UsagePercent(const SystemTimes& previous, const SystemTimes& current) {
  if (previous.idle_time == 0 || current.processors <= 0) return std::nullopt;
  const double d_idle = static_cast<double>(current.idle_time) - static_cast<double>(previous.idle_time);
  const double d_time = static_cast<double>(current.system_time) - static_cast<double>(previous.system_time);
  // Two readings within one clock step would divide by zero.
  if (!(d_time > 0)) return std::nullopt;
  return 100.0 - (d_idle / d_time) * 100.0 / current.processors + 0.5;
}

std::optional<double> UsageSampler::Take(const std::optional<SystemTimes>& reading) {
  if (!reading) return std::nullopt;
  const auto usage = UsagePercent(previous_, *reading);
  previous_ = *reading;
  return usage;
}

std::wstring UsageLabelText(double usage, std::wstring_view decimal) {
  if (!std::isfinite(usage)) usage = 0;
  return platform::OneDecimal(usage, decimal).value_or(std::wstring()) + L" %";
}

int UsageBarPosition(double usage) {
  if (!(usage > 0)) return 0;  // NaN too
  if (usage >= 100) return 100;
  return static_cast<int>(usage);
}

int UsageChartLoad(double usage) {
  if (std::isnan(usage)) return 0;
  // Converting a double beyond int's range would be undefined.
  constexpr double kFar = 1000;
  return static_cast<int>(std::clamp(usage, -kFar, kFar));
}

}  // namespace corvane::cpu
