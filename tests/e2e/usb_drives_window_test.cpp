// The USB drives window from the main window under Wine's WMI: Wine reports
// its disks on the IDE interface and no USB disk, so the grid stays empty,
// "USB Drives" reads 0 and "Total No. of Drives" the number of all disks,
// however often the window is shown or refreshed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness.h"
#include "storage/usb_drives.h"
#include "storage/usb_drives_window_ids.h"

namespace corvane::e2e {
namespace {

// The number of Win32_DiskDrive instances, asked here on the native
// interfaces, independently of the program's late-bound route.
int CountDiskDrives() {
  const auto disks = QueryWmiObjects(L"SELECT * FROM Win32_DiskDrive", {});
  return disks ? static_cast<int>(disks->size()) : -1;
}

class UsbDrivesWindow : public WindowSuite<UsbDrivesWindow> {
 public:
  static void BeforeStart() { disks_ = CountDiskDrives(); }
  // View, USB Drives; the window asks WMI while it is being shown and sets
  // both counts at the end.
  static WindowCommand Window() { return {app::kCmdUsbDrives, L"TfrmUSBDrives"}; }
  static FilledTest Filled() { return ChildHasText(storage::usb_drives_ids::kIdTotal); }

 protected:
  void SetUp() override {
    ASSERT_GT(disks_, 0) << "WMI lists no disk drive in this prefix";
    WindowSuite::SetUp();
  }

  void ExpectNoUsbDiskAmongAllDisks(const char* when) const {
    SCOPED_TRACE(when);
    EXPECT_EQ(Text(storage::usb_drives_ids::kIdCount), L"0");
    EXPECT_EQ(Text(storage::usb_drives_ids::kIdTotal), std::to_wstring(disks_));
    EXPECT_EQ(Ask(Child(storage::usb_drives_ids::kIdGrid), LVM_GETITEMCOUNT), 0);
  }

  static inline int disks_ = 0;
};

TEST_F(UsbDrivesWindow, OpensFromTheMainWindowWithTheCountsAndTheGrid) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"USB Drives"));
  EXPECT_EQ(Text(storage::usb_drives_ids::kIdCountLabel), L"USB Drives");
  EXPECT_EQ(Text(storage::usb_drives_ids::kIdTotalLabel), L"Total No. of Drives");
  EXPECT_EQ(Text(storage::usb_drives_ids::kIdGridCaption), L"USB Drives");
  ExpectNoUsbDiskAmongAllDisks("first showing");

  const std::vector<std::wstring> headers = {L"Drive",        L"Interface",        L"Device",
                                             L"Media Type",   L"Model",            L"Capabilities",
                                             L"Bytes Per Sector", L"Total Sectors", L"Drive Capacity",
                                             L"Status",       L"PNP ID"};
  EXPECT_EQ(app_->ListHeaders(Child(storage::usb_drives_ids::kIdGrid)), headers);
}

TEST_F(UsbDrivesWindow, ShowingAgainAndRefreshingGiveTheSameCounts) {
  Close();
  ASSERT_TRUE(Open());
  ExpectNoUsbDiskAmongAllDisks("second showing");
  ASSERT_NE(Ask(window_, WM_COMMAND, storage::usb_drives_ids::kCmdRefresh), -1);
  ExpectNoUsbDiskAmongAllDisks("after View, Refresh");
}

TEST_F(UsbDrivesWindow, FileCloseHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, storage::usb_drives_ids::kCmdClose), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
