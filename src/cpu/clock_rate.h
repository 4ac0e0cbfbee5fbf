// The processor clock rate from a time-stamp count.
#pragma once
#include <cstdint>

namespace corvane::cpu {

// The clock in MHz from a time-stamp count over an interval measured by a
// second timer (ticks and ticks per second). Without a usable timer
// (frequency or ticks 0) the interval is taken as the nominal half second.
inline constexpr double kNominalClockSampleSeconds = 0.5;
double ClockMhz(std::uint64_t tsc_ticks, std::uint64_t timer_ticks, std::uint64_t timer_frequency);

}  // namespace corvane::cpu
