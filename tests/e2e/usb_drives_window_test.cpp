// The USB drives window from the main window under Wine's WMI: Wine reports
// its disks on the IDE interface and no USB disk, so the grid stays empty,
// "USB Drives" reads 0 and "Total No. of Drives" the number of all disks,
// however often the window is shown or refreshed.
#include <windows.h>
#include <commctrl.h>
// after windows.h
#include <wbemcli.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "platform/com_win.h"
#include "platform/unique_handle.h"
#include "storage/usb_drives.h"
#include "storage/usb_drives_window_ids.h"

namespace corvane::e2e {
namespace {

// The number of Win32_DiskDrive instances, asked here on the native
// interfaces, independently of the program's late-bound route.
int CountDiskDrives() {
  platform::ComApartment com;
  platform::ComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.put_void())))
    return -1;
  platform::ComPtr<IWbemServices> services;
  if (FAILED(locator->ConnectServer(platform::Bstr(L"root\\cimv2").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                    nullptr, services.put())))
    return -1;
  platform::ComPtr<IEnumWbemClassObject> objects;
  if (FAILED(services->ExecQuery(platform::Bstr(L"WQL").get(), platform::Bstr(L"SELECT * FROM Win32_DiskDrive").get(),
                                 WBEM_FLAG_FORWARD_ONLY, nullptr, objects.put())))
    return -1;
  int count = 0;
  for (;;) {
    platform::ComPtr<IWbemClassObject> object;
    ULONG fetched = 0;
    if (objects->Next(static_cast<long>(WBEM_INFINITE), 1, object.put(), &fetched) != S_OK || fetched == 0) break;
    ++count;
  }
  return count;
}

// The header texts of a list view in another process: the request and the
// text go through a page borrowed in that process.
std::vector<std::wstring> HeaderTexts(DWORD pid, HWND list) {
  std::vector<std::wstring> texts;
  HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
  const LRESULT count = Ask(header, HDM_GETITEMCOUNT);
  const platform::UniqueKernelObject process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process || count <= 0) return texts;
  constexpr SIZE_T kPage = 4096, kTextAt = 1024, kTextChars = 256;
  auto* remote = static_cast<char*>(VirtualAllocEx(process.get(), nullptr, kPage, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return texts;
  for (LRESULT i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote + kTextAt);
    item.cchTextMax = kTextChars;
    std::array<wchar_t, kTextChars> text{};
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process.get(), remote, &item, sizeof item, &moved) ||
        Ask(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote)) <= 0 ||
        !ReadProcessMemory(process.get(), remote + kTextAt, text.data(), sizeof text, &moved)) {
      texts.push_back(L"<unreadable>");
      continue;
    }
    text.back() = L'\0';
    texts.emplace_back(text.data());
  }
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return texts;
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
  EXPECT_EQ(HeaderTexts(app_->pid(), Child(storage::usb_drives_ids::kIdGrid)), headers);
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
