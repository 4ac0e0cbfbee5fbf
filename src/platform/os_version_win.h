// Reads the version record of this system.
#pragma once
#include <optional>

#include "platform/os_version.h"

namespace corvane::platform {

// GetVersionExA with the extended record, else the plain one; on the NT
// family the version and build are the true ones (RtlGetVersion), whatever
// the manifest claims. nullopt when the system cannot report its version.
std::optional<VersionRecord> ReadVersionRecord();

}  // namespace corvane::platform
