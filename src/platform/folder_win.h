// A folder's entries as the file system lists them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

struct FolderEntry {
  std::wstring name;
  bool directory = false;
};

// Every entry of `folder` whose name matches `pattern` ("*.*": all), of
// every kind (subfolders, hidden and system files included), not
// descending, in the order the file system gives them; "." and ".." come
// back when the system gives them. Empty when the folder cannot be searched
// or is not named: an empty folder would make the pattern name the current
// drive's root.
std::vector<FolderEntry> ListFolder(std::wstring_view folder, std::wstring_view pattern);

}  // namespace corvane::platform
