// Reads the version record of this system.
#pragma once
#include <optional>

#include "platform/os_version.h"

namespace corvane::platform {

// GetVersionExA with the extended record, else the plain one; nullopt when
// the system cannot report its version at all.
std::optional<VersionRecord> ReadVersionRecord();

}  // namespace corvane::platform
