#include "storage/disc_lib_win.h"

#include <windows.h>

#include "platform/security_win.h"

namespace corvane::storage {

bool PassThroughUsableOnThisSystem() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExW(&info)) return false;
  // The token is only asked for where pass-through exists at all.
  if (!PassThroughAllowed(info.dwPlatformId, info.dwMajorVersion, true)) return false;
  return platform::CurrentUserIsAdministrator();
}

}  // namespace corvane::storage
