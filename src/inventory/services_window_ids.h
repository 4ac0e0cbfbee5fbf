// Command and control IDs of the services window (TfrmServices); the
// end-to-end suite finds the list and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::services_ids {

inline constexpr int kFirst = ui::kServicesWindowIds.first;

enum : int {
  // Menu commands
  kCmdExit = kFirst,  // File, Exit
  kCmdRefresh,        // View, Refresh
  // Controls
  kIdList = kFirst + 10,  // the report-style list
};

static_assert(ui::AllIn(ui::kServicesWindowIds, {kCmdExit, kIdList}));

}  // namespace corvane::inventory::services_ids
