// The main window of a normally started program: its caption, labels and
// geometry, the help window, the about box, the transparent background and
// the test-only count of live handles (what the soak run reads).
// One process serves every check that leaves it as it found it. (The menus
// and the toolbar are read in-process: tests/app/main_menu_win_test.cpp.)
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/live_handles.h"
#include "report/summary.h"
#include "e2e/harness.h"

namespace corvane::e2e {
namespace {

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // No refresh at start: these checks do not read the values.
    app_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (app_->started()) app_->WaitForMainWindow();
  }
  static void TearDownTestSuite() { app_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(app_->started()) << "CreateProcess error " << app_->start_error();
    ASSERT_TRUE(app_->main_window()) << "no visible TForm1";
    ASSERT_TRUE(app_->running());
    main_ = app_->main_window();
  }
  void TearDown() override {
    // A check that failed half-way must not leave a modal window for the next one.
    for (HWND box : app_->TopLevelWindows(L"TAboutBox")) PostMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_EQ(app_->FindMessageBox(), nullptr) << DescribeWindow(app_->FindMessageBox());
  }

  static std::unique_ptr<CorvaneProcess> app_;
  HWND main_ = nullptr;
};
std::unique_ptr<CorvaneProcess> MainWindow::app_;

TEST_F(MainWindow, CaptionAndRowLabels) {
  EXPECT_EQ(WindowText(main_), std::optional<std::wstring>(L"Corvane 2.84"));
  for (int n = 1; n <= app::kRowCount; ++n) {
    EXPECT_EQ(app_->Desc(n), report::SummaryModel::Label(n)) << "row " << n;
  }
}

// The summary's cells take no keyboard focus: a click on a label or a value
// cell leaves the focus where it was and shows no caret anywhere.
TEST_F(MainWindow, ClickOnACellLeavesTheFocusAndShowsNoCaret) {
  for (int id : {app::DescId(1), app::InfoId(14)}) {
    SCOPED_TRACE(testing::Message() << "cell " << id);
    HWND cell = app_->Control(id);
    ASSERT_TRUE(cell);
    // The click brings the window to the front first; its focus then is the one to keep.
    SetForegroundWindow(main_);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, kUiTimeout));
    ASSERT_TRUE(app_->Responsive());
    const auto before = app_->ThreadInfo();
    ASSERT_TRUE(before);
    ASSERT_TRUE(app_->Click(cell));
    // Input reaches the program after any message sent to it, so no reply
    // says the click was handled: a focus or caret that would move moves
    // within this wait.
    const bool moved = WaitUntil(
        [&] {
          const auto now = app_->ThreadInfo();
          return !now || now->hwndFocus != before->hwndFocus || now->hwndCaret != nullptr;
        },
        500ms);
    const auto after = app_->ThreadInfo();
    ASSERT_TRUE(after);
    EXPECT_FALSE(moved);
    EXPECT_EQ(after->hwndFocus, before->hwndFocus);
    EXPECT_NE(after->hwndFocus, cell);
    EXPECT_EQ(after->hwndCaret, nullptr);
  }
}

TEST_F(MainWindow, FirstShowSizeAndPlace) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768) << "the test display is 1024x768";
  const RECT r = WindowRect(main_);
  EXPECT_EQ(Height(r), 718) << "screen height less 50";
  EXPECT_EQ(Width(r), 690);
  // Centred on the screen.
  EXPECT_NEAR(r.left, (1024 - 690) / 2, 1);
  EXPECT_NEAR(r.top, (768 - 718) / 2, 1);
  for (int n = 1; n <= app::kRowCount; ++n) {
    HWND cell = app_->Control(app::InfoId(n));
    ASSERT_TRUE(cell) << "row " << n;
    EXPECT_EQ(Width(WindowRect(cell)), 440) << "row " << n;
  }
}

TEST_F(MainWindow, ValueCellsFollowTheWidthLabelsDoNot) {
  const RECT before = WindowRect(main_);
  const int label_width = Width(WindowRect(app_->Control(app::DescId(1))));
  auto resize = [&](int w, int h) {
    return SetWindowPos(main_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  auto cells_are = [&](int width) {
    for (int n = 1; n <= app::kRowCount; ++n) {
      if (Width(WindowRect(app_->Control(app::InfoId(n)))) != width) return false;
    }
    return true;
  };

  ASSERT_TRUE(resize(890, Height(before)));
  EXPECT_TRUE(WaitUntil([&] { return cells_are(640); }, kUiTimeout))
      << "row 1 cell is " << Width(WindowRect(app_->Control(app::InfoId(1)))) << " wide in a window "
      << Width(WindowRect(main_)) << " wide";
  for (int n = 1; n <= app::kRowCount; ++n) {
    EXPECT_EQ(Width(WindowRect(app_->Control(app::DescId(n)))), label_width) << "row " << n;
  }

  // The window does not get lower than 450 pixels.
  ASSERT_TRUE(resize(Width(before), 300));
  EXPECT_TRUE(WaitUntil([&] { return Height(WindowRect(main_)) == 450; }, kUiTimeout))
      << "height " << Height(WindowRect(main_));

  ASSERT_TRUE(resize(Width(before), Height(before)));
  EXPECT_TRUE(WaitUntil([&] { return cells_are(440); }, kUiTimeout));
}

TEST_F(MainWindow, HelpWindowShowsAndShowsAgainAfterClosing) {
  // Built the first time it is shown: before, there is no such window, not
  // even hidden (no other check of this suite shows it).
  EXPECT_EQ(app_->FindWindowOfClass(L"TfrmHelp", /*visible_only=*/false), nullptr);

  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const OpenedWindow opened =
        OpenWindow(*app_, {app::kCmdUsingCorvane, L"TfrmHelp"}, ShowsText(L"Using Corvane"), kUiTimeout);
    ASSERT_TRUE(opened.window) << opened.failure;
    HWND help = opened.window;
    EXPECT_EQ(WindowText(help), std::optional<std::wstring>(L"Help"));
    const std::wstring texts = DescribeWindow(help);
    EXPECT_NE(texts.find(L"/NOCOM"), std::wstring::npos) << texts;
    // Shown again, it is the one window built at the first showing.
    EXPECT_EQ(app_->TopLevelWindows(L"TfrmHelp", /*visible_only=*/false).size(), 1u);
    // Closing hides (or destroys) it; the next command must bring it back.
    PostMessageW(help, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help) || !IsWindowVisible(help); }, kUiTimeout));
  }
  EXPECT_TRUE(app_->running());
}

TEST_F(MainWindow, AboutBoxIsModalShowsVersionAndCloses) {
  // Once closed with its OK button, once with the close box.
  for (bool use_ok : {true, false}) {
    SCOPED_TRACE(use_ok ? "OK button" : "WM_CLOSE");
    ASSERT_TRUE(app_->PostCommand(app::kCmdAbout));
    HWND about = app_->WaitForWindow(L"TAboutBox");
    ASSERT_TRUE(about) << "no visible TAboutBox";
    EXPECT_EQ(WindowText(about), std::optional<std::wstring>(L"About"));
    const std::wstring texts = DescribeWindow(about);
    EXPECT_NE(texts.find(L"Version 2.84"), std::wstring::npos) << texts;
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main_); }, kUiTimeout)) << "the about box is modal";

    if (use_ok) {
      HWND ok = FindButton(about, L"OK");
      ASSERT_TRUE(ok) << texts;
      ASSERT_TRUE(ClickButton(ok));
    } else {
      PostMessageW(about, WM_CLOSE, 0, 0);
    }
    // Created for each showing and destroyed when closed.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, kUiTimeout));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }, kUiTimeout));
    EXPECT_TRUE(app_->Responsive(kUiTimeout));
  }
}

TEST_F(MainWindow, TransparentBackgroundToggles) {
  auto layered = [&] { return (GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
  ASSERT_FALSE(layered());

  ASSERT_TRUE(app_->SendCommand(app::kCmdTransparentBackground, kUiTimeout));
  EXPECT_TRUE(layered());
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(main_, &key, &alpha, &flags));
  EXPECT_TRUE(flags & LWA_COLORKEY);
  EXPECT_EQ(key, RGB(255, 255, 255)) << "white is the key colour";
  ASSERT_TRUE(app_->SendCommand(app::kCmdTransparentBackground, kUiTimeout));
  EXPECT_FALSE(layered());

  // The same through the Ctrl+T accelerator.
  ASSERT_TRUE(app_->PressKey('T', {VK_CONTROL}));
  EXPECT_TRUE(WaitUntil(layered, kUiTimeout)) << "Ctrl+T did not switch transparency on";
  ASSERT_TRUE(app_->PressKey('T', {VK_CONTROL}));
  EXPECT_TRUE(WaitUntil([&] { return !layered(); }, kUiTimeout)) << "Ctrl+T did not switch it off";
}

// Every way of closing the main window ends the process normally.
struct CloseCase {
  const char* name;
  std::function<bool(CorvaneProcess&)> close;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class Closing : public testing::TestWithParam<CloseCase> {};

TEST_P(Closing, EndsTheProcess) {
  CorvaneProcess app({L"/norefresh"});
  ASSERT_TRUE(app.started());
  ASSERT_TRUE(app.WaitForMainWindow());
  ASSERT_TRUE(GetParam().close(app));
  EXPECT_EQ(app.WaitForExit(kExitTimeout), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    testing::Values(CloseCase{"ExitCommand", [](CorvaneProcess& a) { return a.PostCommand(app::kCmdExit); }},
                    CloseCase{"F12", [](CorvaneProcess& a) { return a.PostKey(VK_F12); }},
                    CloseCase{"CloseBox",
                              [](CorvaneProcess& a) { return PostMessageW(a.main_window(), WM_CLOSE, 0, 0) != 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

using platform::HandleKind;
using platform::kHandleKindCount;
using LiveCounts = std::array<LRESULT, kHandleKindCount>;

LRESULT QueryLiveHandles(HWND main, unsigned long long kind) {
  static const UINT message = RegisterWindowMessageW(platform::kLiveHandlesMessage);
  return Ask(main, message, static_cast<WPARAM>(kind));
}

LiveCounts ReadLiveHandles(HWND main) {
  LiveCounts counts{};
  for (size_t k = 0; k < kHandleKindCount; ++k) counts[k] = QueryLiveHandles(main, k);
  return counts;
}

TEST_F(MainWindow, LiveHandlesAnswersEveryKindAndRefusesOthers) {
  const LiveCounts counts = ReadLiveHandles(main_);
  for (size_t k = 0; k < kHandleKindCount; ++k) EXPECT_GE(counts[k], 0) << platform::kHandleKindNames[k];
  // The theme's fonts and the main window's shortcut table are held from the start.
  EXPECT_GT(counts[static_cast<size_t>(HandleKind::kGdiObject)], 0);
  EXPECT_GT(counts[static_cast<size_t>(HandleKind::kAccelerator)], 0);
  EXPECT_EQ(QueryLiveHandles(main_, kHandleKindCount), -1);
}

// The about box is made for each showing: a second showing leaves every
// count where the first one left it.
TEST_F(MainWindow, AboutBoxShownAgainHoldsNoMoreHandles) {
  const auto show_and_close = [&] {
    app_->PostCommand(app::kCmdAbout);
    HWND box = app_->WaitForWindow(L"TAboutBox");
    ASSERT_TRUE(box) << "no about box";
    PostMessageW(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
    ASSERT_TRUE(app_->Responsive());
  };
  show_and_close();
  const LiveCounts after_first = ReadLiveHandles(main_);
  show_and_close();
  const LiveCounts after_second = ReadLiveHandles(main_);
  for (size_t k = 0; k < kHandleKindCount; ++k) {
    EXPECT_EQ(after_second[k], after_first[k]) << platform::kHandleKindNames[k];
  }
}

}  // namespace
}  // namespace corvane::e2e
