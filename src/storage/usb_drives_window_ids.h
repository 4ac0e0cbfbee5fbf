// Command and control IDs of the USB drives window (TfrmUSBDrives); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::storage::usb_drives_ids {

inline constexpr int kFirst = ui::kUsbDrivesWindowIds.first;

enum : int {
  // Menu commands
  kCmdQuickPrint = kFirst,  // File, Quick Print
  kCmdClose,                // File, Close
  kCmdRefresh,              // View, Refresh (F5)
  // Controls
  kIdSheet = kFirst + 10,
  kIdCountLabel,
  kIdCount,  // "USB Drives": the number of rows
  kIdTotalLabel,
  kIdTotal,  // "Total No. of Drives"
  kIdGridCaption,
  kIdGrid,  // the report-style list
  kIdLinkLabel,
};

static_assert(ui::AllIn(ui::kUsbDrivesWindowIds, {kCmdQuickPrint, kIdLinkLabel}));

}  // namespace corvane::storage::usb_drives_ids
