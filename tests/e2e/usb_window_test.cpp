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

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every line of a subtree, depth first.
void Collect(const ui::TreeNode& node, std::vector<std::wstring>& lines) {
  lines.push_back(node.text);
  for (const auto& child : node.children) Collect(child, lines);
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
  struct Expected {
    const wchar_t* ids;
    const wchar_t* top_collection;
  };
  for (const Expected e : {Expected{L"VID=$845E PID=$0001", L"Usage=Mouse ($0002)"},
                           Expected{L"VID=$845E PID=$0002", L"Usage=Keyboard ($0006)"}}) {
    SCOPED_TRACE(e.ids);
    auto device = std::ranges::find_if(tree->children, [&](const ui::TreeNode& n) { return EndsWith(n.text, e.ids); });
    ASSERT_NE(device, tree->children.end());
    ASSERT_FALSE(device->children.empty()) << "no collection line";
    const std::wstring& collection = device->children.front().text;
    EXPECT_TRUE(collection.starts_with(L"UsagePage=Generic Desktop ($0001)  ")) << testing::PrintToString(collection);
    EXPECT_NE(collection.find(e.top_collection), std::wstring::npos) << testing::PrintToString(collection);
    EXPECT_NE(collection.find(L"CollectionType=Application ($01)"), std::wstring::npos);
    std::vector<std::wstring> lines;
    Collect(*device, lines);
    EXPECT_TRUE(std::ranges::any_of(lines, [](const std::wstring& l) {
      return l.starts_with(L"Button Input") || l.starts_with(L"Value Input");
    })) << "no capability line under " << testing::PrintToString(device->text);
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
