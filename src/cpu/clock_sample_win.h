// The processor clock, measured: time-stamp ticks against the performance
// counter over half a second.
#pragma once
#include <cstdint>
#include <optional>

namespace corvane::cpu {

// Time-stamp ticks over about half a second, with the same interval on the
// performance counter (0 ticks and frequency when that counter is missing).
// The process and thread run at real-time, time-critical priority on one
// processor during the sample and get their own settings back afterwards.
// Nullopt when the processor has no time-stamp counter.
struct ClockSample {
  std::uint64_t tsc_ticks = 0;
  std::uint64_t timer_ticks = 0;
  std::uint64_t timer_frequency = 0;
};
std::optional<ClockSample> SampleCpuClock();

}  // namespace corvane::cpu
