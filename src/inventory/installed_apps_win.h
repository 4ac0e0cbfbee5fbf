// Reads the machine's uninstall entries for the installed-applications window.
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

#include "inventory/installed_apps.h"

namespace corvane::inventory {

// Appends a row per uninstall entry below `root` and `key` (an entry that
// cannot be opened, or names no application, is left out), in the order the
// registry gives the entries. A missing key appends nothing. A value that
// is no text throws platform::RegistryError, and the rows appended before it
// stay in `rows` for the caller to show.
void ReadInstalledApps(std::vector<AppRow>& rows, HKEY root = HKEY_LOCAL_MACHINE,
                       std::wstring_view key = kUninstallKey);

}  // namespace corvane::inventory
