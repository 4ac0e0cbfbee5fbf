// The version record of this system, and the identification built from it.
#pragma once
#include <optional>
#include <string>

#include "app/collectors/os_identity.h"
#include "platform/os_version_win.h"

namespace corvane::app {

using platform::ReadVersionRecord;

// Name, version and service pack of this system (empty when unknown).
WindowsIdentity IdentifyThisWindows();
// A 32-bit process on 64-bit Windows; throws when the test itself fails.
bool IsWow64Process();
// The short name for the hardware report.
std::wstring ShortWindowsNameOfThisSystem();

}  // namespace corvane::app
