// The processor clock sample on a worker thread. The sample spends half a
// second waiting between its two readings and needs no processor to itself,
// so whoever wants its result starts it early, does other work meanwhile and
// takes the result when it needs it.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>

namespace corvane::cpu {

// Time-stamp ticks over an interval, with the same interval on the
// performance counter (0 ticks and frequency when that counter is missing).
struct ClockSample {
  std::uint64_t tsc_ticks = 0;
  std::uint64_t timer_ticks = 0;
  std::uint64_t timer_frequency = 0;
  friend bool operator==(const ClockSample&, const ClockSample&) = default;
};

// At most one sample is pending at a time: started and not yet taken. The
// sampler belongs to one thread, which calls Start and Take; only the sample
// itself runs elsewhere.
class ClockSampler {
 public:
  // Takes one sample, on whatever thread calls it; nullopt when there is
  // nothing to measure. It may throw.
  using SampleFunction = std::function<std::optional<ClockSample>()>;

  explicit ClockSampler(SampleFunction sample);
  // Waits for a sample still running, so that nothing it uses goes away
  // before it ends.
  ~ClockSampler();
  ClockSampler(const ClockSampler&) = delete;
  ClockSampler& operator=(const ClockSampler&) = delete;

  // Starts a sample on a new thread unless one is pending, finished or not:
  // a sample nobody has taken yet is still the freshest there is. When no
  // thread can be made, nothing is pending and Take samples by itself.
  void Start() noexcept;

  // The pending sample's result, waiting up to `bound` for it; starts a
  // sample first when none is pending. Nullopt when the sample measured
  // nothing or did not finish in time; a late sample stays pending for the
  // next Take. A sample that threw passes its exception on, and is gone.
  std::optional<ClockSample> Take(std::chrono::milliseconds bound);

  // The result the last Take returned, for a second reader of the same
  // sample (the report's processor section shows the summary's clock, so
  // the two agree and the run waits for one sample, not two). Take's own
  // answer when nothing has been taken yet.
  std::optional<ClockSample> Last(std::chrono::milliseconds bound);

  bool pending() const { return pending_.valid(); }

 private:
  SampleFunction sample_;
  std::future<std::optional<ClockSample>> pending_;
  // The answer of the last Take, measured or not; none after a Take that
  // timed out or threw.
  std::optional<std::optional<ClockSample>> last_;
};

}  // namespace corvane::cpu
