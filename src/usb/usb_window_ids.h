// Command and control IDs of the USB window (TfrmUSB); the end-to-end suite
// finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::usb::usb_ids {

inline constexpr int kFirst = ui::kUsbWindowIds.first;

enum : int {
  // Menu commands
  kCmdQuickPrint = kFirst,  // File, Quick Print
  kCmdClose,                // File, Close
  kCmdRefresh,              // View, Refresh (F5)
  // Controls
  kIdSheet = kFirst + 10,
  kIdHostControllers,  // "USB Host Controllers"
  kIdStorageDevices,   // "USB Storage Devices"
  kIdTreeCaption,      // "Devices"
  kIdTree,             // the HID device tree
  kIdUsbDrives,        // "USB Drives" button
  kIdLinkLabel,        // the web address; a click opens the USB drives window too
};

static_assert(ui::AllIn(ui::kUsbWindowIds, {kCmdQuickPrint, kIdLinkLabel}));

}  // namespace corvane::usb::usb_ids
