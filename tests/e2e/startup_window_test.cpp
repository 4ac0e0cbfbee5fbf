// The startup window from the main window's "Startup" under Wine: a value
// of the user's Run key and one of the machine's in each registry view are
// put into the prefix before the program starts and removed after it ends;
// the command shows the window and fills it.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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
    Seed(HKEY_CURRENT_USER, L"CorvaneE2E", L"C:\\e2e\\tray.exe /min");
    Seed(HKEY_LOCAL_MACHINE, L"CorvaneE2E64", L"C:\\e2e\\sixty-four.exe", SeedView(KEY_WOW64_64KEY));
    Seed(HKEY_LOCAL_MACHINE, L"CorvaneE2E32", L"C:\\e2e\\thirty-two.exe", SeedView(KEY_WOW64_32KEY));
  }
  static void AfterEnd() { run_.clear(); }
  static WindowCommand Window() { return {app::kCmdStartup, L"TfrmStartup"}; }
  static FilledTest Filled() { return ChildHasText(kIdStatus); }

 protected:
  std::vector<std::vector<std::wstring>> Cells() const {
    return app_->ListCells(Child(kIdList)).value_or(std::vector<std::vector<std::wstring>>{});
  }

  static void Seed(HKEY root, const std::wstring& name, const std::wstring& data, REGSAM view = 0) {
    const auto* p = reinterpret_cast<const BYTE*>(data.c_str());
    run_.push_back(std::make_unique<SeededValue>(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", name,
                                                 REG_SZ, std::vector<BYTE>(p, p + (data.size() + 1) * sizeof(wchar_t)),
                                                 view));
  }

  static inline std::vector<std::unique_ptr<SeededValue>> run_;
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

TEST_F(StartupWindow, ListsTheMachinesRunKeyInBothViewsTheOtherLabelled32Bit) {
  const auto cells = Cells();
  using Row = std::vector<std::wstring>;
  EXPECT_THAT(cells, testing::Contains(Row{L"Registry (HKLM) - Run", L"CorvaneE2E64", L"C:\\e2e\\sixty-four.exe"}));
  // 32-bit Windows has one view, read without a label of its own.
  const std::wstring label32 = WindowsIs64Bit() ? L"Registry (HKLM) - Run (32-bit)" : L"Registry (HKLM) - Run";
  EXPECT_THAT(cells, testing::Contains(Row{label32, L"CorvaneE2E32", L"C:\\e2e\\thirty-two.exe"}));
  const auto listed = std::ranges::count_if(cells, [](const Row& row) { return row.size() == 3 && row[1] == L"CorvaneE2E"; });
  EXPECT_EQ(listed, 1) << "the user's key is one for both views, read once";
}

TEST_F(StartupWindow, FileExitHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
