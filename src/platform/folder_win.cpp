#include "platform/folder_win.h"

#include <windows.h>

namespace corvane::platform {

std::vector<FolderEntry> ListFolder(std::wstring_view folder, std::wstring_view pattern) {
  std::vector<FolderEntry> entries;
  if (folder.empty()) return entries;
  std::wstring search_for(folder);
  if (search_for.back() != L'\\') search_for += L'\\';
  search_for += pattern;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(search_for.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

}  // namespace corvane::platform
