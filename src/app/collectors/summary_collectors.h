// The questions the refresh asks of the system, one per row (or part of a
// row). Each returns its text and keeps its own failures, except those the
// refresh guards: NetworkAdapters, OpticalDrives, SerialPorts,
// ProbedParallelPorts and the two WMI rows may throw.
#pragma once
#include <optional>
#include <string>

#include "cpu/clock_sampler.h"
#include "ui/product.h"

namespace corvane::app {

struct WindowsIdentity {
  std::wstring name, version, service_pack;
};

struct OpticalDriveReading {
  std::wstring list;        // "D: <identification> | " per drive
  std::wstring short_list;  // the hardware report's short form
};

class SummaryCollectors {
 public:
  virtual ~SummaryCollectors() = default;

  // A 32-bit process on a 64-bit system; nullopt when the test itself failed.
  virtual std::optional<bool> IsWow64() = 0;
  // This program's own word size, fixed when it was built: the WOW64 test
  // alone cannot tell a 64-bit program on 64-bit Windows. Tests stand in for
  // the other build.
  virtual bool ProgramIs64Bit() { return ui::k64BitBuild; }
  virtual WindowsIdentity IdentifyWindows() = 0;  // may throw
  virtual std::wstring BrowserVersion() = 0;      // may throw
  virtual std::wstring Memory() = 0;
  virtual std::wstring CpuBrand() = 0;
  virtual std::wstring CpuIdentifier() = 0;
  // Starts measuring the processor clock in the background, so that other
  // work runs during the measurement's half second; a measurement already
  // started and not yet taken is kept, not started again.
  virtual void StartClockSample() = 0;
  // The clock, from the measurement started last (waiting for it), or from
  // one of its own when none was started.
  virtual std::wstring CpuSpeed() = 0;
  // The measurement CpuSpeed took last, for a second reader in the same run
  // (the report's processor section); one of its own when CpuSpeed took
  // none. Nullopt when there is nothing to measure or it did not finish in
  // time. May throw.
  virtual std::optional<cpu::ClockSample> LastClockSample() = 0;
  // The first wave-output device's name; nullopt when there is none.
  virtual std::optional<std::wstring> FirstWaveOutDevice() = 0;
  virtual std::wstring DisplayAdapters() = 0;
  virtual int MonitorCount() = 0;
  virtual std::wstring MonitorNames() = 0;
  virtual std::wstring Resolution() = 0;
  virtual std::wstring ColourDepth() = 0;
  virtual std::wstring NetworkPresence() = 0;
  virtual std::wstring NetworkAdapters() = 0;      // may throw
  virtual OpticalDriveReading OpticalDrives() = 0;  // may throw, also when there is no drive
  virtual std::wstring SerialPorts() = 0;          // may throw
  virtual std::wstring ProbedParallelPorts() = 0;  // may throw
  virtual std::wstring RegistryParallelPorts() = 0;
  virtual std::wstring Mouse() = 0;
  virtual std::wstring DriveSizes() = 0;
  virtual std::wstring DriveFreeSpace() = 0;
  virtual std::wstring UsbControllers() = 0;
  virtual std::wstring FirewireControllers() = 0;
  virtual std::wstring BiosManufacturer() = 0;  // may throw
  virtual std::wstring ProductName() = 0;       // may throw
  virtual std::wstring AcPower() = 0;
  virtual std::wstring BiosText() = 0;
  virtual std::wstring TimeZone() = 0;
  virtual std::wstring Battery() = 0;
  virtual std::wstring Motherboard() = 0;
  virtual std::wstring IpAddresses() = 0;
  virtual std::wstring MacAddress() = 0;
  virtual std::wstring HostName() = 0;
};

}  // namespace corvane::app
