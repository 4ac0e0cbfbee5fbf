#include "inventory/installed_apps_win.h"

#include <string>

#include "platform/registry_win.h"

namespace corvane::inventory {

void ReadInstalledApps(std::vector<AppRow>& rows, HKEY root, std::wstring_view key) {
  platform::Registry uninstall(KEY_READ);
  uninstall.SetRoot(root);
  if (!uninstall.OpenKeyReadOnly(key)) return;
  const std::vector<std::wstring> subkeys = uninstall.SubkeyNames();
  uninstall.CloseKey();

  platform::Registry entry(KEY_READ);
  entry.SetRoot(root);
  const std::wstring prefix = std::wstring(key) + L"\\";
  for (const std::wstring& subkey : subkeys) {
    if (!entry.OpenKeyReadOnly(prefix + subkey)) continue;
    auto row = MakeAppRow(subkey, [&](std::wstring_view name) { return entry.ReadString(name); });
    if (row) rows.push_back(std::move(*row));
  }
}

}  // namespace corvane::inventory
