#include "platform/security_win.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace corvane::platform {
namespace {

TEST(SecurityWin, WineProcessTokenHoldsAdministrators) {
  // Wine gives threads no token of their own (ERROR_NO_TOKEN), so this also
  // walks the fall-back to the process token.
  HANDLE thread_token = nullptr;
  EXPECT_FALSE(::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &thread_token));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));
  if (thread_token) ::CloseHandle(thread_token);
  EXPECT_TRUE(CurrentUserIsAdministrator());
}

TEST(SecurityWin, AThreadTokenIsAskedBeforeTheProcessToken) {
  // A copy of the process token on the thread: the verdict comes from the
  // thread's token and is the same.
  if (!::ImpersonateSelf(SecurityImpersonation)) GTEST_SKIP() << "no impersonation here";
  HANDLE thread_token = nullptr;
  const bool has_thread_token = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &thread_token);
  if (thread_token) ::CloseHandle(thread_token);
  const bool admin = CurrentUserIsAdministrator();
  ::RevertToSelf();
  EXPECT_TRUE(has_thread_token);
  EXPECT_TRUE(admin);
}

}  // namespace
}  // namespace corvane::platform
