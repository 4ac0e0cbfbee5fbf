// Command and control IDs of the network window (TfrmNetwork); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::network::network_ids {

inline constexpr int kFirst = ui::kNetworkWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,  // File, Print
  kCmdExit,            // File, Exit
  kCmdRefresh,         // View, Refresh (F5)
  // Controls
  kIdSheet = kFirst + 10,
  kIdMapDrive,           // "Map Network Drive", under the "Network Drives" label
  kIdNetworkAdapters,    // "Network Adapters"
  kIdConfigureAdapters,  // "Configure Adapters"
  kIdUserList,           // "User List"
  kIdComputers,          // "Computers"
  kIdLinkLabel,
  // Value cells, in row order (labels sit ui::kSheetLabelIdOffset above)
  kIdComputerName = kFirst + 100,
  kIdUserName,
  kIdIpAddress,
  kIdMacAddress,
  kIdAdministrator,
  kIdConnection,
  kIdAdapters,
  kIdShares,
  kIdDrives,
  kIdWorkgroup,
  kIdDomain,
  kIdDescription,
};

static_assert(ui::AllIn(ui::kNetworkWindowIds, {kCmdPrint, kIdLinkLabel, kIdDescription + 50}));

}  // namespace corvane::network::network_ids
