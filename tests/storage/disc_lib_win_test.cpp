// The Win32 side of CD/DVD access under Wine: pass-through allowed for
// Wine's administrator, the pause that keeps messages running, and a drive
// on which pass-through is refused (Wine answers
// IOCTL_SCSI_PASS_THROUGH_DIRECT with an error).
#include "storage/disc_lib_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <span>

#include "platform/unique_handle.h"

namespace corvane::storage {
namespace {

TEST(DiscLibWin, PassThroughUsableForWinesAdministrator) {
  // Wine's user holds the Administrators group (platform security test).
  EXPECT_TRUE(PassThroughUsableOnThisSystem());
  Win32DiscLib disc;
  EXPECT_TRUE(disc.lib().PassThroughUsable());
}

TEST(DiscLibWin, FixedDiskIsNoCdDriveAndRefusesPassThrough) {
  Win32DiscLib disc;
  EXPECT_FALSE(disc.transport().IsCdDrive(L'C'));
  EXPECT_EQ(disc.lib().OpenCdDrive(L'C'), nullptr);

  // \\.\C: opens, but the command fails: no text, no crash.
  auto drive = disc.transport().OpenDrive(L'C');
  ASSERT_NE(drive, nullptr);
  std::array<std::byte, kInquiryDataLength> data{};
  EXPECT_FALSE(drive->Send(kInquiry, data).ok);
  EXPECT_FALSE(drive->Send(kInquiry, std::span(data).first(10)).ok);  // wrong length: not sent
  EXPECT_EQ(disc.lib().ReadInquiryText(L'C'), L"");
  EXPECT_EQ(disc.lib().GetDriveCapabilities(drive.get()), L"");
  EXPECT_EQ(disc.transport().OpenDrive(L'Q'), nullptr);  // no such drive
}

int g_dispatched = 0;
LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) ++g_dispatched;
  return ::DefWindowProcW(wnd, msg, wp, lp);
}

TEST(DiscLibWin, PauseWaitsWhileMessagesRun) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvaneMmcPauseTest";
  ::RegisterClassW(&wc);
  platform::UniqueWindow wnd(::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                             nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(wnd);

  Win32MmcTransport transport;
  g_dispatched = 0;
  ::PostMessageW(wnd.get(), WM_APP, 0, 0);
  const DWORD start = ::GetTickCount();
  transport.Pause(std::chrono::milliseconds(100));
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_EQ(g_dispatched, 1);
  EXPECT_GE(elapsed, 90u);  // tick granularity
  EXPECT_LT(elapsed, 1000u);

  // A quit request ends the wait and is left for the main loop.
  ::PostQuitMessage(7);
  const DWORD quit_start = ::GetTickCount();
  transport.Pause(std::chrono::milliseconds(5000));
  EXPECT_LT(::GetTickCount() - quit_start, 1000u);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
}  // namespace corvane::storage
