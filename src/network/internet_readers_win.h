// What the internet window reads from the system: registry rows, the
// online state, the Flash control's registration, the typed addresses, the
// flag values and the browsers. The summary's browser row reads the
// built-in browser's version here too.
//
// Keys that are only read open read-only, so a user without administrator
// rights still sees what is there; a row whose key is opened with creation
// creates it where the user may, and otherwise still reads an existing key.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/internet_view.h"

namespace corvane::network {

enum class KeyOpening {
  kExisting,  // a missing key stays missing
  kCreate,    // a missing key is created empty (where the user may)
};
// The string value `name` of `path` below `root`, opened in the registry
// view `view` names (KEY_WOW64_64KEY...; 0 for the program's own); empty
// when the key does not open, the value is missing or it is not text.
std::wstring ReadRegistryText(HKEY root, std::wstring_view path, std::wstring_view name, KeyOpening opening,
                              REGSAM view = 0);

// The key of the built-in browser's flags, below HKEY_CURRENT_USER.
inline constexpr wchar_t kIeMainKey[] = L"\\Software\\Microsoft\\Internet Explorer\\Main\\";

// The system's answer whether it is offline; nullopt when URL.DLL or its
// InetIsOffline is missing.
std::optional<bool> ReadOfflineState();
// The Flash control's programmatic identifier names a class.
bool IsFlashRegistered();
// The values of the typed-address key, in the registry's order; empty when
// the key is missing. A value that is not text is left out.
std::vector<std::wstring> ReadTypedUrls();
// One value per name of kIeFlagNames (nullopt for one that is not text);
// nullopt when the key `key_path` below HKEY_CURRENT_USER does not open.
std::optional<std::vector<FlagValue>> ReadIeFlagValues(std::wstring_view key_path = kIeMainKey);

// The built-in browser's version, or "Not Installed" when it cannot be read.
std::wstring ReadInternetExplorerVersion();
// Firefox's current version; "NOT Installed" without its key in any
// registry view, empty when the key has no readable version.
std::wstring ReadFirefoxVersion();
// Chrome's version for this user; empty when missing.
std::wstring ReadChromeVersion();
// nullopt when no file is at `path`; else its version resource's fixed file
// version (FileVersionText), empty when it has none.
std::optional<std::wstring> ProgramFileVersion(const std::wstring& path);
BrowserReadings ReadBrowsers();

// A whole refresh, in the window's order (some reads create their keys
// first). `favourites_before` stays the list when the shell names no
// Favorites folder; `owner` is the window the shell may ask on behalf of.
InternetWindowModel ReadInternetWindowModel(HWND owner, const std::vector<std::wstring>& favourites_before);

}  // namespace corvane::network
