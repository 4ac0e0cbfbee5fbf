#include "storage/cd_drive_win.h"

// clang-format off
#include <windows.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
#include <mmsystem.h>
// clang-format on

#include <cwctype>
#include <string>

#include "platform/unique_handle.h"
#include "storage/volumes_win.h"

namespace corvane::storage {
namespace {

std::wstring DevicePathOf(wchar_t letter) { return std::wstring(L"\\\\.\\") + letter + L":"; }

// An open multimedia device, closed when the object goes.
class MciDevice {
 public:
  explicit MciDevice(MCIDEVICEID id) : id_(id) {}
  ~MciDevice() { ::mciSendCommandW(id_, MCI_CLOSE, MCI_WAIT, 0); }
  MciDevice(const MciDevice&) = delete;
  MciDevice& operator=(const MciDevice&) = delete;
  MCIDEVICEID id() const { return id_; }

 private:
  MCIDEVICEID id_;
};

bool NamesDoorDrive(std::optional<wchar_t> letter) {
  return letter && storage::TakesDoorCommands(DriveTypeOf(*letter));
}

}  // namespace

std::vector<CdDriveEntry> ListCdDrives() {
  std::vector<CdDriveEntry> drives;
  for (const auto& volume : ReadVolumesOfType(DRIVE_CDROM)) {
    drives.push_back({static_cast<wchar_t>(towupper(volume.letter)), volume.label});
  }
  return drives;
}

DoorOutcome EjectMedia(std::optional<wchar_t> letter) {
  if (!NamesDoorDrive(letter)) return DoorOutcome::NotCdDrive;
  const platform::UniqueFile drive(::CreateFileW(DevicePathOf(*letter).c_str(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_READONLY, nullptr));
  if (!drive) return DoorOutcome::Failed;
  DWORD returned = 0;
  if (!::DeviceIoControl(drive.get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned,
                         nullptr))
    return DoorOutcome::Failed;
  return DoorOutcome::Done;
}

DoorOutcome CloseTray(std::optional<wchar_t> letter) {
  if (!NamesDoorDrive(letter)) return DoorOutcome::NotCdDrive;
  const std::wstring element = std::wstring(1, *letter) + L":";
  MCI_OPEN_PARMSW open{};
  open.lpstrDeviceType = L"CDAudio";
  open.lpstrElementName = element.c_str();
  if (::mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open)) != 0)
    return DoorOutcome::Failed;
  const MciDevice device(open.wDeviceID);
  MCI_SET_PARMS set{};
  if (::mciSendCommandW(device.id(), MCI_SET, MCI_SET_DOOR_CLOSED | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&set)) != 0)
    return DoorOutcome::Failed;
  return DoorOutcome::Done;
}

DoorOutcome OpenDefaultTray(HWND notify) {
  return ::mciSendStringW(L"Set cdaudio door open wait", nullptr, 0, notify) == 0 ? DoorOutcome::Done
                                                                                 : DoorOutcome::Failed;
}

}  // namespace corvane::storage
