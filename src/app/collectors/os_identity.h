// Which Windows runs here, decided on the fields of the version record alone.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/collectors/summary_collectors.h"
#include "platform/os_version.h"

namespace corvane::app {

// The record lives with the platform layer, which reads it; the names stay
// usable here.
using platform::VersionRecord;
using platform::kPlatformCe;
using platform::kPlatformNt;
using platform::kPlatformWin32s;
using platform::kPlatformWindows;

// NT 4 without the extended record names its edition in the registry
// (ProductOptions\ProductType); the reader is asked only in that case and
// gives nullopt when the key or value cannot be read.
using ProductTypeReader = std::function<std::optional<std::wstring>()>;

WindowsIdentity IdentifyWindows(const VersionRecord& record, const ProductTypeReader& product_type);

// The hardware report's short name, from the plain record.
std::wstring ShortWindowsName(const VersionRecord& record);

}  // namespace corvane::app
