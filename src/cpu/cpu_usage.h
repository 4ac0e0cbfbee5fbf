// Processor load from two readings of the system's time accounts: how much of
// the elapsed wall time the processors spent idle. The readings come from
// the native system-information call (system_times_win.h); everything that
// turns them into a percentage, a label or a bar position is here, free of
// Windows, so it is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::cpu {

// One reading. Times are 100-ns units.
struct SystemTimes {
  std::int64_t idle_time = 0;    // idle time summed over all processors
  std::int64_t system_time = 0;  // the current system time
  int processors = 0;
  friend bool operator==(const SystemTimes&, const SystemTimes&) = default;
};

// The records the native call fills: basic information (class 0), time of
// day (class 3) and performance information (class 2). The basic record holds
// three pointer-sized fields before the processor count, so its size and
// that offset depend on the caller's word size, and the call insists on the
// exact size. Later systems lengthened the performance record, so it is
// asked for with room to spare; its idle time stays at offset 0.
struct BasicInformationLayout {
  std::size_t size;
  std::size_t processor_count_offset;  // one byte
};
inline constexpr BasicInformationLayout kBasicInformation32{44, 40};
inline constexpr BasicInformationLayout kBasicInformation64{64, 56};
inline constexpr BasicInformationLayout kBasicInformation =
    sizeof(void*) == 8 ? kBasicInformation64 : kBasicInformation32;
inline constexpr std::size_t kTimeOfDayInformationSize = 32;
inline constexpr std::size_t kPerformanceInformationMinSize = 312;
inline constexpr std::size_t kPerformanceInformationRoom = 1024;
inline constexpr std::size_t kSystemTimeOffset = 8;  // 64-bit, in the time-of-day record
inline constexpr std::size_t kIdleTimeOffset = 0;    // 64-bit, in the performance record

// The reading the three records hold, the basic one in `layout`; nullopt
// when a record is shorter than its field needs.
std::optional<SystemTimes> ParseSystemTimes(std::span<const std::uint8_t> basic,
                                            std::span<const std::uint8_t> time_of_day,
                                            std::span<const std::uint8_t> performance,
                                            const BasicInformationLayout& layout = kBasicInformation);

// The load in percent between two readings, biased by +0.5 so that a
// truncation rounds: 100 - (idle delta / time delta) * 100 / processors + 0.5.
// Nullopt when there is no earlier reading to compare with (its idle time is
// 0, as before the first reading), when no time has passed, or when the
// processor count is not positive. The result is not clamped: timing jitter
// can put it slightly outside 0..100.
std::optional<double> UsagePercent(const SystemTimes& previous, const SystemTimes& current);

// The sampler state of one display: the previous reading. Each display keeps
// its own, so two displays sampling at their own pace do not shorten each
// other's interval.
class UsageSampler {
 public:
  // Compares with the previous reading, then keeps this one. A failed
  // reading (nullopt) gives nothing and keeps the previous reading.
  std::optional<double> Take(const std::optional<SystemTimes>& reading);
  const SystemTimes& previous() const { return previous_; }

 private:
  SystemTimes previous_{};
};

// "0.0 %": one decimal with the user's decimal separator, a blank, "%".
std::wstring UsageLabelText(double usage, std::wstring_view decimal);

// The load as a bar position: truncated towards zero, clamped to 0..100
// (NaN gives 0).
int UsageBarPosition(double usage);

// The load as the meters chart gets it: truncated towards zero and not
// clamped, since the chart tells a load outside 0..100 apart (NaN gives 0;
// a load beyond +-1000 stops there, still outside 0..100).
int UsageChartLoad(double usage);

}  // namespace corvane::cpu
