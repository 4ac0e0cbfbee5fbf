#include "inventory/startup_readers_win.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/folder_win.h"
#include "platform/registry_win.h"

namespace corvane::inventory {
namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

}  // namespace

StartupPlaces SystemStartupPlaces() {
  return StandardStartupPlaces(platform::SystemSoftwareViews(), ShellFolder(CSIDL_COMMON_STARTUP),
                               ShellFolder(CSIDL_STARTUP));
}

void ReadStartupRows(const StartupPlaces& places, StartupRows& rows) {
  for (const StartupKey& key : places.keys) {
    platform::Registry registry(KEY_READ | key.view);
    registry.SetRoot(platform::RootKey(key.root));
    if (!registry.OpenKeyReadOnly(key.path)) continue;
    AppendValueRows(rows, key.label, registry.ValueNames(),
                    [&](std::wstring_view name) { return registry.ReadString(name); });
  }
  for (const StartupFolder& folder : places.folders) {
    std::vector<std::wstring> names;
    for (platform::FolderEntry& entry : platform::ListFolder(folder.path, L"*.*")) names.push_back(std::move(entry.name));
    AppendFolderRows(rows, folder, names);
  }
}

}  // namespace corvane::inventory
