#include "platform/registry_views.h"

namespace corvane::platform {

bool SystemIs64Bit(bool program_is_64bit, std::optional<bool> runs_under_wow64) {
  return program_is_64bit || runs_under_wow64.value_or(false);
}

std::vector<RegistryView> SoftwareViews(bool program_is_64bit, bool system_is_64bit) {
  if (!system_is_64bit) return {{0, L"", false}};
  // A 64-bit program's own view needs no flag, but naming it costs nothing
  // and keeps both builds opening keys alike.
  return {{kView64BitFlag, L"", !program_is_64bit}, {kView32BitFlag, k32BitViewSuffix, false}};
}

}  // namespace corvane::platform
