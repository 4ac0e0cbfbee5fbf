// The HID controller over the system's SetupAPI and HID library, and the
// USB window's readers, against the Wine test prefix: Wine lists its mouse
// (VID 845E PID 0001) and keyboard (PID 0002) as HID interfaces and has no
// USB host controller.
#include "usb/hid_source_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/seeded_value_win.h"
#include "usb/hid_controller.h"
#include "usb/usb_readers_win.h"
#include "usb/usb_view.h"

namespace corvane::usb {
namespace {

using test_support::SeededValue;

struct SeenDevice {
  std::wstring node;  // the device's line in the tree
  std::vector<std::wstring> lines;  // everything under it
  bool read_write = false;
  TJvHidPnPInfo pnp;
};

void Collect(const ui::TreeNode& node, std::vector<std::wstring>& lines) {
  for (const auto& child : node.children) {
    lines.push_back(child.text);
    Collect(child, lines);
  }
}

// Walks the system's devices once, as the USB window does; keyed by product ID.
std::map<std::uint16_t, SeenDevice> WalkSystemDevices(TJvHidDeviceController& controller) {
  std::map<std::uint16_t, SeenDevice> seen;
  controller.OnEnumerate = [&](TJvHidDevice& device, int) {
    ui::TreeNode root{kHidTreeRoot, {}};
    AddHidDevice(device, root);
    if (device.VendorID() == 0x845E) {
      SeenDevice& s = seen[device.ProductID()];
      s.node = root.children.at(0).text;
      Collect(root.children.at(0), s.lines);
      s.read_write = device.ReadWriteAccess();
      s.pnp = device.PnPInfo();
    }
    return true;
  };
  controller.Loaded();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  controller.EnumerateDevices();
  return seen;
}

TEST(HidSystemSource, ListsWinesMouseAndKeyboardWithTheirCollections) {
  std::unique_ptr<HidDeviceSource> source = MakeSystemHidSource();
  ASSERT_TRUE(source) << "SetupAPI or the HID library did not load";
  TJvHidDeviceController controller(std::move(source));
  std::map<std::uint16_t, SeenDevice> seen = WalkSystemDevices(controller);

  ASSERT_TRUE(seen.contains(1)) << "no mouse among " << controller.Count() << " devices";
  ASSERT_TRUE(seen.contains(2)) << "no keyboard among " << controller.Count() << " devices";
  const SeenDevice& mouse = seen[1];
  const SeenDevice& keyboard = seen[2];
  EXPECT_EQ(mouse.node, L"\"Wine HID mouse\"  VID=$845E PID=$0001");
  EXPECT_EQ(keyboard.node, L"\"Wine HID keyboard\"  VID=$845E PID=$0002");
  // Wine's mouse reports its three buttons and no axes (it moves the
  // pointer by other means).
  EXPECT_EQ(mouse.lines, (std::vector<std::wstring>{
                             L"UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)",
                             L"Button Input Range: UsagePage=Button ($0009) 1..3",
                         }));
  EXPECT_EQ(keyboard.lines,
            (std::vector<std::wstring>{
                L"UsagePage=Generic Desktop ($0001)  Usage=Keyboard ($0006)  CollectionType=Application ($01)",
                L"Button Input Range: UsagePage=Keyboard ($0007) 0..101",
            }));

  // The plug-and-play data came along.
  for (const SeenDevice* d : {&mouse, &keyboard}) {
    EXPECT_FALSE(d->pnp.DevicePath.empty());
    EXPECT_FALSE(d->pnp.HardwareID.empty()) << testing::PrintToString(d->node);
  }
  EXPECT_NE(mouse.pnp.DeviceID, keyboard.pnp.DeviceID);
}

TEST(HidSystemSource, ARefreshKeepsTheDevicesItFoundBefore) {
  TJvHidDeviceController controller(MakeSystemHidSource());
  ASSERT_TRUE(controller.HasLibraries());
  int changes = 0;
  controller.SetOnDeviceChange([&] { ++changes; });
  controller.Loaded();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  ASSERT_GE(controller.Count(), 2u);
  std::vector<const TJvHidDevice*> before;
  for (std::size_t i = 0; i < controller.Count(); ++i) before.push_back(&controller.Device(i));

  controller.DevicesChanged(0);  // the broadcast, with nothing plugged or unplugged

  EXPECT_EQ(changes, 1);
  ASSERT_EQ(controller.Count(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(&controller.Device(i), before[i]);
}

TEST(UsbReaders, NoHostControllerOpensUnderWine) {
  EXPECT_EQ(ReadHostControllerCount(), 0);
  EXPECT_EQ(HostControllerText(ReadHostControllerCount()), L"Not Detected");
}

TEST(UsbReaders, StorageCountComesFromTheDriversKey) {
  const wchar_t* const key = L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Enum";
  {
    const SeededValue count(key, L"Count", REG_DWORD, {2, 0, 0, 0});
    EXPECT_EQ(StorageDevicesText(ReadUsbStorageCount()), L"2 devices");
  }
  {
    const SeededValue text(key, L"Count", REG_SZ, {'2', 0, 0, 0});
    EXPECT_EQ(ReadUsbStorageCount(), std::nullopt) << "a count that is not a number";
  }
  EXPECT_EQ(ReadUsbStorageCount(), std::nullopt) << "the key is gone again";
}

}  // namespace
}  // namespace corvane::usb
