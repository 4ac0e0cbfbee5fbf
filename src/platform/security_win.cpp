#include "platform/security_win.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::platform {
namespace {

struct SidDeleter {
  void operator()(void* sid) const noexcept { ::FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidDeleter>;

}  // namespace

bool CurrentUserIsAdministrator() {
  UniqueKernelObject token;
  if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.put())) {
    if (::GetLastError() != ERROR_NO_TOKEN) return false;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  }

  // Sized by asking first: a user in many groups (domain accounts) easily
  // needs more than a fixed kilobyte, and a short buffer would deny an
  // administrator.
  DWORD needed = 0;
  ::GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &needed);
  if (needed < sizeof(TOKEN_GROUPS)) return false;
  std::vector<DWORD_PTR> storage((needed + sizeof(DWORD_PTR) - 1) / sizeof(DWORD_PTR));
  if (!::GetTokenInformation(token.get(), TokenGroups, storage.data(),
                             static_cast<DWORD>(storage.size() * sizeof(DWORD_PTR)), &needed))
    return false;
  const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(storage.data());

  SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
  PSID raw = nullptr;
  if (!::AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &raw))
    return false;
  const UniqueSid administrators(raw);

  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    if (::EqualSid(administrators.get(), groups->Groups[i].Sid)) return true;
  }
  return false;
}

}  // namespace corvane::platform
