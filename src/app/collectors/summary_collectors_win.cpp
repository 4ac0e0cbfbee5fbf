#include "app/collectors/summary_collectors_win.h"

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <vector>

#include "app/collectors/collector_text.h"
#include "app/collectors/os_identity_win.h"
#include "app/collectors/system_readings_win.h"
#include "platform/list_text.h"
#include "cpu/cpuid_decode.h"
#include "cpu/cpuid_live.h"
#include "platform/registry_win.h"
#include "platform/unique_handle.h"
#include "platform/wmi_win.h"
#include "platform/locale_win.h"
#include "cpu/clock_rate.h"
#include "cpu/clock_sample_win.h"
#include "cpu/clock_sampler.h"
#include "network/internet_readers_win.h"
#include "network/network_readers_win.h"
#include "network/network_text.h"
#include "usb/usb_readers_win.h"
#include "usb/usb_view.h"

namespace corvane::app {
namespace {

// The collectors that keep their own failures answer with their fallback
// whatever goes wrong inside.
template <class Read>
std::wstring Caught(Read read, std::wstring fallback = {}) {
  try {
    return read();
  } catch (...) {
    return fallback;
  }
}

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
  std::wstring BrowserVersion() override { return network::ReadInternetExplorerVersion(); }

  std::wstring Memory() override {
    return Caught([] {
      const auto bytes = ReadTotalPhysicalMemory();
      return bytes ? MemoryText(*bytes) : std::wstring();
    });
  }

  std::wstring CpuBrand() override {
    // The identification decoder's brand text, trimmed.
    return Caught([] {
      cpu::LiveCpuid processor;
      return platform::Trim(cpu::GetCPUBrand(processor));
    });
  }

  std::wstring CpuIdentifier() override {
    return Caught([] {
      return platform::ReadRegistryString(HKEY_LOCAL_MACHINE, L"\\Hardware\\Description\\System\\CentralProcessor\\0",
                                          L"Identifier");
    });
  }

  void StartClockSample() override { clock_.Start(); }
  std::optional<cpu::ClockSample> LastClockSample() override { return clock_.Last(kClockSampleBound); }

  std::wstring CpuSpeed() override {
    return Caught([this] {
      const auto sample = clock_.Take(kClockSampleBound);
      if (!sample) return std::wstring();
      return ClockText(cpu::ClockMhz(sample->tsc_ticks, sample->timer_ticks, sample->timer_frequency),
                       platform::ReadDecimalSeparator());
    });
  }

  std::optional<std::wstring> FirstWaveOutDevice() override {
    try {
      return ReadFirstWaveOutName();
    } catch (...) {
      return std::nullopt;
    }
  }

  std::wstring DisplayAdapters() override {
    return Caught([] {
      std::vector<std::wstring> names;
      for (auto& adapter : ReadDisplayAdapters(false)) names.push_back(std::move(adapter.device_string));
      return ListText(names);
    });
  }

  int MonitorCount() override { return GetSystemMetrics(SM_CMONITORS); }

  std::wstring MonitorNames() override {
    return Caught([] {
      std::vector<std::optional<std::wstring>> monitors;
      for (auto& adapter : ReadDisplayAdapters(true)) monitors.push_back(std::move(adapter.first_monitor));
      return MonitorNamesText(monitors);
    });
  }

  std::wstring Resolution() override {
    return std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" X " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
  }

  std::wstring ColourDepth() override {
    HWND desktop = GetDesktopWindow();
    platform::WindowDc dc(desktop);
    return dc ? std::to_wstring(GetDeviceCaps(dc.get(), BITSPIXEL)) + L" bit" : std::wstring();
  }

  std::wstring NetworkPresence() override { return (GetSystemMetrics(SM_NETWORK) & 1) ? L"Network Present" : L""; }

  // The refresh guards the next four (rows 11 to 13): their failures go through.
  std::wstring NetworkAdapters() override {
    const network::AdaptersInfoReading adapters = network::ReadAdaptersInfo();
    return adapters.code == 0 ? network::NetworkAdapterListText(adapters.descriptions) : std::wstring();
  }

  OpticalDriveReading OpticalDrives() override {
    auto reading = OpticalDriveTexts(ReadOpticalDrives());
    if (!reading) throw std::runtime_error("no CD/DVD drive");
    return std::move(*reading);
  }

  std::wstring SerialPorts() override {
    return SerialPortsText(ReadMachineValueStrings(L"HARDWARE\\DEVICEMAP\\SERIALCOMM"));
  }

  std::wstring ProbedParallelPorts() override { return ListText(ProbeParallelPorts()); }

  std::wstring RegistryParallelPorts() override {
    return Caught(
        [] { return RegistryParallelPortsText(ReadMachineValueStrings(L"HARDWARE\\DEVICEMAP\\PARALLEL PORTS")); },
        std::wstring(kNotPresent));
  }

  std::wstring Mouse() override {
    return Caught([] {
      const MouseReading mouse = ReadMouse();
      return MouseText(mouse.present, mouse.wheel, mouse.buttons);
    });
  }

  std::wstring DriveSizes() override {
    return Caught([] { return DriveListText(ReadFixedDrives(DriveQuantity::kTotal), platform::ReadDecimalSeparator()); });
  }
  std::wstring DriveFreeSpace() override {
    return Caught([] { return DriveListText(ReadFixedDrives(DriveQuantity::kFreeToCaller), platform::ReadDecimalSeparator()); });
  }

  std::wstring UsbControllers() override {
    return Caught([] { return usb::HostControllerText(usb::ReadHostControllerCount()); }, L"Not Detected");
  }
  std::wstring FirewireControllers() override {
    return Caught([] { return usb::HostControllerText(usb::CountNumberedDevices(L"\\\\.\\1394BUS")); }, L"Not Detected");
  }

  std::wstring BiosManufacturer() override { return platform::WmiQueryProperty(L".", L"Win32_BIOS", L"Manufacturer"); }
  std::wstring ProductName() override {
    return platform::WmiQueryProperty(L"", L"Win32_ComputerSystemProduct", L"Name");
  }

  std::wstring AcPower() override {
    return Caught(
        [] {
          const auto power = ReadPowerStatus();
          return AcPowerText(power ? std::optional(power->ac_line_status) : std::nullopt);
        },
        L"Unknown");
  }

  std::wstring BiosText() override {
    return Caught(
        [] {
          const BiosDescription bios = ReadBiosDescription();
          return BiosRowText(bios.identifier, bios.date, bios.version);
        },
        BiosRowText({}, {}, {}));
  }

  std::wstring TimeZone() override {
    return Caught([] { return ReadTimeZoneName(); });
  }

  std::wstring Battery() override {
    return Caught(
        [] {
          const auto power = ReadPowerStatus();
          return BatteryText(power ? std::optional(power->battery_flag) : std::nullopt);
        },
        L"Unknown");
  }

  std::wstring Motherboard() override {
    return Caught([] {
      int instances = 0;
      platform::T2DimStrArray grid;
      const int properties = platform::WmiQueryTable(
          L".", L"root\\CIMV2", L"", L"", L"SELECT Manufacturer, Product FROM Win32_BaseBoard", instances, grid);
      return MotherboardText(properties, instances, grid);
    });
  }

  std::wstring IpAddresses() override {
    return Caught([] {
      const auto addresses = network::ReadHostAddresses();
      return addresses ? network::IpListText(*addresses) : std::wstring();
    });
  }

  std::wstring MacAddress() override {
    return Caught([] { return network::ReadNetbiosMacText(); });
  }

  std::wstring HostName() override {
    return Caught([] { return network::ReadComputerName(); });
  }

 private:
  // The sample needs half a second at real-time priority; one that has not
  // ended well after that is stuck, and the refresh goes on without it.
  static constexpr std::chrono::seconds kClockSampleBound{5};

  cpu::ClockSampler clock_{[] { return cpu::SampleCpuClock(); }};
};

}  // namespace

std::unique_ptr<SummaryCollectors> MakeSystemCollectors() { return std::make_unique<SystemCollectors>(); }

}  // namespace corvane::app
