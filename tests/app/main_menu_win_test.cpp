// The main window's menu bar, shortcut keys and toolbar as the system holds
// them once built in this process: read back through the system's own calls
// and held against what the user is meant to see, written out here by hand.
#include "app/main_menu.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window_ids.h"
#include "platform/unique_handle.h"
#include "ui/menu_win.h"
#include "ui/toolbar_win.h"

namespace corvane::app {
namespace {

// How a separator reads back in the item lists below.
constexpr const wchar_t* kLine = L"----";

struct ShownMenu {
  std::wstring caption;
  std::vector<std::wstring> items;  // as the menu shows them: caption, tab, shortcut; kLine for a separator
};

// A window standing in for the main window: it carries the menu bar and the
// toolbar, and hands the toolbar's tooltip requests to it as the main window does.
LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto* toolbar = reinterpret_cast<ui::Toolbar*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (toolbar && toolbar->HandleTooltip(reinterpret_cast<NMHDR*>(lp))) return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

class MainWindowBars : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneMenuTestHost";
    if (!RegisterClassExW(&wc)) {
      ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    }
    HMENU bar = ui::BuildMenuBar(MainMenus());
    ASSERT_TRUE(bar);
    // The window owns the bar from here on, as the main window does.
    host_.reset(CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 700, 300, nullptr, bar,
                                wc.hInstance, nullptr));
    if (!host_) DestroyMenu(bar);
    ASSERT_TRUE(host_);
    bar_ = GetMenu(host_.get());
    ASSERT_EQ(bar_, bar);
  }

  // The bar as the system holds it.
  std::vector<ShownMenu> ReadMenus() const {
    std::vector<ShownMenu> menus;
    for (int i = 0; i < GetMenuItemCount(bar_); ++i) {
      ShownMenu menu{Text(bar_, i), {}};
      HMENU popup = GetSubMenu(bar_, i);
      EXPECT_TRUE(popup) << "menu " << i << " opens no list";
      for (int j = 0; popup && j < GetMenuItemCount(popup); ++j) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        EXPECT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(j), TRUE, &info)) << "menu " << i << " item " << j;
        menu.items.push_back((info.fType & MFT_SEPARATOR) ? std::wstring(kLine) : Text(popup, j));
      }
      menus.push_back(std::move(menu));
    }
    return menus;
  }

  // The command of every item, by the item's caption without its shortcut.
  std::map<std::wstring, UINT> ReadCommands() const {
    std::map<std::wstring, UINT> commands;
    for (int i = 0; i < GetMenuItemCount(bar_); ++i) {
      HMENU popup = GetSubMenu(bar_, i);
      for (int j = 0; popup && j < GetMenuItemCount(popup); ++j) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoW(popup, static_cast<UINT>(j), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
        const std::wstring text = Text(popup, j);
        const std::wstring caption = text.substr(0, text.find(L'\t'));
        EXPECT_TRUE(commands.emplace(caption, info.wID).second) << "two items read " << testing::PrintToString(caption);
      }
    }
    return commands;
  }

  static std::wstring Text(HMENU menu, int position) {
    wchar_t text[256] = {};
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return std::wstring(text, static_cast<std::size_t>(std::max(length, 0)));
  }

  platform::UniqueWindow host_;
  HMENU bar_ = nullptr;
};

TEST_F(MainWindowBars, MenusShowTheirItemsInOrderWithShortcutsAndSeparators) {
  const std::vector<ShownMenu> expected = {
      {L"&File",
       {L"Save to CSV\tF2", L"Export to HTML", kLine, L"Print Full Spec\tCtrl+P", L"Quick Print",
        L"Print Hardware Spec", kLine, L"Exit\tF12"}},
      {L"&Edit", {L"Copy to Clipboard\tCtrl+C"}},
      {L"&View",
       {L"Main System Info\tF5", kLine, L"Personal Info\tF6", L"Memory Info\tF7", L"Display Info\tF8",
        L"Disk Info\tF9", L"App Info\tF10", L"CPU Info\tF11", L"Network Adapters", L"Sound", L"Startup",
        L"CD / DVD Info", L"Device Info", L"Printer Info", L"Services", L"BIOS Info", L"USB Drives", kLine,
        L"CPU Meters", kLine, L"Transparent Background\tCtrl+T"}},
      {L"&System",
       {L"Run", L"Explorer", kLine, L"Find Files", L"Find Computer", kLine, L"Minimize All", L"Tray Properties",
        L"Hide Taskbar", kLine, L"Shutdown System", kLine, L"Task Manager", kLine, L"Volume Control", kLine,
        L"Group Policy", kLine, L"My Computer", L"My Documents", L"My Network Places", kLine, L"USB Safe Removal"}},
      {L"&Control Panel",
       {L"Accessibility", L"Add/Remove Programs", L"Display", L"Desktop", L"Internet", L"Regional", L"Joystick",
        L"Mouse", L"Multimedia", L"Modems", L"Network", L"ODBC", L"Password", L"Printers", L"System", L"Theme",
        L"Time/Date", L"Workgroup", L"Scanners/Cameras", L"Phone and Modem Options"}},
      {L"Programs",
       {L"System File Checker", L"Defrag", L"Sys Edit", L"File Signature Verification", L"Device Manager", L"Dxdiag",
        L"On Screen Keyboard"}},
      {L"Hardware",
       {L"Standby Monitor", L"Switch Off Monitor", kLine, L"Eject CD", L"Load CD", kLine, L"Mute Speakers",
        L"Mute Microphone"}},
      {L"&Help", {L"Using Corvane", L"Corvane - Webpage", L"About"}},
  };
  const std::vector<ShownMenu> shown = ReadMenus();
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(shown[i].caption, expected[i].caption) << "menu " << i;
    EXPECT_EQ(shown[i].items, expected[i].items) << testing::PrintToString(expected[i].caption);
  }
}

TEST_F(MainWindowBars, ShortcutKeysRunTheItemsThatShowThem) {
  struct Shortcut {
    BYTE modifiers;
    WORD key;
    const wchar_t* item;
  };
  const Shortcut kShortcuts[] = {
      {0, VK_F2, L"Save to CSV"},        {FCONTROL, 'P', L"Print Full Spec"},
      {0, VK_F12, L"Exit"},              {FCONTROL, 'C', L"Copy to Clipboard"},
      {0, VK_F5, L"Main System Info"},   {0, VK_F6, L"Personal Info"},
      {0, VK_F7, L"Memory Info"},        {0, VK_F8, L"Display Info"},
      {0, VK_F9, L"Disk Info"},          {0, VK_F10, L"App Info"},
      {0, VK_F11, L"CPU Info"},          {FCONTROL, 'T', L"Transparent Background"},
  };
  using Row = std::tuple<int, int, int>;  // flags, key, command
  const std::map<std::wstring, UINT> commands = ReadCommands();
  std::vector<Row> expected;
  for (const Shortcut& s : kShortcuts) {
    const auto item = commands.find(s.item);
    ASSERT_NE(item, commands.end()) << testing::PrintToString(std::wstring(s.item));
    expected.emplace_back(FVIRTKEY | s.modifiers, s.key, static_cast<int>(item->second));
  }

  const platform::UniqueAccel table = ui::BuildAccelerators(MainMenus());
  ASSERT_TRUE(table);
  const int count = CopyAcceleratorTableW(table.get(), nullptr, 0);
  std::vector<ACCEL> accels(static_cast<std::size_t>(std::max(count, 0)));
  ASSERT_EQ(CopyAcceleratorTableW(table.get(), accels.data(), count), count);
  std::vector<Row> actual;
  for (const ACCEL& a : accels) {
    // Only the key and its modifiers matter: other bits are the system's bookkeeping.
    actual.emplace_back(a.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), a.key, a.cmd);
  }
  std::ranges::sort(expected);
  std::ranges::sort(actual);
  EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowBars, ToolbarButtonsRunTheirCommandsAndShowTheirHints) {
  ui::Toolbar toolbar;
  ASSERT_TRUE(toolbar.Create(host_.get(), kIdToolbar, MainToolbar()));
  // The host hands tooltip requests to it from here on. The control goes
  // before the object, which holds its pictures.
  struct Detach {
    HWND host, control;
    ~Detach() {
      SetWindowLongPtrW(host, GWLP_USERDATA, 0);
      DestroyWindow(control);
    }
  } detach{host_.get(), toolbar.hwnd()};
  SetWindowLongPtrW(host_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&toolbar));
  HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar.hwnd(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_TRUE(tips) << "the toolbar shows no tooltips";

  // What the user is meant to get from each button, left to right: its hint,
  // and the menu item it does the same as, or its own command where no menu
  // item does what it does.
  struct Button {
    const wchar_t* hint;
    const wchar_t* same_as_item;  // nullptr: own_command
    int own_command;
  };
  const Button kButtons[] = {
      {L"Personal Info", L"Personal Info", 0},
      {L"Memory Info", L"Memory Info", 0},
      {L"Display Info", L"Display Info", 0},
      {L"Disk Info", L"Disk Info", 0},
      {L"", L"CD / DVD Info", 0},
      {L"", L"CPU Info", 0},
      {L"", nullptr, kCmdShowInternet},  // the internet window
      {L"", L"App Info", 0},
      {L"Network", nullptr, kCmdShowNetwork},  // the network window
      {L"", L"Printer Info", 0},
      {L"", L"Sound", 0},
      {L"", nullptr, kCmdShowUsb},       // the USB window
      {L"", nullptr, kCmdShowDateTime},  // the date and time window
      {L"", L"Exit", 0},
  };
  const std::map<std::wstring, UINT> commands = ReadCommands();
  const auto count = static_cast<std::size_t>(SendMessageW(toolbar.hwnd(), TB_BUTTONCOUNT, 0, 0));
  ASSERT_EQ(count, std::size(kButtons));
  for (std::size_t i = 0; i < count; ++i) {
    SCOPED_TRACE("button " + std::to_string(i + 1));
    const Button& want = kButtons[i];
    TBBUTTON button{};
    ASSERT_TRUE(SendMessageW(toolbar.hwnd(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    if (want.same_as_item) {
      const auto item = commands.find(want.same_as_item);
      ASSERT_NE(item, commands.end()) << testing::PrintToString(std::wstring(want.same_as_item));
      EXPECT_EQ(button.idCommand, static_cast<int>(item->second))
          << "not the command of " << testing::PrintToString(std::wstring(want.same_as_item));
    } else {
      EXPECT_EQ(button.idCommand, want.own_command);
      for (const auto& [caption, command] : commands) {
        EXPECT_NE(static_cast<int>(command), button.idCommand) << "the command of " << testing::PrintToString(caption);
      }
    }

    // The hint as the tooltip gets it: it asks the toolbar, which asks the host.
    std::vector<wchar_t> text(INFOTIPSIZE + 1, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolbar.hwnd();
    tool.uId = static_cast<UINT_PTR>(button.idCommand);
    tool.lpszText = text.data();
    SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text.data()), std::wstring(want.hint));
  }
}

}  // namespace
}  // namespace corvane::app
