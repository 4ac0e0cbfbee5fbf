// The printed reports' preview from the main window's File menu under Wine:
// each report opens "Print Preview" over the main window, which waits on it
// until it is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/main_window_ids.h"
#include "e2e/harness.h"
#include "ui/print_preview_ids.h"

namespace corvane::e2e {
namespace {

using namespace std::chrono_literals;

class PrintPreview : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    app_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (app_->started()) app_->WaitForMainWindow();
  }
  static void TearDownTestSuite() { app_.reset(); }
  void SetUp() override {
    ASSERT_TRUE(app_->started());
    ASSERT_TRUE(app_->main_window());
  }
  static inline std::unique_ptr<CorvaneProcess> app_;
};

// The status bar's text as the preview shows it, once it reads `wanted`.
std::wstring StatusOnceItReads(HWND preview, const std::wstring& wanted) {
  std::wstring text;
  for (int i = 0; i < 100; ++i) {
    text = WindowText(GetDlgItem(preview, ui::preview_ids::kIdStatus)).value_or(L"?");
    if (text.rfind(wanted, 0) == 0) break;
    std::this_thread::sleep_for(50ms);
  }
  return text;
}

TEST_F(PrintPreview, EachReportOpensItsPreviewAndClosingItReturns) {
  for (const int command : {app::kCmdPrintFullSpec, app::kCmdPrintHardwareSpec}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(app_->PostCommand(command));
    const HWND preview = app_->WaitForWindow(L"TfrmPrintPreview", kRefreshTimeout);
    ASSERT_NE(preview, nullptr) << "no preview";
    EXPECT_EQ(WindowText(preview), std::optional<std::wstring>(L"Print Preview"));
    EXPECT_EQ(StatusOnceItReads(preview, L"Page 1 of 1").rfind(L"Page 1 of 1", 0), 0u);
    // The main window waits on the preview.
    EXPECT_FALSE(IsWindowEnabled(app_->main_window()));

    PostMessageW(preview, WM_COMMAND, ui::preview_ids::kCmdClose, 0);
    for (int i = 0; i < 100 && IsWindowVisible(preview); ++i) std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(IsWindowVisible(preview));
    EXPECT_TRUE(app_->Responsive());
    EXPECT_TRUE(IsWindowEnabled(app_->main_window()));
  }
  EXPECT_TRUE(app_->DismissMessageBoxes().empty());
}

}  // namespace
}  // namespace corvane::e2e
