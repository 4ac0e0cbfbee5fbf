// The USB window's model and the texts it is made of: the host-controller
// and USB-storage counts, and the tree of HID devices with their
// collections and capabilities named through the usage tables.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/report_section.h"
#include "ui/sheet_table.h"
#include "ui/tree_model.h"
#include "usb/hid_controller.h"
#include "usb/hid_types.h"
#include "usb/usb_window_ids.h"

namespace corvane::usb {

inline constexpr wchar_t kUsbCaption[] = L"USB";
inline constexpr wchar_t kHidTreeRoot[] = L"HID-Devices";

struct UsbWindowModel {
  std::wstring host_controllers;  // "USB Host Controllers"
  std::wstring storage_devices;   // "USB Storage Devices"
  // The device tree as of the last device change; none before the first
  // (and never where the system has no HID library).
  std::optional<ui::TreeNode> tree;
};

// The window's rows, under the headings "Item" and "Details".
inline constexpr ui::SheetField<UsbWindowModel> kUsbFields[] = {
    {L"USB Host Controllers", L"HostControllers", usb_ids::kIdHostControllers,
     [](const UsbWindowModel& m) { return m.host_controllers; }},
    {L"USB Storage Devices", L"StorageDevices", usb_ids::kIdStorageDevices,
     [](const UsbWindowModel& m) { return m.storage_devices; }},
};

// The caption over the device tree.
inline constexpr wchar_t kDevicesCaption[] = L"Devices";

// The window's report section: the two counts and the device tree (none
// where the system has no HID library).
ui::ReportSection UsbSection(const UsbWindowModel& model);

// Host controllers (USB, IEEE 1394) are numbered from 0: counts those that
// open, up to the first number that does not. `limit` bounds the walk.
int CountUntilGap(const std::function<bool(int number)>& opens, int limit = 256);
// "N host controllers." or "Not Detected".
std::wstring HostControllerText(int count);
// "N devices"; empty when the count is unknown.
std::wstring StorageDevicesText(std::optional<std::uint32_t> count);

// "\"product\"  VID=$045E PID=$0040", or without a product string "VID=$045E PID=$0040".
std::wstring HidDeviceText(std::wstring_view product, std::uint16_t vendor_id, std::uint16_t product_id);
std::wstring CollectionTypeText(std::uint8_t type);
// "UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)"
std::wstring CollectionLine(const HidLinkNode& node);
// "Button Input Range: UsagePage=Button ($0009) 1..3",
// "Value Input: UsagePage=Generic Desktop ($0001) Usage=X Axis ($0030)"
enum class CapabilityKind { kButton, kValue };
std::wstring CapabilityLine(CapabilityKind kind, HidReportType type, const HidCapability& cap);

// Adds the collection lines of `count` sibling collections from `first`
// under parent, each with its capability lines and then its children.
void EnumerateNodes(TJvHidDevice& device, ui::TreeNode& parent, std::uint16_t first, std::uint16_t count);
// Adds the button, then value, capabilities of collection `index` for the
// input, output and feature reports.
void EnumerateCaps(TJvHidDevice& device, ui::TreeNode& node, std::uint16_t index);
// One device's subtree under the root (the device must be accessible: in a walk).
void AddHidDevice(TJvHidDevice& device, ui::TreeNode& root);

}  // namespace corvane::usb
