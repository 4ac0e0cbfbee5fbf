#include "usb/usb_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "scripted_hid_source.h"

namespace corvane::usb {
namespace {

using scripted::MouseLikeDevice;
using scripted::ScriptedDevice;
using scripted::ScriptedHidSource;

TEST(UsbView, HostControllersCountUpToTheFirstGap) {
  const struct { std::set<int> present; int count; const wchar_t* text; } cases[] = {
      {{0, 1, 3}, 2, L"2 host controllers."},
      {{}, 0, L"Not Detected"},
      {{1, 2}, 0, L"Not Detected"},  // numbering starts at 0
      {{0}, 1, L"1 host controllers."},
  };
  for (const auto& c : cases) {
    const int n = CountUntilGap([&](int i) { return c.present.count(i) != 0; });
    EXPECT_EQ(n, c.count);
    EXPECT_EQ(HostControllerText(n), c.text);
  }
  EXPECT_EQ(CountUntilGap([](int) { return true; }, 7), 7);  // a device space that never ends
}

TEST(UsbView, StorageDevicesText) {
  EXPECT_EQ(StorageDevicesText(2u), L"2 devices");
  EXPECT_EQ(StorageDevicesText(std::nullopt), L"");
}

TEST(UsbView, DeviceNodeText) {
  EXPECT_EQ(HidDeviceText(L"", 0x1234, 0xABCD), L"VID=$1234 PID=$ABCD");
  EXPECT_EQ(HidDeviceText(L"Wine HID mouse", 0x845E, 0x1), L"\"Wine HID mouse\"  VID=$845E PID=$0001");
}

TEST(UsbView, CollectionTypeTexts) {
  struct Case {
    std::uint8_t type;
    const wchar_t* text;
  };
  for (const Case c : {Case{0, L"Physical"}, Case{1, L"Application"}, Case{2, L"Logical"}, Case{3, L"Report"},
                       Case{4, L"Named Array"}, Case{5, L"Usage Switch"}, Case{6, L"Usage Modifier"},
                       Case{0x07, L"Reserved $07"}, Case{0x7F, L"Reserved $7F"}, Case{0x80, L"Vendor-defined $80"},
                       Case{0x85, L"Vendor-defined $85"}, Case{0xFF, L"Vendor-defined $FF"}}) {
    EXPECT_EQ(CollectionTypeText(c.type), c.text) << int{c.type};
  }
  HidLinkNode alias{0x02, 0x01, 0, 0, 0, 0, 0x85, true};
  EXPECT_EQ(CollectionLine(alias),
            L"UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Vendor-defined $85 ($85)  IsAlias");
}

// The tree of a walk over the scripted devices, as the window builds it.
ui::TreeNode WalkTree(std::vector<ScriptedDevice> devices) {
  auto source = std::make_unique<ScriptedHidSource>();
  source->devices = std::move(devices);
  TJvHidDeviceController controller(std::move(source));
  controller.Loaded();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  ui::TreeNode root{kHidTreeRoot, {}};
  controller.OnEnumerate = [&](TJvHidDevice& device, int) {
    AddHidDevice(device, root);
    return true;
  };
  controller.EnumerateDevices();
  return root;
}

// Every line, indented two blanks per level, for readable comparisons.
void Flatten(const ui::TreeNode& node, int depth, std::vector<std::wstring>& lines) {
  lines.push_back(std::wstring(2 * depth, L' ') + node.text);
  for (const auto& child : node.children) Flatten(child, depth + 1, lines);
}
std::vector<std::wstring> Lines(const ui::TreeNode& root) {
  std::vector<std::wstring> lines;
  Flatten(root, 0, lines);
  return lines;
}

TEST(UsbView, MouseLikeDeviceTree) {
  ScriptedDevice feature_only = MouseLikeDevice(2, L"");
  feature_only.path = "other";
  feature_only.nodes = std::vector<HidLinkNode>{{0x06, 0x01, 0, 0, 0, 0, 0x07, false}};
  HidCapability led{};
  led.UsagePage = 0x08;
  led.UsageMin = led.UsageMax = 0x01;
  feature_only.buttons[0].clear();
  feature_only.buttons[1] = {led};
  feature_only.values[0].clear();
  HidCapability level{};
  level.UsagePage = 0xFF00;
  level.UsageMin = level.UsageMax = 0x20;
  feature_only.values[2] = {level};

  const std::vector<std::wstring> expected = {
      L"HID-Devices",
      L"  \"Optical Mouse\"  VID=$045E PID=$0040",
      L"    UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)",
      L"      UsagePage=Generic Desktop ($0001)  Usage=Pointer ($0001)  CollectionType=Physical ($00)",
      L"        Button Input Range: UsagePage=Button ($0009) 1..3",
      L"        Value Input: UsagePage=Generic Desktop ($0001) Usage=X Axis ($0030)",
      L"        Value Input: UsagePage=Generic Desktop ($0001) Usage=Y Axis ($0031)",
      L"  VID=$045E PID=$0040",
      L"    UsagePage=Generic Desktop ($0001)  Usage=Keyboard ($0006)  CollectionType=Reserved $07 ($07)",
      L"      Button Output: UsagePage=LED ($0008) Usage=Keyboard Num Lock ($0001)",
      L"      Value Feature: UsagePage=FF00 ($FF00) Usage=20 ($0020)",
  };
  EXPECT_EQ(Lines(WalkTree({MouseLikeDevice(1, L"Optical Mouse"), feature_only})), expected);
}

TEST(UsbView, UnreadableLinkNodesGiveOneZeroCollection) {
  ScriptedDevice d = MouseLikeDevice(1, L"Pad");
  d.nodes.reset();
  const std::vector<std::wstring> expected = {
      L"HID-Devices",
      L"  \"Pad\"  VID=$045E PID=$0040",
      L"    UsagePage=Undefined ($0000)  Usage=0 ($0000)  CollectionType=Physical ($00)",
  };
  EXPECT_EQ(Lines(WalkTree({d})), expected);
}

// A descriptor whose nodes name themselves as child and sibling: each
// collection is listed once and the walk ends.
TEST(UsbView, LoopingLinkNodesEndTheWalk) {
  ScriptedDevice d = MouseLikeDevice(1, L"Loop");
  d.nodes = std::vector<HidLinkNode>{
      {0x02, 0x01, 0, 1, 1, 1, 1, false},  // next sibling: node 1
      {0x01, 0x01, 0, 3, 1, 1, 0, false},  // its own sibling and child
  };
  const std::vector<std::wstring> lines = Lines(WalkTree({d}));
  EXPECT_EQ(std::ranges::count_if(lines, [](const std::wstring& l) { return l.find(L"CollectionType") != l.npos; }), 2);
  EXPECT_EQ(lines.size(), 7u);  // root, device, two collections, three capabilities
}

// Each collection the first child of the one before: the walk keeps to a
// nesting real devices never reach, so neither it nor the recursive tree
// writers after it can run out of stack.
TEST(UsbView, DeeplyNestedCollectionsAreBounded) {
  ScriptedDevice d;
  d.path = "deep";
  d.product = L"Deep";
  constexpr std::uint16_t kNodes = 20000;
  std::vector<HidLinkNode> nodes(kNodes, HidLinkNode{0x01, 0x01, 0, 1, 0, 0, 0, false});
  for (std::uint16_t i = 0; i + 1 < kNodes; ++i) nodes[i].FirstChild = static_cast<std::uint16_t>(i + 1);
  nodes.back().NumberOfChildren = 0;
  d.nodes = std::move(nodes);
  const ui::TreeNode root = WalkTree({d});
  std::size_t depth = 0;
  for (const ui::TreeNode* n = &root.children.at(0); !n->children.empty(); n = &n->children.front()) ++depth;
  EXPECT_EQ(depth, 64u);
}

}  // namespace
}  // namespace corvane::usb
