#include "memory_display_time/display_readers_win.h"

#include <cwchar>
#include <exception>

#include "memory_display_time/display_registry_win.h"
#include "platform/failure_text_win.h"
#include "platform/os_version_win.h"
#include "platform/system_function_win.h"
#include "platform/unique_handle.h"

namespace corvane::memory_display_time {
namespace {

// From Windows 98 and 2000 on; looked up so that the program still starts without it.
using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DISPLAY_DEVICEW*, DWORD);

template <std::size_t N>
std::wstring FixedText(const wchar_t (&chars)[N]) {
  return std::wstring(chars, wcsnlen(chars, N));
}

}  // namespace

ScreenCaps ReadScreenCaps(HWND main_window) {
  ScreenCaps caps;
  {
    const platform::WindowDc screen(nullptr);
    HDC dc = screen.get();
    caps.logical_pixels_y = GetDeviceCaps(dc, LOGPIXELSY);
    caps.width = GetDeviceCaps(dc, HORZRES);
    caps.height = GetDeviceCaps(dc, VERTRES);
    caps.bits_per_pixel = GetDeviceCaps(dc, BITSPIXEL);
    caps.technology = GetDeviceCaps(dc, TECHNOLOGY);
    caps.aspect_x = GetDeviceCaps(dc, ASPECTX);
    caps.aspect_y = GetDeviceCaps(dc, ASPECTY);
    caps.aspect_xy = GetDeviceCaps(dc, ASPECTXY);
  }
  const platform::WindowDc window(main_window);
  caps.refresh_rate = GetDeviceCaps(window.get(), VREFRESH);
  caps.driver_version = GetDeviceCaps(window.get(), DRIVERVERSION);
  return caps;
}

void ReadDisplayAdapters(std::vector<DisplayAdapter>& adapters) {
  const auto enum_devices = platform::LoadedFunction<EnumDisplayDevicesFn>(L"user32.dll", "EnumDisplayDevicesW");
  if (!enum_devices) return;
  DISPLAY_DEVICEW device{};
  device.cb = sizeof device;
  for (DWORD index = 0; enum_devices(nullptr, index, &device, 0); ++index) {
    DisplayAdapter adapter{FixedText(device.DeviceName), FixedText(device.DeviceString), device.StateFlags, {}};
    DISPLAY_DEVICEW monitor{};
    monitor.cb = sizeof monitor;
    if (enum_devices(adapter.device_name.c_str(), 0, &monitor, 0)) adapter.monitor = FixedText(monitor.DeviceString);
    adapters.push_back(std::move(adapter));
    device = {};
    device.cb = sizeof device;
  }
}

DisplayRefreshReading ReadDisplay(HWND main_window) {
  DisplayRefreshReading result;
  DisplayReading& r = result.reading;
  const auto version = platform::ReadVersionRecord();
  r.nt_platform = version && version->platform == platform::kPlatformNt;
  const bool nt_family = version && IsNtFamily(version->platform, version->major);

  r.caps = ReadScreenCaps(main_window);
  r.monitor_count = GetSystemMetrics(SM_CMONITORS);

  const std::wstring_view root = ClassRoot(nt_family);
  {
    MachineKeyReader registry;
    ClassDrivers drivers = SearchClassDrivers(registry, root, kDisplayClass, kDriverDescValue, nt_family);
    r.driver_descriptions = std::move(drivers.values);
    r.video = ReadVideoLists(registry, root, drivers.key_name);
  }
  {
    MachineKeyReader registry;
    r.bios = ReadVideoBios(registry);
  }

  try {
    ReadDisplayAdapters(r.adapters);
  } catch (const std::exception& e) {
    result.adapter_failure = platform::FailureText(e);
  }
  return result;
}

}  // namespace corvane::memory_display_time
