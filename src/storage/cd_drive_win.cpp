#include "storage/cd_drive_win.h"

// clang-format off
#include <windows.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
#include <mmsystem.h>
// clang-format on

#include <string>

#include "platform/unique_handle.h"

namespace corvane::storage {
namespace {

std::wstring RootOf(wchar_t letter) { return std::wstring(1, letter) + L":\\"; }
std::wstring DevicePathOf(wchar_t letter) { return std::wstring(L"\\\\.\\") + letter + L":"; }

// A drive without a disc must not make Windows ask the user to insert one.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {
    ::SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
  }
  ~QuietDriveErrors() { ::SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

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

unsigned DriveTypeOf(wchar_t letter) { return ::GetDriveTypeW(RootOf(letter).c_str()); }

std::vector<CdDriveEntry> ListCdDrives() {
  std::vector<CdDriveEntry> drives;
  std::wstring roots(128, L'\0');
  for (;;) {
    const DWORD n = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (n == 0) return drives;
    if (n < roots.size()) {
      roots.resize(n);
      break;
    }
    roots.assign(n + 1, L'\0');
  }
  QuietDriveErrors quiet;
  for (std::size_t at = 0; at < roots.size();) {
    const std::size_t end = roots.find(L'\0', at);
    const std::wstring root = roots.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
    at = end == std::wstring::npos ? roots.size() : end + 1;
    const auto letter = LetterOfEntry(root);
    if (!letter || DriveTypeOf(*letter) != DRIVE_CDROM) continue;
    wchar_t label[MAX_PATH + 1] = L"";
    if (!::GetVolumeInformationW(RootOf(*letter).c_str(), label, MAX_PATH + 1, nullptr, nullptr,
                                 nullptr, nullptr, 0))
      label[0] = L'\0';
    drives.push_back({*letter, label});
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
