// The favourites on disk: the folder walk of internet_favourites.h over the
// file system, from the Favorites folder the shell names for the user.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "network/internet_favourites.h"

namespace corvane::network {

// Folders and Internet shortcut files as the file system lists them.
class DiskFavourites : public FavouritesFolders {
 public:
  std::vector<Entry> Shortcuts(const std::wstring& folder) override;
  std::vector<Entry> Entries(const std::wstring& folder) override;
  std::wstring ShortcutUrl(const std::wstring& file) override;
};

// The user's Favorites folder as the shell names it; nullopt when it names none.
std::optional<std::wstring> FavouritesFolderPath(HWND owner);
// The addresses of every favourite; nullopt when the shell names no folder.
std::optional<std::vector<std::wstring>> ReadFavourites(HWND owner);

}  // namespace corvane::network
