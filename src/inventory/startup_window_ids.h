// Command and control IDs of the startup window (TfrmStartup); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::startup_ids {

inline constexpr int kFirst = ui::kStartupWindowIds.first;

enum : int {
  // Menu commands
  kCmdExit = kFirst,  // File, Exit (F12)
  kCmdRefresh,        // View, Refresh
  // Controls
  kIdList = kFirst + 50,
  kIdStatus,
};

static_assert(ui::AllIn(ui::kStartupWindowIds, {kCmdExit, kIdStatus}));

}  // namespace corvane::inventory::startup_ids
