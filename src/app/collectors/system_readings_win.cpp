#include "app/collectors/system_readings_win.h"

#include <windows.h>
// after windows.h
#include <mmsystem.h>
#include <winioctl.h>
// after winioctl.h

#include <cstddef>
#include <cstring>
#include <cwchar>

#include "app/collectors/os_identity_win.h"
#include "cpu/cpuid_live.h"
#include "platform/registry_win.h"
#include "platform/unique_handle.h"
#include "storage/mmc_transport_win.h"
#include "storage/volumes_win.h"

namespace corvane::app {
namespace {

std::wstring FixedText(const wchar_t* text, std::size_t max_chars) { return {text, wcsnlen(text, max_chars)}; }

bool HasDriveBit(DWORD mask, wchar_t letter) { return (mask >> (letter - L'A')) & 1u; }

std::wstring ReadInquiryIdentification(wchar_t letter) {
  storage::Win32MmcTransport transport;
  const auto drive = transport.OpenDrive(letter);
  if (!drive) return {};
  std::array<std::byte, storage::kInquiryDataLength> data{};
  const storage::MmcReply reply = drive->Send(storage::kInquiry, data);
  return reply.ok ? InquiryIdentification(std::span(data).first(reply.transferred)) : std::wstring();
}

}  // namespace

std::optional<std::uint64_t> ReadTotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!::GlobalMemoryStatusEx(&status)) return std::nullopt;
  return status.ullTotalPhys;
}

std::optional<std::wstring> ReadFirstWaveOutName() {
  if (::waveOutGetNumDevs() == 0) return std::nullopt;
  WAVEOUTCAPSW caps{};
  if (::waveOutGetDevCapsW(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::wstring();
  return FixedText(caps.szPname, std::size(caps.szPname));
}

std::vector<DisplayAdapterReading> ReadDisplayAdapters(bool monitors, std::size_t limit) {
  // The record goes out sized up to StateFlags, the fields read here. That
  // is the wide counterpart of the 168-byte narrow record the call has
  // taken since it first appeared; later systems fill DeviceID and
  // DeviceKey only for a record long enough to hold them, so the short size
  // is accepted everywhere the call exists.
  constexpr DWORD kRecordSize = offsetof(DISPLAY_DEVICEW, StateFlags) + sizeof(DWORD);
  static_assert(kRecordSize == 328);
  std::vector<DisplayAdapterReading> adapters;
  for (DWORD index = 0; adapters.size() < limit; ++index) {
    DISPLAY_DEVICEW adapter{};
    adapter.cb = kRecordSize;
    if (!::EnumDisplayDevicesW(nullptr, index, &adapter, 0)) break;
    DisplayAdapterReading reading;
    reading.device_string = FixedText(adapter.DeviceString, std::size(adapter.DeviceString));
    if (monitors) {
      const std::wstring name = FixedText(adapter.DeviceName, std::size(adapter.DeviceName));
      DISPLAY_DEVICEW monitor{};
      monitor.cb = kRecordSize;
      if (::EnumDisplayDevicesW(name.c_str(), 0, &monitor, 0)) {
        reading.first_monitor = FixedText(monitor.DeviceString, std::size(monitor.DeviceString));
      }
    }
    adapters.push_back(std::move(reading));
  }
  return adapters;
}

std::vector<OpticalDriveIdentity> ReadOpticalDrives() {
  std::vector<OpticalDriveIdentity> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    if (!HasDriveBit(mask, letter)) continue;
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    if (::GetDriveTypeW(root) != DRIVE_CDROM) continue;
    drives.push_back({letter, ReadInquiryIdentification(letter)});
  }
  return drives;
}

std::vector<std::wstring> ReadMachineValueStrings(std::wstring_view path) {
  platform::Registry reg(KEY_READ);
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(path)) return {};
  std::vector<std::wstring> strings;
  for (const auto& name : reg.ValueNames()) strings.push_back(reg.ReadString(name));
  return strings;
}

std::vector<std::wstring> ProbeParallelPorts() {
  const auto version = ReadVersionRecord();
  const bool nt = version && version->platform == kPlatformNt;
  std::vector<std::wstring> opened;
  for (const auto& name : ParallelProbeNames(nt)) {
    const platform::UniqueFile port(
        ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (port) opened.push_back(name);
  }
  return opened;
}

MouseReading ReadMouse() {
  return {::GetSystemMetrics(SM_MOUSEPRESENT) != 0, ::GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0,
          ::GetSystemMetrics(SM_CMOUSEBUTTONS)};
}

std::vector<DriveBytes> ReadFixedDrives(DriveQuantity quantity) {
  std::vector<DriveBytes> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
    if (!HasDriveBit(mask, letter)) continue;
    if (storage::DriveTypeOf(letter) != DRIVE_FIXED) continue;
    std::int64_t bytes = kUnreadSize;
    if (const auto totals = storage::ReadByteTotals(letter)) {
      bytes = static_cast<std::int64_t>(quantity == DriveQuantity::kTotal ? totals->total : totals->free_to_caller);
    }
    drives.push_back({letter, bytes});
  }
  return drives;
}

std::optional<PowerReading> ReadPowerStatus() {
  SYSTEM_POWER_STATUS status{};
  if (!::GetSystemPowerStatus(&status)) return std::nullopt;
  return PowerReading{status.ACLineStatus, status.BatteryFlag};
}

BiosDescription ReadBiosDescription() {
  BiosDescription bios;
  platform::Registry reg(KEY_READ);
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(L"HARDWARE\\DESCRIPTION\\System")) return bios;
  // One unreadable part leaves the others.
  auto part = [](auto read) -> std::wstring {
    try {
      return read();
    } catch (const platform::RegistryError&) {
      return {};
    }
  };
  bios.identifier = part([&] { return reg.ReadString(L"Identifier"); });
  bios.date = part([&] { return reg.ReadString(L"SystemBiosDate"); });
  bios.version = part([&] {
    constexpr wchar_t kName[] = L"SystemBiosVersion";
    const DWORD type = reg.DataType(kName);
    if (type == REG_SZ || type == REG_EXPAND_SZ) return reg.ReadString(kName);
    return FirstRegistryString(reg.ReadBinary(kName));  // a multi-string: its first string
  });
  return bios;
}

std::wstring ReadTimeZoneName() {
  TIME_ZONE_INFORMATION zone{};
  if (::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
  return FixedText(zone.StandardName, std::size(zone.StandardName));
}

}  // namespace corvane::app
