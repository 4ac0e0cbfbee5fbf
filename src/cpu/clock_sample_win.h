// The processor clock, measured: time-stamp ticks against the performance
// counter over half a second.
#pragma once
#include <functional>
#include <optional>

#include "cpu/clock_sampler.h"

namespace corvane::cpu {

// Time-stamp ticks over about half a second, with the same interval on the
// performance counter. The process runs at real-time priority and the calling
// thread at time-critical priority on one processor during the sample; both
// get their own settings back afterwards. Samples never overlap: a second
// caller waits for the first to end, since each puts back what it found.
// Nullopt when the processor has no time-stamp counter.
std::optional<ClockSample> SampleCpuClock();

// The same with `interval` in place of the half-second sleep between the two
// readings: it runs with the raised settings in force, so a test can look at
// them from the sampling thread.
std::optional<ClockSample> SampleCpuClock(const std::function<void()>& interval);

}  // namespace corvane::cpu
