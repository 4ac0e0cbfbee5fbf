// A CD-ROM drive letter in the Wine prefix, for tests. It is defined through
// Wine's mount manager, as Wine's own configuration tool does, so it takes
// effect at once for every process of the session (GetDriveType 5, its
// volume label, a Win32_CDROMDrive instance) and is removed again when the
// object goes. Outside Wine nothing is defined and ok() is false.
#pragma once
#include <windows.h>
#include <winioctl.h>

#include <string>

#include "platform/unique_handle.h"

namespace corvane::testing_support {


class WineCdDrive {
 public:
  explicit WineCdDrive(const std::wstring& label) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unix_name = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_name) {
      why_not_ = "not running under Wine";
      return;
    }
    const DWORD used = GetLogicalDrives();
    for (wchar_t l = L'D'; l <= L'Y'; ++l) {
      if (!(used & (1u << (l - L'A')))) {
        letter_ = l;
        break;
      }
    }
    if (!letter_) {
      why_not_ = "no free drive letter";
      return;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"corvane-cd-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    // Wine reads a volume's label and serial number from these two files.
    WriteFile(L".windows-label", std::string(label.begin(), label.end()) + "\n");
    WriteFile(L".windows-serial", "1234abcd\n");
    char* unix_path = unix_name(folder_.c_str());
    if (!unix_path) {
      why_not_ = "no Unix name for the folder";
      return;
    }
    const std::string mount_point = unix_path;
    HeapFree(GetProcessHeap(), 0, unix_path);
    if (!Define(DRIVE_CDROM, mount_point)) {
      why_not_ = "the mount manager refused the drive, error " + std::to_string(GetLastError());
      return;
    }
    defined_ = true;
  }

  ~WineCdDrive() {
    if (defined_) Define(DRIVE_NO_ROOT_DIR, {});
    if (folder_.empty()) return;
    DeleteFileW((folder_ + L"\\.windows-label").c_str());
    DeleteFileW((folder_ + L"\\.windows-serial").c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  WineCdDrive(const WineCdDrive&) = delete;
  WineCdDrive& operator=(const WineCdDrive&) = delete;

  bool ok() const { return defined_; }
  const std::string& why_not() const { return why_not_; }
  wchar_t letter() const { return letter_; }

 private:
  // Wine's IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE and its input (Wine 8).
  static constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
  static constexpr ULONG kIso9660 = 3;
  struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
  };

  void WriteFile(const wchar_t* name, const std::string& text) const {
    const platform::UniqueFile file(CreateFileW((folder_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }

  // Defines (type DRIVE_CDROM) or removes (DRIVE_NO_ROOT_DIR) the letter.
  bool Define(ULONG type, const std::string& mount_point) const {
    UnixDrive head{};
    head.type = type;
    head.fs_type = kIso9660;
    head.serial = 0x1234abcd;
    head.letter = static_cast<WCHAR>(letter_ - L'A' + L'a');
    if (!mount_point.empty()) head.mount_point_offset = static_cast<USHORT>(sizeof head);
    head.size = static_cast<ULONG>(sizeof head + mount_point.size() + 1);
    std::string input(reinterpret_cast<const char*>(&head), sizeof head);
    input += mount_point;
    input += '\0';

    const platform::UniqueFile manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                   nullptr));
    if (!manager) return false;
    DWORD returned = 0;
    return DeviceIoControl(manager.get(), kDefineUnixDrive, input.data(), static_cast<DWORD>(input.size()), nullptr,
                           0, &returned, nullptr) != FALSE;
  }

  wchar_t letter_ = 0;
  std::wstring folder_;
  bool defined_ = false;
  std::string why_not_;
};

}  // namespace corvane::testing_support
