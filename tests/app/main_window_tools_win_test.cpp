// The real main window, built in this process: its tool menus stand between
// View and Help, every item enabled and unmarked at start, and an item's
// command reaches the tool dispatcher (Hide Taskbar, against a tray window of
// the test's own, so nothing of the machine's is touched).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/collectors/summary_collectors_win.h"
#include "app/main_window_ids.h"
#include "app/main_window_win.h"
#include "platform/unique_handle.h"

namespace corvane::app {
namespace {

std::wstring Text(HMENU menu, UINT position) {
  wchar_t text[256] = {};
  const int length = GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

class MainWindowTools : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(main_.EnsureBuilt());
    bar_ = GetMenu(main_.hwnd());
    ASSERT_TRUE(bar_);
  }

  Application app_{{L"/norefresh"}, MakeSystemCollectors()};
  MainWindow main_{app_};
  HMENU bar_ = nullptr;
};

TEST_F(MainWindowTools, ToolMenusStandBeforeHelpWithEveryItemEnabledAndUnmarked) {
  std::vector<std::wstring> captions;
  for (int i = 0; i < GetMenuItemCount(bar_); ++i) captions.push_back(Text(bar_, static_cast<UINT>(i)));
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"&File", L"&Edit", L"&View", L"&System", L"&Control Panel",
                                                 L"Programs", L"Hardware", L"&Help"}));
  ASSERT_EQ(captions.size(), 8u);

  // Separators after these, and only these (the menus' item lists are held
  // in full by the menu-bar test).
  const std::vector<std::vector<std::wstring>> kBeforeLines = {
      {L"Explorer", L"Find Computer", L"Hide Taskbar", L"Shutdown System", L"Task Manager", L"Volume Control",
       L"Group Policy", L"My Network Places"},
      {},
      {},
      {L"Switch Off Monitor", L"Load CD"},
  };
  int command = kCmdToolFirst;
  for (UINT m = 0; m < 4; ++m) {
    HMENU popup = GetSubMenu(bar_, static_cast<int>(3 + m));
    ASSERT_TRUE(popup);
    std::vector<std::wstring> before_lines;
    std::wstring last;
    for (int j = 0; j < GetMenuItemCount(popup); ++j) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
      ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(j), TRUE, &info));
      if (info.fType & MFT_SEPARATOR) {
        before_lines.push_back(last);
        continue;
      }
      last = Text(popup, static_cast<UINT>(j));
      SCOPED_TRACE(testing::PrintToString(last));
      EXPECT_EQ(static_cast<int>(info.wID), command++) << "items numbered in menu order";
      EXPECT_FALSE(info.fState & MFS_CHECKED);
      EXPECT_FALSE(info.fState & MFS_GRAYED);
    }
    EXPECT_EQ(before_lines, kBeforeLines[m]) << testing::PrintToString(captions[3 + m]);
  }
  EXPECT_EQ(command, kCmdToolLast + 1);
}

LRESULT CALLBACK TrayProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(wnd, msg, wp, lp); }

TEST_F(MainWindowTools, HideTaskbarChosenTwiceHidesAndShowsTheTrayAndItsMarkFollows) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TrayProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  RegisterClassExW(&wc);
  platform::UniqueWindow tray(
      CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(tray);
  ShowWindow(tray.get(), SW_SHOWNA);
  ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.get()) << "another tray window comes first";

  // Hide Taskbar: the seventh item of System.
  const int id = kCmdToolFirst + 6;
  ASSERT_EQ(shortcuts::kSystemItems[6].caption, L"Hide Taskbar");
  auto marked = [&] { return (GetMenuState(bar_, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0; };
  SendMessageW(main_.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  EXPECT_TRUE(marked());
  EXPECT_FALSE(IsWindowVisible(tray.get()));
  ASSERT_TRUE(main_.tools());
  EXPECT_TRUE(main_.tools()->Marked(shortcuts::BuiltIn::kHideTaskbar));

  SendMessageW(main_.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  EXPECT_FALSE(marked());
  EXPECT_TRUE(IsWindowVisible(tray.get()));
}

}  // namespace
}  // namespace corvane::app
