// The display window from the main window under Wine: it names Wine's
// adapter and its device, lists each adapter once however often it is shown
// or refreshed, words the screen's capabilities, and shows the state flags
// of the chosen adapter, with no message box on the way.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "memory_display_time/display_window_ids.h"

namespace corvane::e2e {
namespace {

namespace ids = memory_display_time::display_ids;

bool Matches(const std::wstring& text, const wchar_t* pattern) { return std::regex_match(text, std::wregex(pattern)); }

class DisplayWindow : public WindowSuite<DisplayWindow> {
 public:
  // View, Display Info; the device name of the first adapter is filled once the refresh has run.
  static WindowCommand Window() { return {app::kCmdDisplayInfo, L"TfrmDisplay"}; }
  static FilledTest Filled() { return ChildHasText(ids::kIdDevice); }

 protected:
  HWND Adapters() const { return Child(ids::kIdAdapterList); }
  LRESULT EntryCount() const { return Ask(Adapters(), CB_GETCOUNT); }

  // Picks an entry as the user does: the selection moves and the list
  // notifies its parent (-1 takes the selection away).
  void Pick(int index) const {
    HWND combo = Adapters();
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    Ask(GetParent(combo), WM_COMMAND, MAKEWPARAM(ids::kIdAdapterList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  bool Flag(int item) const { return Ask(Child(ids::StateFlagId(item)), BM_GETCHECK) == BST_CHECKED; }
};

TEST_F(DisplayWindow, OpensFromTheMainWindowWithItsRowsAndFlags) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Display"));
  EXPECT_GT(Ask(app_->Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdDisplayInfo), 0) << "its toolbar button";
  const std::wstring described = DescribeWindow(window_);
  for (const wchar_t* text :
       {L"Item", L"Details", L"Adapters", L"Device", L"Chipset", L"DAC", L"Memory", L"BIOS", L"Technology", L"Metrics",
        L"Font Resolution", L"Pixel Width", L"Pixel Height", L"Pixel Diagonal", L"Monitor frequency",
        L"Number of Monitors", L"Monitor(s)", L"Driver Version", L"State Flags",
        L"Display Device Attached To Desktop", L"Display Device Multi Driver", L"Display Device Primary Device",
        L"Display Device Mirroring Driver", L"Display Device VGA"}) {
    EXPECT_NE(described.find(text), std::wstring::npos) << testing::PrintToString(text);
  }
  EXPECT_FALSE(Child(ids::StateFlagId(5))) << "five flags";
}

TEST_F(DisplayWindow, NamesTheFirstAdapterAndWordsTheScreen) {
  ASSERT_GE(EntryCount(), 1);
  EXPECT_FALSE(WindowText(Adapters()).value_or(L"").empty()) << "the first entry is chosen";
  EXPECT_TRUE(Matches(Text(ids::kIdDevice), L"\\\\\\\\\\.\\\\DISPLAY[0-9]+")) << Text(ids::kIdDevice);
  EXPECT_TRUE(Matches(Text(ids::kIdMetrics), L"[1-9][0-9]* x [1-9][0-9]* - [1-9][0-9]* bit")) << Text(ids::kIdMetrics);
  EXPECT_EQ(Text(ids::kIdTechnology), L"Raster Display");
  EXPECT_TRUE(Matches(Text(ids::kIdFontResolution), L"[1-9][0-9]* dpi")) << Text(ids::kIdFontResolution);
  for (int id : {ids::kIdPixelWidth, ids::kIdPixelHeight, ids::kIdPixelDiagonal, ids::kIdMonitorCount,
                 ids::kIdDriverVersion}) {
    EXPECT_TRUE(Matches(Text(id), L"[0-9]+")) << id << ": " << testing::PrintToString(Text(id));
  }
  EXPECT_NE(Text(ids::kIdMonitorCount), L"0");
  // Wine is of the NT platform, which reports the refresh rate.
  EXPECT_TRUE(Matches(Text(ids::kIdMonitorFrequency), L"[0-9]+ Hz")) << Text(ids::kIdMonitorFrequency);
  EXPECT_TRUE(Matches(Text(ids::kIdMonitors), L"(.+ \\| )*")) << Text(ids::kIdMonitors);
  EXPECT_TRUE(Matches(Text(ids::kIdBios), L".* \\(.*\\)")) << Text(ids::kIdBios);
  // Chip and DAC from the hardware information of Wine's video device.
  EXPECT_EQ(Text(ids::kIdChipset), L"Wine Adapter");
  EXPECT_EQ(Text(ids::kIdDac), L"Intergrated RAMDAC");  // spelt so by Wine
  // Wine's first adapter is the primary one, attached to the desktop.
  EXPECT_TRUE(Flag(0));
  EXPECT_TRUE(Flag(2));
  // The flags show the adapter's state: a click changes nothing.
  Ask(Child(ids::StateFlagId(1)), BM_CLICK);
  EXPECT_FALSE(Flag(1));
}

TEST_F(DisplayWindow, ListsEachAdapterOnceHoweverOftenItIsShown) {
  const LRESULT first = EntryCount();
  ASSERT_GE(first, 1);
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(EntryCount(), first) << "second showing";
  Ask(window_, WM_COMMAND, ids::kCmdRefresh);
  EXPECT_EQ(EntryCount(), first) << "after View, Refresh";
  EXPECT_FALSE(Text(ids::kIdDevice).empty());
}

TEST_F(DisplayWindow, NoChosenEntryEmptiesTheAdapterRowsAndPickingAgainFillsThem) {
  const std::wstring device = Text(ids::kIdDevice);
  Pick(-1);
  for (int id : {ids::kIdDevice, ids::kIdChipset, ids::kIdDac, ids::kIdMemory}) {
    EXPECT_EQ(Text(id), L"") << id;
  }
  for (int item = 0; item < 5; ++item) EXPECT_FALSE(Flag(item)) << item;
  EXPECT_FALSE(Text(ids::kIdMetrics).empty()) << "the screen rows stay";
  // The last entry may be a driver description with no adapter behind it.
  Pick(static_cast<int>(EntryCount()) - 1);
  EXPECT_EQ(app_->FindMessageBox(), nullptr);
  Pick(0);
  EXPECT_EQ(Text(ids::kIdDevice), device);
  EXPECT_TRUE(Flag(0));
}

TEST_F(DisplayWindow, F8OpensItFromTheMainWindow) {
  Close();
  ASSERT_TRUE(app_->PressKey(VK_F8));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kUiTimeout));
  EXPECT_TRUE(WaitUntil([&] { return !Text(ids::kIdDevice).empty(); }, kRefreshTimeout));
}

}  // namespace
}  // namespace corvane::e2e
