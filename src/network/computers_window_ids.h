// Command and control IDs of the computers window (TfrmComputers); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::network::computers_ids {

inline constexpr int kFirst = ui::kComputersWindowIds.first;

enum : int {
  // Menu commands
  kCmdRefresh = kFirst,  // View, Refresh
  // Controls
  kIdTree = kFirst + 10,  // the tree of network resources
  kIdLinkLabel,
};

static_assert(ui::AllIn(ui::kComputersWindowIds, {kCmdRefresh, kIdLinkLabel}));

}  // namespace corvane::network::computers_ids
