// Which Windows runs here, decided on the fields of the version record alone.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/collectors/summary_collectors.h"

namespace corvane::app {

enum : std::uint32_t { kPlatformWin32s = 0, kPlatformWindows = 1, kPlatformNt = 2, kPlatformCe = 3 };

struct VersionRecord {
  std::uint32_t major = 0, minor = 0, build = 0, platform = 0;
  std::wstring csd;  // szCSDVersion
  std::uint16_t suite_mask = 0;
  std::uint8_t product_type = 0;  // 1 workstation, 2 domain controller, 3 server
  bool extended = false;          // suite mask and product type were delivered
};

// NT 4 without the extended record names its edition in the registry
// (ProductOptions\ProductType); the reader is asked only in that case and
// gives nullopt when the key or value cannot be read.
using ProductTypeReader = std::function<std::optional<std::wstring>()>;

WindowsIdentity IdentifyWindows(const VersionRecord& record, const ProductTypeReader& product_type);

// The hardware report's short name, from the plain record.
std::wstring ShortWindowsName(const VersionRecord& record);

}  // namespace corvane::app
