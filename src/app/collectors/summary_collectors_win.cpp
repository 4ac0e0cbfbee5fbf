#include "app/collectors/summary_collectors_win.h"

#include <windows.h>

#include "app/collectors/os_identity_win.h"
#include "platform/registry_win.h"
#include "platform/unique_handle.h"
#include "platform/wmi_win.h"

namespace corvane::app {
namespace {

class SystemCollectors final : public SummaryCollectors {
 public:
  std::optional<bool> IsWow64() override {
    try {
      return IsWow64Process();
    } catch (...) {
      return std::nullopt;
    }
  }
  WindowsIdentity IdentifyWindows() override { return IdentifyThisWindows(); }
  std::wstring BrowserVersion() override { return ReadBrowserVersion(); }

  std::wstring CpuIdentifier() override {
    return platform::ReadRegistryString(HKEY_LOCAL_MACHINE, L"\\Hardware\\Description\\System\\CentralProcessor\\0",
                                        L"Identifier");
  }

  int MonitorCount() override { return GetSystemMetrics(SM_CMONITORS); }

  std::wstring Resolution() override {
    return std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" X " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
  }

  std::wstring ColourDepth() override {
    HWND desktop = GetDesktopWindow();
    platform::WindowDc dc(desktop);
    return dc ? std::to_wstring(GetDeviceCaps(dc.get(), BITSPIXEL)) + L" bit" : std::wstring();
  }

  std::wstring NetworkPresence() override {
    return (GetSystemMetrics(SM_NETWORK) & 1) ? L"Network Present" : L"";
  }

  std::wstring BiosManufacturer() override { return platform::WmiQueryProperty(L".", L"Win32_BIOS", L"Manufacturer"); }
  std::wstring ProductName() override {
    return platform::WmiQueryProperty(L"", L"Win32_ComputerSystemProduct", L"Name");
  }

  std::wstring HostName() override {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
  }

  // Rows whose readings are not gathered by this build yet stay empty.
  std::wstring Memory() override { return {}; }
  std::wstring CpuBrand() override { return {}; }
  std::wstring CpuSpeed() override { return {}; }
  std::optional<std::wstring> FirstWaveOutDevice() override { return std::wstring(); }
  std::wstring DisplayAdapters() override { return {}; }
  std::wstring MonitorNames() override { return {}; }
  std::wstring NetworkAdapters() override { return {}; }
  OpticalDriveReading OpticalDrives() override { return {}; }
  std::wstring SerialPorts() override { return {}; }
  std::wstring ProbedParallelPorts() override { return {}; }
  std::wstring RegistryParallelPorts() override { return {}; }
  std::wstring Mouse() override { return {}; }
  std::wstring DriveSizes() override { return {}; }
  std::wstring DriveFreeSpace() override { return {}; }
  std::wstring UsbControllers() override { return {}; }
  std::wstring FirewireControllers() override { return {}; }
  std::wstring AcPower() override { return {}; }
  std::wstring BiosText() override { return {}; }
  std::wstring TimeZone() override { return {}; }
  std::wstring Battery() override { return {}; }
  std::wstring Motherboard() override { return {}; }
  std::wstring IpAddresses() override { return {}; }
  std::wstring MacAddress() override { return {}; }
};

}  // namespace

std::unique_ptr<SummaryCollectors> MakeSystemCollectors() { return std::make_unique<SystemCollectors>(); }

}  // namespace corvane::app
