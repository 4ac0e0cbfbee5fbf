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

LRESULT Ask(HWND wnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, 10000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

bool Matches(const std::wstring& text, const wchar_t* pattern) { return std::regex_match(text, std::wregex(pattern)); }

class DiskWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    app_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (app_->started()) app_->WaitForMainWindow();
  }
  static void TearDownTestSuite() { app_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(app_->started()) << "CreateProcess error " << app_->start_error();
    ASSERT_TRUE(app_->main_window()) << "no visible TForm1";
    disk_ = Open();
    ASSERT_TRUE(disk_) << "no visible TfrmDisk";
  }
  void TearDown() override {
    EXPECT_EQ(app_->FindMessageBox(), nullptr) << DescribeWindow(app_->FindMessageBox());
    if (disk_) Close();
  }

  // View, Disk Info; the window reads its drives while it is being shown.
  HWND Open() const {
    if (!app_->SendCommand(app::cmdDiskInfo, kRefreshTimeout)) return nullptr;
    return app_->WaitForWindow(L"TfrmDisk");
  }
  void Close() const {
    PostMessageW(disk_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(disk_); }, kUiTimeout)) << "closing hides it";
  }

  HWND Child(int id) const { return FindDescendantById(disk_, id); }
  std::wstring Text(int id) const {
    HWND child = Child(id);
    return child ? WindowText(child).value_or(L"?") : L"<missing>";
  }
  std::wstring Volume(ids::VolumeRow row) const { return Text(ids::VolumeValueId(row)); }
  std::wstring Smart(ids::SmartRow row) const { return Text(ids::SmartValueId(row)); }

  // The drive list's entries, read through the selection (the only way to
  // read a combo box's items from outside without passing a pointer); the
  // first entry is selected again afterwards.
  std::vector<std::wstring> DriveEntries() const {
    HWND combo = Child(ids::kDriveList);
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
    HWND combo = Child(ids::kDriveList);
    ASSERT_NE(Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index)), CB_ERR);
    Ask(GetParent(combo), WM_COMMAND, MAKEWPARAM(ids::kDriveList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  static std::unique_ptr<CorvaneProcess> app_;
  HWND disk_ = nullptr;
};
std::unique_ptr<CorvaneProcess> DiskWindow::app_;

TEST_F(DiskWindow, OpensFromTheMainWindowWithItsCommandEnabled) {
  EXPECT_EQ(WindowText(disk_), std::optional<std::wstring>(L"Drive Information"));
  HWND toolbar = app_->Control(app::kToolbarId);
  EXPECT_NE(Ask(toolbar, TB_ISBUTTONENABLED, app::cmdDiskInfo), 0) << "toolbar button 4";
  for (const wchar_t* label : {L"Drive Type", L"Volume Serial No.", L"Free Clusters", L"Modal Number", L"% Used",
                               L"File System Flags", L"Show CD/DVD Info", L"SMART Information "}) {
    EXPECT_NE(DescribeWindow(disk_).find(label), std::wstring::npos) << label;
  }
  // The button leads to the CD/DVD window only once that window exists.
  const bool cd_dvd_window = app_->FindWindowOfClass(L"TfrmCDDVD", /*visible_only=*/false) != nullptr;
  EXPECT_EQ(IsWindowEnabled(Child(ids::kShowCdDvd)) != FALSE, cd_dvd_window);
}

TEST_F(DiskWindow, ListsEachFixedDriveOnceHoweverOftenItIsShown) {
  const std::vector<std::wstring> expected = {L"C: []", L"Z: []"};
  EXPECT_EQ(DriveEntries(), expected) << "first showing";
  Close();
  disk_ = Open();
  ASSERT_TRUE(disk_);
  EXPECT_EQ(DriveEntries(), expected) << "second showing";
  Ask(disk_, WM_COMMAND, ids::cmdRefresh);
  EXPECT_EQ(DriveEntries(), expected) << "after View, Refresh";
}

TEST_F(DiskWindow, FillsTheVolumeRowsOfTheFirstDrive) {
  EXPECT_EQ(WindowText(Child(ids::kDriveList)), std::optional<std::wstring>(L"C: []"));
  EXPECT_TRUE(Matches(Volume(ids::kRowDriveType), L"Fixed - \\w+")) << Volume(ids::kRowDriveType);
  EXPECT_TRUE(Volume(ids::kRowUnc).starts_with(L"C:\\")) << Volume(ids::kRowUnc);
  EXPECT_TRUE(Matches(Volume(ids::kRowSerial), L"[0-9A-F]{4}-[0-9A-F]{4}")) << Volume(ids::kRowSerial);
  const wchar_t* grouped_bytes = L"[1-9][0-9]{0,2}(,[0-9]{3})* bytes";
  EXPECT_TRUE(Matches(Volume(ids::kRowCapacity), grouped_bytes)) << Volume(ids::kRowCapacity);
  EXPECT_TRUE(Matches(Volume(ids::kRowFree), grouped_bytes)) << Volume(ids::kRowFree);
  EXPECT_TRUE(Matches(Volume(ids::kRowBytesPerSector), L"[1-9][0-9]*")) << Volume(ids::kRowBytesPerSector);
  EXPECT_TRUE(Matches(Volume(ids::kRowSectorsPerCluster), L"[1-9][0-9]*")) << Volume(ids::kRowSectorsPerCluster);
  EXPECT_TRUE(Matches(Volume(ids::kRowTotalClusters), L"[1-9][0-9]{0,2}(,[0-9]{3})*"))
      << Volume(ids::kRowTotalClusters);

  // The gauge: both bars at the rounded percentage the text shows.
  const std::wstring percent = Text(ids::kUsedText);
  ASSERT_TRUE(Matches(percent, L"[0-9]{1,3}\\.[0-9] %")) << percent;
  const double used = std::stod(percent);
  const LRESULT left = Ask(Child(ids::kUsedBarLeft), PBM_GETPOS);
  EXPECT_EQ(left, Ask(Child(ids::kUsedBarRight), PBM_GETPOS));
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
    for (ids::SmartRow row : {ids::kRowSmartEnabled, ids::kRowTemperature, ids::kRowModel, ids::kRowSmartSerial,
                              ids::kRowFirmware, ids::kRowSize}) {
      EXPECT_EQ(Smart(row), L"") << "drive " << drive << " row " << row;
    }
    HWND list = Child(ids::kAttributeList);
    EXPECT_EQ(Ask(list, LVM_GETITEMCOUNT), 0) << "drive " << drive;
    HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
    EXPECT_EQ(Ask(header, HDM_GETITEMCOUNT), 10) << "the ten attribute columns";
    EXPECT_EQ(app_->FindMessageBox(), nullptr) << "drive " << drive;
  }
}

TEST_F(DiskWindow, PickingTheSecondDriveShowsIt) {
  PickDrive(1);
  EXPECT_EQ(WindowText(Child(ids::kDriveList)), std::optional<std::wstring>(L"Z: []"));
  EXPECT_TRUE(Volume(ids::kRowDriveType).starts_with(L"Fixed - ")) << Volume(ids::kRowDriveType);
  EXPECT_TRUE(Volume(ids::kRowUnc).starts_with(L"Z:\\")) << Volume(ids::kRowUnc);
  EXPECT_TRUE(Volume(ids::kRowCapacity).ends_with(L" bytes")) << Volume(ids::kRowCapacity);
}

TEST_F(DiskWindow, ShowCdDvdInfoHandsOverToTheCdDvdWindow) {
  if (!app_->FindWindowOfClass(L"TfrmCDDVD", /*visible_only=*/false)) GTEST_SKIP() << "no CD/DVD window in this build";
  HWND button = Child(ids::kShowCdDvd);
  ASSERT_TRUE(IsWindowEnabled(button));
  PostMessageW(disk_, WM_COMMAND, MAKEWPARAM(ids::kShowCdDvd, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  HWND cd_dvd = app_->WaitForWindow(L"TfrmCDDVD", kRefreshTimeout);
  ASSERT_TRUE(cd_dvd) << "the CD/DVD window is shown";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(disk_); }, kUiTimeout)) << "and this one closes";
  PostMessageW(cd_dvd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(cd_dvd); }, kUiTimeout));
}

TEST_F(DiskWindow, AWheelTurnOverTheDriveListNeverSwitchesDrives) {
  HWND combo = Child(ids::kDriveList);
  ASSERT_EQ(Ask(combo, CB_GETCURSEL), 0);
  Ask(combo, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Ask(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(WindowText(combo), std::optional<std::wstring>(L"C: []"));
}

}  // namespace
}  // namespace corvane::e2e
