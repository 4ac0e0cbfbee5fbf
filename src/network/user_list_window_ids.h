// Command and control IDs of the user list window (TfrmUserList); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::network::user_list_ids {

inline constexpr int kFirst = ui::kUserListWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,  // File, Print
  kCmdExit,            // File, Exit
  kCmdRefresh,         // View, Refresh
  // Controls
  kIdSheet = kFirst + 10,
  kIdGroup,     // "Domain / Workgroup Name" (its label sits ui::kSheetLabelIdOffset above)
  kIdAccounts,  // the list box of account names
  kIdLinkLabel,
};

static_assert(ui::AllIn(ui::kUserListWindowIds, {kCmdPrint, kIdLinkLabel, kIdGroup + 50}));

}  // namespace corvane::network::user_list_ids
