// The drive window from the main window under Wine: it lists the prefix's
// fixed drives (C: and Z:) once each however often it is shown, fills the
// volume rows, and leaves the SMART section empty without a message box,
// because Wine answers no SMART request.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "storage/disk_window_ids.h"

namespace corvane::e2e {
namespace {

namespace ids = storage::disk_ids;

bool Matches(const std::wstring& text, const wchar_t* pattern) { return std::regex_match(text, std::wregex(pattern)); }

class DiskWindow : public WindowSuite<DiskWindow> {
 public:
  // View, Disk Info; the window reads its drives while it is being shown,
  // and the drive type is the last row it fills.
  static WindowCommand Window() { return {app::kCmdDiskInfo, L"TfrmDisk"}; }
  static FilledTest Filled() { return ChildHasText(ids::kIdDriveType); }

 protected:
  // A value cell of the volume or SMART sheet, by its ID.
  std::wstring Value(int id) const { return Text(id); }

  // The drive list's entries, read through the selection (the only way to
  // read a combo box's items from outside without passing a pointer); the
  // first entry is selected again afterwards.
  std::vector<std::wstring> DriveEntries() const {
    HWND combo = Child(ids::kIdDriveList);
    std::vector<std::wstring> entries;
    const LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(i));
      entries.push_back(WindowText(combo).value_or(L"?"));
    }
    Ask(combo, CB_SETCURSEL, 0);
    return entries;
  }

  // Picks an entry as the user does: the selection moves and the list
  // notifies its parent.
  void PickDrive(int index) const {
    HWND combo = Child(ids::kIdDriveList);
    ASSERT_NE(Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index)), CB_ERR);
    Ask(GetParent(combo), WM_COMMAND, MAKEWPARAM(ids::kIdDriveList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
};

TEST_F(DiskWindow, OpensFromTheMainWindowWithItsCommandEnabled) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Drive Information"));
  HWND toolbar = app_->Control(app::kIdToolbar);
  // Positive: 0 is a disabled button, -1 no answer.
  EXPECT_GT(Ask(toolbar, TB_ISBUTTONENABLED, app::kCmdDiskInfo), 0) << "toolbar button 4";
  for (const wchar_t* label : {L"Drive Type", L"Volume Serial No.", L"Free Clusters", L"Modal Number", L"% Used",
                               L"File System Flags", L"Show CD/DVD Info", L"SMART Information "}) {
    EXPECT_NE(DescribeWindow(window_).find(label), std::wstring::npos) << label;
  }
  // The CD/DVD window is in the creation list (built when first shown), so
  // the button that leads to it is enabled.
  EXPECT_TRUE(IsWindowEnabled(Child(ids::kIdShowCdDvd)));
}

TEST_F(DiskWindow, ListsEachFixedDriveOnceHoweverOftenItIsShown) {
  const std::vector<std::wstring> expected = {L"C: []", L"Z: []"};
  EXPECT_EQ(DriveEntries(), expected) << "first showing";
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(DriveEntries(), expected) << "second showing";
  Ask(window_, WM_COMMAND, ids::kCmdRefresh);
  EXPECT_EQ(DriveEntries(), expected) << "after View, Refresh";
}

TEST_F(DiskWindow, FillsTheVolumeRowsOfTheFirstDrive) {
  EXPECT_EQ(WindowText(Child(ids::kIdDriveList)), std::optional<std::wstring>(L"C: []"));
  EXPECT_TRUE(Matches(Value(ids::kIdDriveType), L"Fixed - \\w+")) << Value(ids::kIdDriveType);
  EXPECT_TRUE(Value(ids::kIdUnc).starts_with(L"C:\\")) << Value(ids::kIdUnc);
  EXPECT_TRUE(Matches(Value(ids::kIdSerial), L"[0-9A-F]{4}-[0-9A-F]{4}")) << Value(ids::kIdSerial);
  const wchar_t* grouped_bytes = L"[1-9][0-9]{0,2}(,[0-9]{3})* bytes";
  EXPECT_TRUE(Matches(Value(ids::kIdCapacity), grouped_bytes)) << Value(ids::kIdCapacity);
  EXPECT_TRUE(Matches(Value(ids::kIdFree), grouped_bytes)) << Value(ids::kIdFree);
  EXPECT_TRUE(Matches(Value(ids::kIdBytesPerSector), L"[1-9][0-9]*")) << Value(ids::kIdBytesPerSector);
  EXPECT_TRUE(Matches(Value(ids::kIdSectorsPerCluster), L"[1-9][0-9]*")) << Value(ids::kIdSectorsPerCluster);
  EXPECT_TRUE(Matches(Value(ids::kIdTotalClusters), L"[1-9][0-9]{0,2}(,[0-9]{3})*"))
      << Value(ids::kIdTotalClusters);

  // The gauge: both bars at the rounded percentage the text shows.
  const std::wstring percent = Text(ids::kIdUsedText);
  ASSERT_TRUE(Matches(percent, L"[0-9]{1,3}\\.[0-9] %")) << percent;
  const double used = std::stod(percent);
  const LRESULT left = Ask(Child(ids::kIdUsedBarLeft), PBM_GETPOS);
  EXPECT_EQ(left, Ask(Child(ids::kIdUsedBarRight), PBM_GETPOS));
  EXPECT_LE(std::abs(static_cast<double>(left) - used), 0.5) << percent;

  // Wine's volumes keep the case of names, and allow names of 255 characters.
  for (int item = 0; item < 12; ++item) ASSERT_TRUE(Child(ids::FlagId(item))) << "flag " << item;
  EXPECT_FALSE(Child(ids::FlagId(12)));
  auto checked = [&](int item) { return Ask(Child(ids::FlagId(item)), BM_GETCHECK) == BST_CHECKED; };
  EXPECT_EQ(Text(ids::FlagId(0)), L"Case Is Preserved");
  EXPECT_TRUE(checked(0));
  EXPECT_EQ(Text(ids::FlagId(1)), L"Case Sensitive");
  EXPECT_FALSE(checked(1));
  EXPECT_EQ(Text(ids::FlagId(6)), L"Long Filenames");
  EXPECT_TRUE(checked(6));
  // They show the volume's features: a click changes nothing.
  Ask(Child(ids::FlagId(1)), BM_CLICK);
  EXPECT_FALSE(checked(1));
}

TEST_F(DiskWindow, SmartSectionStaysEmptyWhenTheDeviceDoesNotAnswer) {
  for (int drive : {0, 1}) {
    PickDrive(drive);
    for (int row : {ids::kIdSmartEnabled, ids::kIdTemperature, ids::kIdModel, ids::kIdSmartSerial, ids::kIdFirmware,
                    ids::kIdSize}) {
      EXPECT_EQ(Value(row), L"") << "drive " << drive << " row " << row;
    }
    HWND list = Child(ids::kIdAttributeList);
    EXPECT_EQ(Ask(list, LVM_GETITEMCOUNT), 0) << "drive " << drive;
    HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
    EXPECT_EQ(Ask(header, HDM_GETITEMCOUNT), 10) << "the ten attribute columns";
    EXPECT_EQ(app_->FindMessageBox(), nullptr) << "drive " << drive;
  }
}

TEST_F(DiskWindow, PickingTheSecondDriveShowsIt) {
  PickDrive(1);
  EXPECT_EQ(WindowText(Child(ids::kIdDriveList)), std::optional<std::wstring>(L"Z: []"));
  EXPECT_TRUE(Value(ids::kIdDriveType).starts_with(L"Fixed - ")) << Value(ids::kIdDriveType);
  EXPECT_TRUE(Value(ids::kIdUnc).starts_with(L"Z:\\")) << Value(ids::kIdUnc);
  EXPECT_TRUE(Value(ids::kIdCapacity).ends_with(L" bytes")) << Value(ids::kIdCapacity);
}

TEST_F(DiskWindow, ShowCdDvdInfoHandsOverToTheCdDvdWindow) {
  HWND button = Child(ids::kIdShowCdDvd);
  ASSERT_TRUE(IsWindowEnabled(button));
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(ids::kIdShowCdDvd, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  HWND cd_dvd = app_->WaitForWindow(L"TfrmCDDVD", kRefreshTimeout);
  ASSERT_TRUE(cd_dvd) << "the CD/DVD window is shown";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout)) << "and this one closes";
  PostMessageW(cd_dvd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(cd_dvd); }, kUiTimeout));
}

TEST_F(DiskWindow, AWheelTurnOverTheDriveListNeverSwitchesDrives) {
  HWND combo = Child(ids::kIdDriveList);
  ASSERT_EQ(Ask(combo, CB_GETCURSEL), 0);
  Ask(combo, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Ask(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(WindowText(combo), std::optional<std::wstring>(L"C: []"));
}

}  // namespace
}  // namespace corvane::e2e
