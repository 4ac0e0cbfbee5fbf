#include "network/internet_favourites_win.h"

#include <shlobj.h>

#include <algorithm>

#include "platform/com_win.h"
#include "platform/folder_win.h"

namespace corvane::network {
namespace {

// Every entry matching `pattern` in `folder`, directories included, in the
// order the file system gives them.
std::vector<FavouritesFolders::Entry> Find(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<FavouritesFolders::Entry> entries;
  for (platform::FolderEntry& found : platform::ListFolder(folder, pattern)) {
    entries.push_back({std::move(found.name), found.directory});
  }
  return entries;
}

}  // namespace

std::vector<FavouritesFolders::Entry> DiskFavourites::Shortcuts(const std::wstring& folder) {
  return Find(folder, L"*.url");
}

std::vector<FavouritesFolders::Entry> DiskFavourites::Entries(const std::wstring& folder) {
  return Find(folder, L"*.*");
}

std::wstring DiskFavourites::ShortcutUrl(const std::wstring& file) {
  // An address may be longer than any fixed buffer: a cut one would open
  // another page, so the buffer grows until the text fits.
  std::wstring url(2048, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(url.size());
    const DWORD length = GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", url.data(), size, file.c_str());
    if (length + 1 < size || size >= 1u << 20) {
      url.resize(std::min(length, size));
      return url;
    }
    url.assign(static_cast<std::size_t>(size) * 2, L'\0');
  }
}

std::optional<std::wstring> FavouritesFolderPath(HWND owner) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_FAVORITES, &items)) || !items) return std::nullopt;
  wchar_t path[MAX_PATH + 1] = {};
  const bool named = SHGetPathFromIDListW(items, path) != FALSE;
  // The list belongs to the shell's allocator.
  platform::ComPtr<IMalloc> allocator;
  if (SUCCEEDED(SHGetMalloc(allocator.put()))) allocator->Free(items);
  if (!named) return std::nullopt;
  return std::wstring(path);
}

std::optional<std::vector<std::wstring>> ReadFavourites(HWND owner) {
  const auto folder = FavouritesFolderPath(owner);
  if (!folder) return std::nullopt;
  DiskFavourites disk;
  return CollectFavourites(disk, *folder);
}

}  // namespace corvane::network
