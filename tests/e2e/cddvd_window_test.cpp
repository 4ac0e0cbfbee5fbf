// The CD/DVD window from the main window under Wine, with two CD-ROM drives
// defined in the prefix for the suite: each is listed once however often the
// window is shown, the WMI rows describe the selected drive, a drive that is
// no CD drive and Wine's refusal of pass-through give their messages, and
// the door commands reach Wine's multimedia CD device.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "storage/cddvd_view.h"
#include "storage/cddvd_window_ids.h"
#include "storage/wine_cd_drive.h"

namespace corvane::e2e {
namespace {

using storage::kCdDvdSheetRows;
using testing_support::WineCdDrive;

std::size_t RowIndex(std::wstring_view label) {
  for (std::size_t i = 0; i < kCdDvdSheetRows.size(); ++i) {
    if (kCdDvdSheetRows[i].label == label) return i;
  }
  ADD_FAILURE() << "no row " << testing::PrintToString(std::wstring(label));
  return 0;
}

class CdDvdWindow : public WindowSuite<CdDvdWindow> {
 public:
  // Defined before the program starts; the window reads the drives anew
  // on every showing anyway.
  static void BeforeStart() {
    cd_ = std::make_unique<WineCdDrive>(L"CORVANE CD");
    dvd_ = std::make_unique<WineCdDrive>(L"CORVANE DVD");
  }
  static void AfterEnd() {
    dvd_.reset();
    cd_.reset();
  }
  // View, CD / DVD Info; the window fills itself while it is being shown,
  // the selected drive's rows last.
  static WindowCommand Window() { return {app::kCmdCdDvdInfo, L"TfrmCDDVD"}; }
  static FilledTest Filled() {
    return ChildHasText(storage::cddvd_ids::kIdFirstValue + static_cast<int>(RowIndex(L"Drive Letter")));
  }

 protected:
  void SetUp() override {
    if (!cd_->ok() || !dvd_->ok()) GTEST_SKIP() << cd_->why_not() << dvd_->why_not();
    WindowSuite::SetUp();
  }

  HWND DriveList() const { return Child(storage::cddvd_ids::kIdDriveList); }
  std::wstring Row(std::wstring_view label) const {
    HWND cell = Child(storage::cddvd_ids::kIdFirstValue + static_cast<int>(RowIndex(label)));
    return cell ? WindowText(cell).value_or(L"?") : L"<missing>";
  }

  // The list's entries, read through the selection (a combo box's items
  // cannot be read from outside without passing a pointer); the first entry
  // is selected again afterwards. No notification is sent.
  std::vector<std::wstring> DriveEntries() const {
    std::vector<std::wstring> entries;
    const LRESULT count = Ask(DriveList(), CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      Ask(DriveList(), CB_SETCURSEL, static_cast<WPARAM>(i));
      entries.push_back(WindowText(DriveList()).value_or(L"?"));
    }
    Ask(DriveList(), CB_SETCURSEL, 0);
    return entries;
  }

  // Picks an entry as the user does: the selection moves and the list
  // notifies its parent, which fills the rows before this returns.
  void PickDrive(int index) const {
    ASSERT_NE(Ask(DriveList(), CB_SETCURSEL, static_cast<WPARAM>(index)), CB_ERR);
    Ask(GetParent(DriveList()), WM_COMMAND, MAKEWPARAM(storage::cddvd_ids::kIdDriveList, CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(DriveList()));
  }

  // Types a drive into the editable list without notifying anyone.
  void TypeDrive(const wchar_t* text) const {
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(DriveList(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                    10000, &ignored));
  }

  HWND Button(const wchar_t* text) const {
    HWND button = FindButton(window_, text);
    EXPECT_TRUE(button) << testing::PrintToString(std::wstring(text));
    return button;
  }

  // Clicks and waits for the message box the click must bring up; returns
  // its texts after dismissing it.
  std::wstring ClickForMessage(const wchar_t* button) const {
    HWND b = Button(button);
    if (!b || !ClickButton(b)) return L"<no click>";
    HWND box = app_->WaitForWindow(L"#32770", kRefreshTimeout);
    if (!box) return L"<no message box>";
    const std::wstring texts = DescribeWindow(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }, kUiTimeout));
    return texts;
  }

  // Clicks and waits for the command to end; false when it did not end in
  // time (a message box it showed is waiting for a click).
  bool ClickQuietly(const wchar_t* button) const {
    HWND b = Button(button);
    DWORD_PTR ignored = 0;
    return b && SendMessageTimeoutW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                                    reinterpret_cast<LPARAM>(b), SMTO_NORMAL, 15000, &ignored);
  }

  static std::wstring Entry(const WineCdDrive& drive, const wchar_t* label) {
    return std::wstring(1, drive.letter()) + L": [" + label + L"]";
  }
  static std::wstring Drive(const WineCdDrive& drive) { return std::wstring(1, drive.letter()) + L":"; }

  static inline std::unique_ptr<WineCdDrive> cd_, dvd_;
};

TEST_F(CdDvdWindow, OpensFromTheMainWindowWithItsCommandEnabled) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"CD / DVD Information"));
  // Positive: 0 is a disabled button, -1 no answer.
  EXPECT_GT(Ask(app_->Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdCdDvdInfo), 0) << "toolbar button 5";
  const std::wstring texts = DescribeWindow(window_);
  for (const wchar_t* text : {L"Item", L"Details", L"Drive", L"Vendor", L"Product Id", L"Revision", L"Vendor Spec",
                              L"Manufacturer driver", L"PNP Device ID", L"Drive Letter", L"Drive Capabilities",
                              L"Eject CD/DVD", L"Load CD/DVD", L"Eject Default", L"Analyse Inserted Media"}) {
    EXPECT_NE(texts.find(text), std::wstring::npos) << testing::PrintToString(std::wstring(text));
  }
}

TEST_F(CdDvdWindow, ListsEachCdDriveOnceHoweverOftenItIsShown) {
  const std::vector<std::wstring> expected = {Entry(*cd_, L"CORVANE CD"), Entry(*dvd_, L"CORVANE DVD")};
  EXPECT_EQ(DriveEntries(), expected) << "first showing";
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(DriveEntries(), expected) << "second showing";
  Ask(window_, WM_COMMAND, storage::cddvd_ids::kCmdRefresh);
  EXPECT_EQ(DriveEntries(), expected) << "after View, Refresh";
}

TEST_F(CdDvdWindow, RowsDescribeTheSelectedDrive) {
  // The first drive is selected and described when the window opens.
  EXPECT_EQ(WindowText(DriveList()), std::optional<std::wstring>(Entry(*cd_, L"CORVANE CD")));
  EXPECT_EQ(Row(L"Drive Letter"), Drive(*cd_));
  EXPECT_NE(Row(L"Name"), L"") << "WMI names Wine's CD-ROM device";
  // Wine answers no pass-through request: no identity, no capabilities, and
  // no message about it.
  for (const wchar_t* row : {L"Vendor", L"Product Id", L"Revision", L"Vendor Spec"}) EXPECT_EQ(Row(row), L"") << row;
  EXPECT_EQ(Ask(Child(storage::cddvd_ids::kIdCapabilityList), LB_GETCOUNT), 0);

  PickDrive(1);
  EXPECT_EQ(WindowText(DriveList()), std::optional<std::wstring>(Entry(*dvd_, L"CORVANE DVD")));
  EXPECT_EQ(Row(L"Drive Letter"), Drive(*dvd_));
  PickDrive(0);
  EXPECT_EQ(Row(L"Drive Letter"), Drive(*cd_));
}

TEST_F(CdDvdWindow, ADriveThatIsNoCdDriveGetsTheMessage) {
  TypeDrive(L"C:");
  for (const wchar_t* button : {L"Eject CD/DVD", L"Load CD/DVD"}) {
    const std::wstring box = ClickForMessage(button);
    EXPECT_NE(box.find(L"The selected drive is not a CD/DVD drive."), std::wstring::npos)
        << testing::PrintToString(std::wstring(button)) << ": " << testing::PrintToString(box);
  }
  // The window stays usable and shows the CD drives again when refreshed.
  Ask(window_, WM_COMMAND, storage::cddvd_ids::kCmdRefresh);
  EXPECT_EQ(WindowText(DriveList()), std::optional<std::wstring>(Entry(*cd_, L"CORVANE CD")));
}

TEST_F(CdDvdWindow, AnalysingTheMediaReportsThatTheDiscCouldNotBeRead) {
  // Wine refuses the GET CONFIGURATION request.
  const std::wstring box = ClickForMessage(L"Analyse Inserted Media");
  EXPECT_NE(box.find(L"Error reading disc!"), std::wstring::npos) << testing::PrintToString(box);
}

TEST_F(CdDvdWindow, DoorCommandsReachTheMultimediaCdDevice) {
  // Wine's CD audio device takes door commands for a CD-type drive: no message.
  EXPECT_TRUE(ClickQuietly(L"Load CD/DVD")) << DescribeWindow(app_->FindMessageBox());
  EXPECT_TRUE(ClickQuietly(L"Eject Default")) << DescribeWindow(app_->FindMessageBox());
}

TEST_F(CdDvdWindow, AWheelTurnOverTheDriveListNeverSwitchesDrives) {
  ASSERT_EQ(Ask(DriveList(), CB_GETCURSEL), 0);
  Ask(DriveList(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Ask(DriveList(), CB_GETCURSEL), 0);
  EXPECT_EQ(Row(L"Drive Letter"), Drive(*cd_));
}

}  // namespace
}  // namespace corvane::e2e
