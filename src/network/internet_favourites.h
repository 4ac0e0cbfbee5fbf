// The addresses of the built-in browser's favourites: every Internet
// shortcut (".url" file) of a folder tree, depth first. The folders are read
// through a small interface, so the walk runs on the disk (DiskFavourites,
// internet_favourites_win.h) and on an in-memory tree alike.
#pragma once
#include <string>
#include <vector>

namespace corvane::network {

class FavouritesFolders {
 public:
  struct Entry {
    std::wstring name;
    bool directory = false;
  };
  virtual ~FavouritesFolders() = default;
  // The entries of `folder` that match "*.url" (folders so named among
  // them), in the order the file system gives them.
  virtual std::vector<Entry> Shortcuts(const std::wstring& folder) = 0;
  // Every entry of `folder`, in the order the file system gives them.
  virtual std::vector<Entry> Entries(const std::wstring& folder) = 0;
  // The shortcut's address (key "URL" of section "InternetShortcut"); empty
  // when it has none.
  virtual std::wstring ShortcutUrl(const std::wstring& file) = 0;
};

// `folder` + "\" + `name`, without doubling a backslash already there.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The addresses of `folder`'s shortcuts, then those of each subfolder in
// turn (the same way, all levels down); a folder whose name begins with "."
// is not searched. A shortcut without an address gives an empty line; a
// folder named like a shortcut is searched as a folder, not read as one.
std::vector<std::wstring> CollectFavourites(FavouritesFolders& folders, const std::wstring& folder);

}  // namespace corvane::network
