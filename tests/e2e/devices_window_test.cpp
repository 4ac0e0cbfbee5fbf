// The device-driver window from the main window under Wine: the classes of
// the prefix's live control set, with one seeded before the program starts
// (and removed after it ends), sorted by driver and counted below.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/devices_window_ids.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

using namespace inventory::devices_ids;

constexpr wchar_t kSeededClass[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{c0a7e5e1-0002-4c6f-9e00-000000000001}\\0000";

std::vector<BYTE> Utf16Z(std::wstring_view text) {
  std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
  return bytes;
}

class DevicesWindow : public WindowSuite<DevicesWindow> {
 public:
  static void BeforeStart() {
    description_ = std::make_unique<test_support::SeededValue>(kSeededClass, L"DriverDesc", REG_SZ,
                                                               Utf16Z(L"aardvark corvane driver"));
    provider_ = std::make_unique<test_support::SeededValue>(kSeededClass, L"ProviderName", REG_SZ, Utf16Z(L"Corvane"));
  }
  static void AfterEnd() {
    provider_.reset();
    description_.reset();
  }
  static WindowCommand Window() { return {app::kCmdDeviceInfo, L"TfrmDevices"}; }
  static FilledTest Filled() { return ChildHasText(kIdStatus); }

 protected:
  std::vector<std::vector<std::wstring>> Cells() const {
    return app_->ListCells(Child(kIdList)).value_or(std::vector<std::vector<std::wstring>>{});
  }
  // Sorted by the driver, in the user's order (lstrcmpW: the user locale, case-aware).
  static bool SortedByDriver(const std::vector<std::vector<std::wstring>>& rows) {
    return std::is_sorted(rows.begin(), rows.end(),
                          [](const auto& a, const auto& b) { return lstrcmpW(a[0].c_str(), b[0].c_str()) < 0; });
  }

  static inline std::unique_ptr<test_support::SeededValue> description_, provider_;
};

TEST_F(DevicesWindow, OpensFromTheMainWindowSortedByDriverWithTheCount) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Device Info"));
  const std::vector<std::wstring> headers = {L"Driver", L"Provider", L"Version"};
  EXPECT_EQ(app_->ListHeaders(Child(kIdList)), headers);

  const auto cells = Cells();
  EXPECT_THAT(cells, testing::Contains(std::vector<std::wstring>{L"aardvark corvane driver", L"Corvane", L""}));
  EXPECT_THAT(cells, testing::Contains(testing::ElementsAre(L"Wine Adapter", testing::_, testing::_)));
  EXPECT_TRUE(SortedByDriver(cells)) << testing::PrintToString(cells);
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(cells.size()));
  const LONG_PTR ex = Ask(Child(kIdList), LVM_GETEXTENDEDLISTVIEWSTYLE);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES) << "grid lines";
}

TEST_F(DevicesWindow, ShowingAgainAndRefreshingListTheSameDriversNotDoubled) {
  const auto first = Cells();
  ASSERT_FALSE(first.empty());
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Cells(), first) << "second showing";
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdRefresh), -1);
  EXPECT_EQ(Cells(), first) << "after View, Refresh";
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(first.size()));
}

TEST_F(DevicesWindow, FileExitHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
