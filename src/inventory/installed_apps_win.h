// Reads the uninstall entries for the installed-applications window.
#pragma once
#include <windows.h>

#include <span>
#include <vector>

#include "inventory/installed_apps.h"

namespace corvane::inventory {

// The sources on this system: both views of the machine's key on 64-bit
// Windows, its one view elsewhere, then the current user's key.
const std::vector<UninstallSource>& SystemUninstallSources();

// Appends a row per uninstall entry of each source in turn (an entry that
// cannot be opened, or names no application, is left out), in the order
// the registry gives the entries. A missing key appends nothing. A value
// that is no text throws platform::RegistryError, and the rows appended
// before it stay in `rows` for the caller to show.
void ReadInstalledApps(std::vector<AppRow>& rows, std::span<const UninstallSource> sources = SystemUninstallSources());

}  // namespace corvane::inventory
