#include "cpu/clock_sampler.h"

#include <utility>

namespace corvane::cpu {

ClockSampler::ClockSampler(SampleFunction sample) : sample_(std::move(sample)) {}

ClockSampler::~ClockSampler() {
  if (pending_.valid()) pending_.wait();
}

void ClockSampler::Start() noexcept {
  if (pending_.valid()) return;
  try {
    pending_ = std::async(std::launch::async, sample_);
  } catch (...) {
    pending_ = {};  // no thread (or no memory for one): Take samples by itself
  }
}

std::optional<ClockSample> ClockSampler::Take(std::chrono::milliseconds bound) {
  last_.reset();
  Start();
  if (!pending_.valid()) {
    last_ = sample_();
    return *last_;
  }
  if (pending_.wait_for(bound) != std::future_status::ready) return std::nullopt;
  last_ = pending_.get();  // leaves nothing pending, whether it returns or throws
  return *last_;
}

std::optional<ClockSample> ClockSampler::Last(std::chrono::milliseconds bound) {
  return last_ ? *last_ : Take(bound);
}

}  // namespace corvane::cpu
