// The USB window from the main window under Wine, which lists two HID
// interfaces (its mouse, VID 845E PID 0001, and its keyboard, PID 0002) and
// no USB host controller. The USB storage count comes from a key seeded
// before the program starts.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "storage/usb_drives_window_ids.h"
#include "usb/usb_window_ids.h"

namespace corvane::e2e {
namespace {

using namespace usb::usb_ids;

constexpr wchar_t kStorageKey[] = L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR";

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class UsbWindow : public WindowSuite<UsbWindow> {
 public:
  // A storage driver key with "Count" = 2, unless the prefix has its own.
  static void BeforeStart() {
    if (KeyExists(kStorageKey)) return;
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kStorageKey) + L"\\Enum";
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
      return;
    }
    const DWORD two = 2;
    RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof two);
    RegCloseKey(key);
    seeded_ = true;
  }
  static void AfterEnd() {
    if (seeded_) {
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kStorageKey) + L"\\Enum").c_str());
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, kStorageKey);
    }
    seeded_ = false;
  }
  static WindowCommand Window() { return {app::kCmdShowUsb, L"TfrmUSB"}; }
  static FilledTest Filled() { return ChildHasText(kIdHostControllers); }

 protected:
  // The tree once the controller's first walk has filled it.
  std::optional<ui::TreeNode> Tree() const {
    std::optional<ui::TreeNode> tree;
    WaitUntil(
        [&] {
          tree = app_->TreeItems(Child(kIdTree));
          return tree && tree->children.size() >= 2;
        },
        kUiTimeout);
    return tree;
  }

  static inline bool seeded_ = false;
};

TEST_F(UsbWindow, ShowsTheCountsAndTheHidDevicesOfThePrefix) {
  ASSERT_TRUE(seeded_) << "the prefix has its own USB storage key; the count below would be its";
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"USB"));
  EXPECT_EQ(Text(kIdHostControllers + 50), L"USB Host Controllers");
  EXPECT_EQ(Text(kIdHostControllers), L"Not Detected");
  EXPECT_EQ(Text(kIdStorageDevices + 50), L"USB Storage Devices");
  EXPECT_EQ(Text(kIdStorageDevices), L"2 devices");
  EXPECT_EQ(Text(kIdTreeCaption), L"Devices");

  const std::optional<ui::TreeNode> tree = Tree();
  ASSERT_TRUE(tree) << "the device tree stayed empty";
  EXPECT_EQ(tree->text, L"HID-Devices");
  // Wine's two HID interfaces as the device list has them, read through
  // SetupAPI and the HID library of the prefix.
  const std::vector<ui::TreeNode> devices = {
      {L"\"Wine HID mouse\"  VID=$845E PID=$0001",
       {{L"UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)",
         {{L"Button Input Range: UsagePage=Button ($0009) 1..3", {}}}}}},
      {L"\"Wine HID keyboard\"  VID=$845E PID=$0002",
       {{L"UsagePage=Generic Desktop ($0001)  Usage=Keyboard ($0006)  CollectionType=Application ($01)",
         {{L"Button Input Range: UsagePage=Keyboard ($0007) 0..101", {}}}}}},
  };
  for (const ui::TreeNode& device : devices) {
    EXPECT_NE(std::ranges::find(tree->children, device), tree->children.end())
        << "no subtree for " << testing::PrintToString(device.text) << " in "
        << testing::PrintToString(tree->children.size()) << " devices";
  }
}

TEST_F(UsbWindow, UsbDrivesButtonOpensTheUsbDrivesWindow) {
  ASSERT_TRUE(ClickButton(Child(kIdUsbDrives)));
  HWND drives = app_->WaitForWindow(L"TfrmUSBDrives");
  ASSERT_TRUE(drives) << "no visible TfrmUSBDrives";
  PostMessageW(drives, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(drives); }, kUiTimeout));
}

TEST_F(UsbWindow, RefreshKeepsTheTreeAndRereadsTheCounts) {
  const std::optional<ui::TreeNode> before = Tree();
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdRefresh), -1);
  EXPECT_EQ(Text(kIdHostControllers), L"Not Detected");
  EXPECT_EQ(app_->TreeItems(Child(kIdTree)), before);
}

}  // namespace
}  // namespace corvane::e2e
