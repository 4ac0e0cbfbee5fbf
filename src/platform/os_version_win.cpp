#include "platform/os_version_win.h"

#include <windows.h>

#include <system_error>

#include "platform/system_function_win.h"

namespace corvane::platform {
namespace {

std::wstring FromAnsi(const char* text) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (chars <= 1) return {};
  std::wstring out(static_cast<size_t>(chars), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), chars);
  out.resize(static_cast<size_t>(chars - 1));
  return out;
}

// Windows 8.1 and later report 6.2 to GetVersionEx unless the program's
// manifest names them; ntdll's RtlGetVersion tells the truth whatever the
// manifest says. NT 4 before SP6 lacks it and keeps GetVersionEx's answer.
void TakeTrueVersion(VersionRecord& r) {
  using Fn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  const auto rtl_get_version = LoadedFunction<Fn>(L"ntdll.dll", "RtlGetVersion");
  if (!rtl_get_version) return;
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtl_get_version(&info) != 0) return;
  r.major = info.dwMajorVersion;
  r.minor = info.dwMinorVersion;
  r.build = info.dwBuildNumber;
}

}  // namespace

std::optional<VersionRecord> ReadVersionRecord() {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148);
  VersionRecord r;
  r.extended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
  if (!r.extended) {
    info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
  }
  r.major = info.dwMajorVersion;
  r.minor = info.dwMinorVersion;
  r.build = info.dwBuildNumber;
  r.platform = info.dwPlatformId;
  info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';
  r.csd = FromAnsi(info.szCSDVersion);
  if (r.extended) {
    r.suite_mask = info.wSuiteMask;
    r.product_type = info.wProductType;
  }
  if (r.platform == kPlatformNt) TakeTrueVersion(r);
  return r;
}

bool IsWow64Process() {
  using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto fn = LoadedFunction<Fn>(L"kernel32.dll", "IsWow64Process");
  if (!fn) return false;
  BOOL wow64 = FALSE;
  if (!fn(::GetCurrentProcess(), &wow64)) {
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "IsWow64Process");
  }
  return wow64 != FALSE;
}

}  // namespace corvane::platform
