// The system's time accounts for the load displays, through the native
// system-information call (looked up in ntdll.dll on first use, so the
// program still starts where it is missing).
#pragma once
#include <optional>
#include <stdexcept>

#include "cpu/cpu_usage.h"

namespace corvane::cpu {

// Thrown when the system has no native system-information call (the
// Windows 9x family): no load can ever be read there.
class SystemTimesUnavailable : public std::runtime_error {
 public:
  SystemTimesUnavailable();
};

// One reading, or nullopt when one of the three queries fails (its status
// is not 0). Throws SystemTimesUnavailable as above.
std::optional<SystemTimes> ReadSystemTimes();

}  // namespace corvane::cpu
