// The startup window from the main window's "Startup" under Wine: a value
// of the user's Run key is put into the prefix before the program starts
// and removed after it ends; the command shows the window and fills it.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/startup_window_ids.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

using namespace inventory::startup_ids;
using test_support::SeededValue;

class StartupWindow : public WindowSuite<StartupWindow> {
 public:
  static void BeforeStart() {
    const std::wstring data = L"C:\\e2e\\tray.exe /min";
    const auto* p = reinterpret_cast<const BYTE*>(data.c_str());
    run_ = std::make_unique<SeededValue>(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                         L"CorvaneE2E", REG_SZ,
                                         std::vector<BYTE>(p, p + (data.size() + 1) * sizeof(wchar_t)));
  }
  static void AfterEnd() { run_.reset(); }
  static WindowCommand Window() { return {app::kCmdStartup, L"TfrmStartup"}; }
  static FilledTest Filled() { return ChildHasText(kIdStatus); }

 protected:
  std::vector<std::vector<std::wstring>> Cells() const {
    return app_->ListCells(Child(kIdList)).value_or(std::vector<std::vector<std::wstring>>{});
  }

  static inline std::unique_ptr<SeededValue> run_;
};

TEST_F(StartupWindow, OpensFromTheMainWindowFilledAndRefreshesToTheSameList) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Startup"));
  EXPECT_EQ(app_->ListHeaders(Child(kIdList)), (std::vector<std::wstring>{L"Location", L"Name", L"Path"}));
  const auto cells = Cells();
  EXPECT_THAT(cells, testing::Contains(std::vector<std::wstring>{L"Registry (HKCU) - Run", L"CorvaneE2E",
                                                                 L"C:\\e2e\\tray.exe /min"}));
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(cells.size()));

  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdRefresh), -1);
  EXPECT_EQ(Cells(), cells) << "View, Refresh gives the same list, not a doubled one";
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(cells.size()));
}

TEST_F(StartupWindow, FileExitHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
