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

// What Windows 8 and later record of their release beside the version
// (HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion); an absent value is
// empty. ProductName is kept only for naming the edition when EditionID is
// absent: Windows 11 still calls itself "Windows 10" there.
struct ReleaseFacts {
  std::wstring edition_id, product_name, display_version, release_id;
};
// Asked only for Windows 8 and later.
using ReleaseFactsReader = std::function<ReleaseFacts()>;

// Windows 8 and later are named from the version, build and product type
// (a true record: see ReadVersionRecord), with the edition and the feature
// release the system records; the release takes the service-pack place of
// the row, since these systems have none.
WindowsIdentity IdentifyWindows(const VersionRecord& record, const ProductTypeReader& product_type,
                                const ReleaseFactsReader& release = {});

// The hardware report's short name. A 5.2 workstation is XP x64, which only
// the extended record tells from Windows Server 2003.
std::wstring ShortWindowsName(const VersionRecord& record);

// The word-size suffix of row 1. A 64-bit program runs on 64-bit Windows
// only (and is no WOW64 process there, so the test cannot tell); a 32-bit
// one is on 64-bit Windows when it runs under WOW64. A failed WOW64 test
// (nullopt) leaves a 32-bit program's suffix empty.
std::wstring WordSizeSuffix(bool program_is_64_bit, std::optional<bool> wow64);

}  // namespace corvane::app
