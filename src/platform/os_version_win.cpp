#include "platform/os_version_win.h"

#include <windows.h>

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
  return r;
}

}  // namespace corvane::platform
