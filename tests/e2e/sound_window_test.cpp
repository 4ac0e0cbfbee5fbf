// The sound window from the main window under Wine, which has no sound
// device: it opens modally from View, Sound and from its toolbar button with
// Wine's readings and the prefix's sound events (two seeded for the suite),
// gives its two messages, and is made afresh for every opening.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/sound_window_ids.h"
#include "inventory/event_labels_win.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

using namespace inventory::sound_ids;
using namespace std::string_view_literals;
using test_support::SeededValue;

using test_support::EventLabelsNow;
using test_support::kEventLabels;
using test_support::Utf16;

class SoundWindow : public WindowSuite<SoundWindow> {
 public:
  static void BeforeStart() {
    for (const wchar_t* name : {L"CorvaneE2eFirst", L"CorvaneE2eSecond"}) {
      seeded_.push_back(std::make_unique<SeededValue>(HKEY_CURRENT_USER, std::wstring(kEventLabels) + L"\\" + name,
                                                      L"", REG_SZ, Utf16(L"Corvane test event\0"sv)));
    }
  }
  static void AfterEnd() {
    while (!seeded_.empty()) seeded_.pop_back();
  }
  // View, Sound: shown modally.
  static WindowCommand Window() { return {app::kCmdSound, L"TfrmSound", /*modal=*/true}; }
  static FilledTest Filled() { return ChildHasText(kIdSoundCard); }

 protected:
  // Clicks and waits for the message box the click must bring up; returns
  // its texts after dismissing it.
  std::wstring ClickForMessage(const wchar_t* button) const {
    HWND b = FindButton(window_, button);
    if (!b || !ClickButton(b)) return L"<no click>";
    HWND box = app_->WaitForWindow(L"#32770", kUiTimeout);
    if (!box) return L"<no message box>";
    const std::wstring texts = DescribeWindow(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
    return texts;
  }

  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
};

TEST_F(SoundWindow, OpensModallyWithWinesReadingsAndTheEventList) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Sound"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_->main_window()); }, kUiTimeout)) << "modal";
  EXPECT_FALSE(GetWindowLongW(window_, GWL_STYLE) & WS_THICKFRAME) << "fixed size";

  BOOL beeper = FALSE;
  SystemParametersInfoW(SPI_GETBEEP, 0, &beeper, 0);
  const struct {
    int id;
    const wchar_t* label;
    std::wstring value;
  } rows[] = {
      {kIdSoundCard, L"Sound card", L"Not detected"},
      {kIdMixerDevices, L"Mixer Devices", L"0"},
      {kIdVersion, L"Version", L""},
      {kIdSpeakers, L"Speakers", beeper ? L"Present" : L"NOT Present"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Text(row.id + 50), row.label);
    EXPECT_EQ(Text(row.id), row.value) << testing::PrintToString(std::wstring(row.label));
  }
  EXPECT_EQ(Text(kIdFrequency), L"1000");
  EXPECT_EQ(Text(kIdDuration), L"1000");
  for (const wchar_t* button : {L"Sound Test", L"Play WAV File", L"Test PC Speaker", L"Play", L"Settings",
                                L"Mixer settings", L"Test"}) {
    EXPECT_TRUE(FindButton(window_, button)) << testing::PrintToString(std::wstring(button));
  }

  const std::vector<std::wstring> events = EventLabelsNow();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(ListBoxLines(Child(kIdEventList)), std::optional(events));
}

TEST_F(SoundWindow, PlayWithoutASelectionAsksForOne) {
  const std::wstring box = ClickForMessage(L"Play");
  EXPECT_NE(box.find(L"Select an item from the list"), std::wstring::npos) << testing::PrintToString(box);
  EXPECT_TRUE(IsWindowVisible(window_)) << "the window stays";
}

TEST_F(SoundWindow, AToneThatIsNoIntegerIsTold) {
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutW(Child(kIdFrequency), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12ab"),
                                  SMTO_ABORTIFHUNG, 10000, &ignored));
  const std::wstring box = ClickForMessage(L"Test");
  EXPECT_NE(box.find(L"'12ab' is not a valid integer value"), std::wstring::npos) << testing::PrintToString(box);
}

TEST_F(SoundWindow, EachOpeningIsANewWindowThatReadsAgain) {
  const std::optional<std::vector<std::wstring>> first = ListBoxLines(Child(kIdEventList));
  // File, Exit (F12) closes it, and it goes.
  PostMessageW(window_, WM_KEYDOWN, VK_F12, 0);
  PostMessageW(window_, WM_KEYUP, VK_F12, 0xC0000000);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); }, kUiTimeout)) << "destroyed when closed";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_->main_window()) != FALSE; }, kUiTimeout));

  // The sound command (the View item and the toolbar button) opens it again, with the
  // list read once more, not added to.
  EXPECT_GT(Ask(app_->Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdSound), 0);
  ASSERT_TRUE(Open());
  EXPECT_EQ(ListBoxLines(Child(kIdEventList)), first);
}

}  // namespace
}  // namespace corvane::e2e
