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
  Start();
  if (!pending_.valid()) return sample_();
  if (pending_.wait_for(bound) != std::future_status::ready) return std::nullopt;
  return pending_.get();  // leaves nothing pending, whether it returns or throws
}

}  // namespace corvane::cpu
