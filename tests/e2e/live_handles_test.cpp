// The main window's test-only count of the handles the program's owners
// hold: what the soak run reads. Checked here on a window made and destroyed
// per showing, so a handle it keeps shows as a count that grows.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "e2e/harness.h"
#include "platform/live_handles.h"

namespace corvane::e2e {
namespace {

using platform::HandleKind;
using platform::kHandleKindCount;
using Counts = std::array<LRESULT, kHandleKindCount>;

class LiveHandles : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    app_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (app_->started()) app_->WaitForMainWindow();
  }
  static void TearDownTestSuite() { app_.reset(); }
  void SetUp() override { ASSERT_TRUE(app_->main_window()) << "no visible TForm1"; }

  static LRESULT Query(unsigned long long kind) {
    static const UINT message = RegisterWindowMessageW(platform::kLiveHandlesMessage);
    return Ask(app_->main_window(), message, static_cast<WPARAM>(kind));
  }
  static Counts Read() {
    Counts counts{};
    for (size_t k = 0; k < kHandleKindCount; ++k) counts[k] = Query(k);
    return counts;
  }

  static inline std::unique_ptr<CorvaneProcess> app_;
};

TEST_F(LiveHandles, AnswersEveryKindAndRefusesOthers) {
  const Counts counts = Read();
  for (size_t k = 0; k < kHandleKindCount; ++k) EXPECT_GE(counts[k], 0) << platform::kHandleKindNames[k];
  // The theme's fonts and brushes and the main window's accelerators are held from the start.
  EXPECT_GT(counts[static_cast<size_t>(HandleKind::kGdiObject)], 0);
  EXPECT_GT(counts[static_cast<size_t>(HandleKind::kAccelerator)], 0);
  EXPECT_EQ(Query(kHandleKindCount), -1);
}

// The about box is made for each showing: the second showing leaves every
// count where the first one left it.
TEST_F(LiveHandles, AboutBoxShownTwiceHoldsNothingMore) {
  const auto show_and_close = [] {
    app_->PostCommand(app::kCmdAbout);
    HWND box = app_->WaitForWindow(L"TAboutBox");
    ASSERT_TRUE(box) << "no about box";
    PostMessageW(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
    ASSERT_TRUE(app_->Responsive());
  };
  show_and_close();
  const Counts after_first = Read();
  show_and_close();
  const Counts after_second = Read();
  for (size_t k = 0; k < kHandleKindCount; ++k) {
    EXPECT_EQ(after_second[k], after_first[k]) << platform::kHandleKindNames[k];
  }
}

}  // namespace
}  // namespace corvane::e2e
