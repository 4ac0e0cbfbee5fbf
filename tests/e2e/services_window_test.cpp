// The services window from the main window under Wine: the Win32 services
// of Wine's service manager, with a test service registered before the
// program starts (an own-process service that may use the desktop, so its
// Type cell is empty), listed once however often it is shown or refreshed.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/seeded_service_win.h"
#include "inventory/services_view.h"
#include "inventory/services_window_ids.h"

namespace corvane::e2e {
namespace {

using namespace inventory::services_ids;

constexpr wchar_t kTestService[] = L"CorvaneE2eSvc";
constexpr wchar_t kTestDisplayName[] = L"Corvane end-to-end service";

class ServicesWindow : public WindowSuite<ServicesWindow> {
 public:
  static void BeforeStart() {
    service_ = std::make_unique<test_support::SeededService>(
        kTestService, kTestDisplayName, SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS);
  }
  static void AfterEnd() { service_.reset(); }
  static WindowCommand Window() { return {app::kCmdServices, L"TfrmServices"}; }
  static FilledTest Filled() {
    return [](HWND window) { return Ask(FindDescendantById(window, kIdList), LVM_GETITEMCOUNT) > 0; };
  }

 protected:
  // The rows the manager's own wide interface gives, worded as the window words them.
  static std::vector<std::vector<std::wstring>> ExpectedRows() {
    std::vector<std::vector<std::wstring>> rows;
    for (const auto& s : test_support::ServicesOfTheManager()) {
      rows.push_back({s.display_name, std::wstring(inventory::ServiceStateText(s.state)),
                      std::wstring(inventory::ServiceTypeText(s.type)), s.name});
    }
    return rows;
  }
  std::vector<std::vector<std::wstring>> Cells() const {
    return app_->ListCells(Child(kIdList)).value_or(std::vector<std::vector<std::wstring>>{});
  }

  static inline std::unique_ptr<test_support::SeededService> service_;
};

TEST_F(ServicesWindow, OpensFromTheMainWindowWithEveryWin32ServiceOnce) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Services"));
  const std::vector<std::wstring> headers = {L"Service", L"Status", L"Type", L"Service Name"};
  EXPECT_EQ(app_->ListHeaders(Child(kIdList)), headers);

  const auto cells = Cells();
  EXPECT_EQ(cells, ExpectedRows()) << "in the manager's order";
  EXPECT_THAT(cells, testing::Contains(std::vector<std::wstring>{kTestDisplayName, L"Stopped", L"", kTestService}));
}

TEST_F(ServicesWindow, ShowingAgainAndRefreshingListTheSameServicesNotDoubled) {
  const auto first = Cells();
  ASSERT_FALSE(first.empty());
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Cells(), first) << "second showing";
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdRefresh), -1);
  EXPECT_EQ(Cells(), first) << "after View, Refresh";
}

TEST_F(ServicesWindow, FileExitHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
