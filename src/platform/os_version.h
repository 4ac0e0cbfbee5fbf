// The system's version record, as GetVersionEx reports it, in plain fields:
// what every reader that decides by Windows version looks at.
#pragma once
#include <cstdint>
#include <string>

namespace corvane::platform {

enum : std::uint32_t { kPlatformWin32s = 0, kPlatformWindows = 1, kPlatformNt = 2, kPlatformCe = 3 };

struct VersionRecord {
  std::uint32_t major = 0, minor = 0, build = 0, platform = 0;
  std::wstring csd;  // szCSDVersion
  std::uint16_t suite_mask = 0;
  std::uint8_t product_type = 0;  // 1 workstation, 2 domain controller, 3 server
  bool extended = false;          // suite mask and product type were delivered
};

}  // namespace corvane::platform
