// Command and control IDs of the device-driver window (TfrmDevices); the
// end-to-end suite finds the list and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::devices_ids {

inline constexpr int kFirst = ui::kDevicesWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,  // File, Print (Ctrl+P)
  kCmdExit,            // File, Exit (F12)
  kCmdRefresh,         // View, Refresh (F5)
  // Controls
  kIdList = kFirst + 10,  // the report-style list
  kIdStatus,              // "Count: N"
};

static_assert(ui::AllIn(ui::kDevicesWindowIds, {kCmdPrint, kIdStatus}));

}  // namespace corvane::inventory::devices_ids
