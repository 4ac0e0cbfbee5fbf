#include "usb/usb_readers_win.h"

#include <windows.h>

#include <string>

#include "platform/registry_win.h"
#include "platform/unique_handle.h"
#include "usb/usb_view.h"

namespace corvane::usb {

int CountNumberedDevices(std::wstring_view prefix) {
  return CountUntilGap([&](int n) {
    const std::wstring name = std::wstring(prefix) + std::to_wstring(n);
    const platform::UniqueFile device(
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(device);
  });
}

int ReadHostControllerCount() { return CountNumberedDevices(L"\\\\.\\HCD"); }

std::optional<std::uint32_t> ReadUsbStorageCount() {
  platform::Registry registry(KEY_READ);
  registry.SetRoot(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKeyReadOnly(L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Enum")) return std::nullopt;
  if (!registry.ValueExists(L"Count")) return std::nullopt;
  try {
    return registry.ReadInteger(L"Count");
  } catch (const platform::RegistryError&) {
    return std::nullopt;  // not a number: as good as missing
  }
}

}  // namespace corvane::usb
