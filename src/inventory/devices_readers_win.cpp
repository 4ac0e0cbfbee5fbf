#include "inventory/devices_readers_win.h"

#include "platform/registry_win.h"

namespace corvane::inventory {

void ReadDriverRows(std::span<const std::wstring_view> class_keys, std::vector<std::vector<std::wstring>>& rows) {
  platform::Registry registry(KEY_READ);
  registry.SetRoot(HKEY_LOCAL_MACHINE);
  std::wstring_view class_key;
  for (const std::wstring_view candidate : class_keys) {
    if (registry.OpenKeyReadOnly(candidate)) {
      class_key = candidate;
      break;
    }
  }
  if (!registry.IsOpen()) return;

  const std::vector<std::wstring> classes = registry.SubkeyNames();
  for (const std::wstring& name : classes) {
    if (!registry.OpenKeyReadOnly(DriverKeyPath(class_key, name))) continue;
    DriverValues values;
    values.description = registry.ReadString(kDriverDescValue);
    if (!ListsDriver(values.description)) continue;
    values.provider = registry.ReadString(kProviderNameValue);
    values.version = registry.ReadString(kDriverVersionValue);
    rows.push_back(DriverRow(std::move(values)));
  }
}

}  // namespace corvane::inventory
