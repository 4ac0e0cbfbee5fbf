#include "network/internet_readers_win.h"

// after windows.h
#include <objbase.h>
#include <winver.h>

#include <exception>

#include "network/internet_favourites_win.h"
#include "platform/registry_win.h"

namespace corvane::network {
namespace {

constexpr wchar_t kIeKey[] = L"Software\\Microsoft\\Internet Explorer";
constexpr wchar_t kTypedUrlsKey[] = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr wchar_t kFirefoxKey[] = L"\\SOFTWARE\\Mozilla\\Mozilla Firefox\\";
constexpr wchar_t kChromeKey[] = L"Software\\Google\\Update\\Clients\\{8A69D345-D564-463c-AFF1-A69D9E530F96}";
constexpr wchar_t kOperaFile[] = L"c:\\Program Files\\Opera\\opera.exe";
constexpr wchar_t kSafariFile[] = L"c:\\Program Files\\Safari\\safari.exe";

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring ReadRegistryText(HKEY root, std::wstring_view path, std::wstring_view name, KeyOpening opening,
                              REGSAM view) {
  try {
    platform::Registry reg(KEY_ALL_ACCESS | view);
    reg.SetRoot(root);
    // Creating asks for full rights, which a user without administrator
    // rights lacks below HKEY_LOCAL_MACHINE: an existing key is still read.
    const bool open = (opening == KeyOpening::kCreate && reg.OpenKey(path, true)) || reg.OpenKeyReadOnly(path);
    return open ? reg.ReadString(name) : std::wstring();
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<bool> ReadOfflineState() {
  using InetIsOfflineFn = BOOL(WINAPI*)(DWORD);
  // Loaded on first use and kept: the window asks again on every refresh.
  static const HMODULE library = LoadLibraryW(L"url.dll");
  if (!library) return std::nullopt;
  const auto is_offline =
      reinterpret_cast<InetIsOfflineFn>(reinterpret_cast<void*>(GetProcAddress(library, "InetIsOffline")));
  if (!is_offline) return std::nullopt;
  return is_offline(0) != FALSE;
}

bool IsFlashRegistered() {
  // The classes of this program's own view: a control it could load.
  CLSID clsid{};
  return CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &clsid) == S_OK;
}

std::vector<std::wstring> ReadTypedUrls() {
  std::vector<std::wstring> urls;
  try {
    // The user's own key, one for 32-bit and 64-bit programs.
    platform::Registry reg;
    if (!reg.OpenKeyReadOnly(kTypedUrlsKey)) return urls;
    for (const std::wstring& name : reg.ValueNames()) {
      try {
        urls.push_back(reg.ReadString(name));
      } catch (const platform::RegistryError&) {
        // Not an address: the others still are.
      }
    }
  } catch (const std::exception&) {
  }
  return urls;
}

std::optional<std::vector<FlagValue>> ReadIeFlagValues(std::wstring_view key_path) {
  platform::Registry reg;  // the user's, not redirected
  if (!reg.OpenKeyReadOnly(key_path)) return std::nullopt;
  std::vector<FlagValue> values;
  values.reserve(kIeFlagNames.size());
  for (const std::wstring_view name : kIeFlagNames) {
    try {
      values.emplace_back(reg.ReadString(name));
    } catch (const std::exception&) {
      values.emplace_back(std::nullopt);  // a number or data: never a tick
    }
  }
  return values;
}

std::wstring ReadInternetExplorerVersion() {
  try {
    // Both views carry a Version; the 64-bit view holds the system's own
    // browser registration on 64-bit Windows.
    platform::Registry reg(KEY_READ | platform::SystemViewFlag());
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    if (reg.OpenKeyReadOnly(kIeKey) && reg.ValueExists(L"Version")) return reg.ReadString(L"Version");
  } catch (const std::exception&) {
  }
  return L"Not Installed";
}

std::wstring ReadFirefoxVersion() {
  // Firefox registers in the view of its own build: a 64-bit one in the
  // 64-bit view, a 32-bit one below WOW6432Node. The first view that has
  // the key answers, the 64-bit one first.
  try {
    for (const platform::RegistryView& view : platform::SystemSoftwareViews()) {
      platform::Registry reg(KEY_READ | view.flag);
      reg.SetRoot(HKEY_LOCAL_MACHINE);
      if (reg.OpenKeyReadOnly(kFirefoxKey)) return reg.ReadString(L"CurrentVersion");
    }
    return L"NOT Installed";
  } catch (const std::exception&) {
    return {};
  }
}

std::wstring ReadChromeVersion() {
  // Per user, and the user's key is not redirected.
  return ReadRegistryText(HKEY_CURRENT_USER, kChromeKey, L"pv", KeyOpening::kExisting);
}

std::optional<std::wstring> ProgramFileVersion(const std::wstring& path) {
  if (!FileExists(path)) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::wstring();
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::wstring();
  void* block = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", &block, &length) || !block || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::wstring();
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  return FileVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

BrowserReadings ReadBrowsers() {
  return {ReadInternetExplorerVersion(), ReadFirefoxVersion(), ReadChromeVersion(), ProgramFileVersion(kOperaFile),
          ProgramFileVersion(kSafariFile)};
}

InternetWindowModel ReadInternetWindowModel(HWND owner, const std::vector<std::wstring>& favourites_before) {
  constexpr wchar_t kMain[] = L"\\SOFTWARE\\Microsoft\\Internet Explorer\\Main";
  InternetWindowModel m;
  // The system's browser registration lives in the 64-bit view on 64-bit
  // Windows; the rows after it are the user's, which is not redirected.
  m.product_id = ReadRegistryText(HKEY_LOCAL_MACHINE, L"\\SOFTWARE\\Microsoft\\Internet Explorer\\Registration\\",
                                  L"ProductID", KeyOpening::kCreate, platform::SystemViewFlag());
  m.status = InternetStatusText(ReadOfflineState());
  m.start_page = ReadRegistryText(HKEY_CURRENT_USER, kMain, L"Start Page", KeyOpening::kCreate);
  m.search_page = ReadRegistryText(HKEY_CURRENT_USER, kMain, L"Search Page", KeyOpening::kCreate);
  m.download_directory = ReadRegistryText(HKEY_CURRENT_USER, L"\\SOFTWARE\\Microsoft\\Internet Explorer\\",
                                          L"Download Directory", KeyOpening::kCreate);
  m.local_page = ReadRegistryText(HKEY_CURRENT_USER, kMain, L"Local Page", KeyOpening::kCreate);
  m.favourites = ReadFavourites(owner).value_or(favourites_before);
  m.typed_urls = ReadTypedUrls();
  IeFlagsView flags = BuildIeFlags(ReadIeFlagValues());
  m.flags = flags.ticked;
  m.message = std::move(flags.message);
  m.flash = FlashText(IsFlashRegistered());
  m.browsers = BuildBrowsers(ReadBrowsers());
  return m;
}

}  // namespace corvane::network
