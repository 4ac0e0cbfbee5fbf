#include "storage/volumes_win.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
// clang-format on

#include <cwchar>

#include "platform/system_function_win.h"
#include "storage/nvme_probe.h"
#include "storage/smart_probe.h"
#include "storage/smart_transport_win.h"

namespace corvane::storage {

QuietDriveErrors::QuietDriveErrors() noexcept : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {
  ::SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
}

QuietDriveErrors::~QuietDriveErrors() { ::SetErrorMode(previous_); }

std::wstring RootOf(wchar_t letter) { return {letter, L':', L'\\'}; }

std::vector<wchar_t> DriveLetters() {
  // "A:\<NUL>B:\<NUL>...<NUL>"; the length returned leaves out the last NUL.
  std::vector<wchar_t> roots(128, L'\0');
  DWORD n = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {  // drives may come between the calls
    n = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (n < roots.size()) break;
    roots.assign(n + 1, L'\0');
  }
  if (n >= roots.size()) n = 0;
  std::vector<wchar_t> letters;
  for (const wchar_t* root = roots.data(); root < roots.data() + n && *root; root += wcslen(root) + 1) {
    const wchar_t letter = root[0];
    if ((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z')) letters.push_back(letter);
  }
  return letters;
}

unsigned DriveTypeOf(wchar_t letter) { return ::GetDriveTypeW(RootOf(letter).c_str()); }

std::optional<VolumeInformation> ReadVolumeInformation(wchar_t letter) {
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t file_system[MAX_PATH + 1] = {};
  DWORD serial = 0, max_component = 0, flags = 0;
  if (!::GetVolumeInformationW(RootOf(letter).c_str(), label, MAX_PATH + 1, &serial, &max_component, &flags,
                               file_system, MAX_PATH + 1))
    return std::nullopt;
  return VolumeInformation{label, file_system, serial, flags, max_component};
}

std::vector<FixedVolume> ReadVolumesOfType(unsigned drive_type) {
  const QuietDriveErrors quiet;
  std::vector<FixedVolume> volumes;
  for (const wchar_t letter : DriveLetters()) {
    if (DriveTypeOf(letter) != drive_type) continue;
    const auto volume = ReadVolumeInformation(letter);
    volumes.push_back({letter, volume ? volume->label : std::wstring()});
  }
  return volumes;
}

std::vector<FixedVolume> ReadFixedVolumes() { return ReadVolumesOfType(DRIVE_FIXED); }

std::optional<ByteTotals> ReadByteTotals(wchar_t letter) {
  using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  static const auto get = platform::LoadedFunction<GetDiskFreeSpaceExFn>(L"kernel32.dll", "GetDiskFreeSpaceExW");
  if (!get) return std::nullopt;
  ULARGE_INTEGER to_caller{}, total{}, free{};
  if (!get(RootOf(letter).c_str(), &to_caller, &total, &free)) return std::nullopt;
  return ByteTotals{total.QuadPart, to_caller.QuadPart};
}

namespace {

// The remote name a drive letter is connected to; nullopt for a local drive.
std::optional<std::wstring> ReadRemoteName(wchar_t letter) {
  using WNetGetConnectionFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);
  const platform::OptionalLibrary mpr(L"mpr.dll");
  auto get = mpr.Find<WNetGetConnectionFn>("WNetGetConnectionW");
  if (!get) return std::nullopt;
  const wchar_t local[] = {letter, L':', L'\0'};
  std::wstring remote(MAX_PATH, L'\0');
  DWORD length = MAX_PATH;
  DWORD result = get(local, remote.data(), &length);
  if (result == ERROR_MORE_DATA) {
    remote.assign(length, L'\0');
    result = get(local, remote.data(), &length);
  }
  if (result != NO_ERROR) return std::nullopt;
  remote.resize(wcsnlen(remote.c_str(), remote.size()));
  return remote;
}

SmartReading ReadSmart(int drive, NvmeTransport& nvme) {
  SmartReading r;
  r.nvme = ReadNvmeHealth(nvme, drive);
  // An NVMe disk answers no ATA command.
  if (r.nvme.is_nvme) return r;
  Win32SmartTransport transport;
  std::wstring error;  // the window does not show the SMART messages
  r.identity_ok = ReadDriveIdentity(transport, drive, error, r.model, r.size, r.serial);
  if (r.identity_ok) r.smart_ok = ReadSmartData(transport, drive, r.smart, error);
  return r;
}

platform::UniqueIcon ReadShellIcon(wchar_t letter) {
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(RootOf(letter).c_str(), 0, &info, sizeof info, SHGFI_ICON)) return {};
  return platform::UniqueIcon(info.hIcon);
}

}  // namespace

std::wstring ReadUniversalName(wchar_t letter) {
  const wchar_t drive[] = {letter, L':', L'\0'};
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = ::GetFullPathNameW(drive, static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.assign(n, L'\0');
    n = ::GetFullPathNameW(drive, static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (n == 0 || n >= full.size()) return drive;
  full.resize(n);
  return UniversalName(full, ReadRemoteName(letter));
}

std::optional<std::uint32_t> ReadDiskNumber(wchar_t letter) {
  const std::wstring path = std::wstring(L"\\\\.\\") + letter + L":";
  // No access is needed to ask where a volume lives.
  platform::UniqueFile volume(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  if (!volume) return std::nullopt;
  STORAGE_DEVICE_NUMBER number{};
  DWORD returned = 0;
  if (!::DeviceIoControl(volume.get(), IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                         &returned, nullptr) ||
      number.DeviceType != FILE_DEVICE_DISK)
    return std::nullopt;
  return number.DeviceNumber;
}

DriveReading ReadDrive(wchar_t letter, int list_position, NvmeTransport& nvme) {
  DriveReading r;
  const std::wstring root = RootOf(letter);
  {
    const QuietDriveErrors quiet;
    DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, total_clusters = 0;
    const bool ready = ::GetDiskFreeSpaceW(root.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                                           &total_clusters) != FALSE;
    r.facts.type = DriveTypeOf(letter);
    if (ready) {
      r.facts.clusters = ClusterFigures{sectors_per_cluster, bytes_per_sector, free_clusters, total_clusters};
      r.facts.bytes = ReadByteTotals(letter);
      r.facts.volume = ReadVolumeInformation(letter);
      r.icon = ReadShellIcon(letter);
    }
    r.unc = ReadUniversalName(letter);
  }
  r.smart = ReadSmart(SmartDriveNumber(ReadDiskNumber(letter), list_position), nvme);
  return r;
}

}  // namespace corvane::storage
