#include "cpu/clock_rate.h"

namespace corvane::cpu {

double ClockMhz(std::uint64_t tsc_ticks, std::uint64_t timer_ticks, std::uint64_t timer_frequency) {
  double seconds = kNominalClockSampleSeconds;
  if (timer_ticks != 0 && timer_frequency != 0) {
    seconds = static_cast<double>(timer_ticks) / static_cast<double>(timer_frequency);
  }
  return static_cast<double>(tsc_ticks) / seconds / 1e6;
}

}  // namespace corvane::cpu
