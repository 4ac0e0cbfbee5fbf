#include "network/internet_favourites.h"

namespace corvane::network {
namespace {

void Collect(FavouritesFolders& folders, const std::wstring& folder, std::vector<std::wstring>& out) {
  for (const FavouritesFolders::Entry& entry : folders.Shortcuts(folder)) {
    if (!entry.directory) out.push_back(folders.ShortcutUrl(JoinPath(folder, entry.name)));
  }
  for (const FavouritesFolders::Entry& entry : folders.Entries(folder)) {
    // "." and ".." among them: the folder itself and its parent.
    if (entry.directory && !entry.name.empty() && entry.name.front() != L'.') {
      Collect(folders, JoinPath(folder, entry.name), out);
    }
  }
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

std::vector<std::wstring> CollectFavourites(FavouritesFolders& folders, const std::wstring& folder) {
  std::vector<std::wstring> out;
  Collect(folders, folder, out);
  return out;
}

}  // namespace corvane::network
