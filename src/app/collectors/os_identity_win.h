// The version record of this system, and the identification built from it.
#pragma once
#include <optional>
#include <string>

#include "app/collectors/os_identity.h"
#include "platform/os_version_win.h"

namespace corvane::app {

using platform::IsWow64Process;
using platform::ReadVersionRecord;

// Name, version and service pack of this system (empty when unknown).
WindowsIdentity IdentifyThisWindows();
// The short name for the hardware report.
std::wstring ShortWindowsNameOfThisSystem();

}  // namespace corvane::app
