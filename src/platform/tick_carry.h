// A 32-bit millisecond count carried into 64 bits: a wrap shows as the count
// going down between two readings, so the carry holds while readings come at
// least once per wrap period (49.7 days of milliseconds).
#pragma once
#include <cstdint>

namespace corvane::platform {

class TickCarry {
 public:
  std::uint64_t Next(std::uint32_t now) {
    if (now < last_) ++wraps_;
    last_ = now;
    return (static_cast<std::uint64_t>(wraps_) << 32) | now;
  }

 private:
  std::uint32_t last_ = 0;
  std::uint32_t wraps_ = 0;
};

}  // namespace corvane::platform
