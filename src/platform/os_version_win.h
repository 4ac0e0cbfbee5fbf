// Reads the version record of this system.
#pragma once
#include <optional>

#include "platform/os_version.h"

namespace corvane::platform {

// GetVersionExA with the extended record, else the plain one; on the NT
// family the version and build are the true ones (RtlGetVersion), whatever
// the manifest claims. nullopt when the system cannot report its version.
std::optional<VersionRecord> ReadVersionRecord();

// A 32-bit process on 64-bit Windows. False where the system lacks the test
// (before XP SP2: no 64-bit Windows then); throws std::system_error when the
// test itself fails.
bool IsWow64Process();

}  // namespace corvane::platform
