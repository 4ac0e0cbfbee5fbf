// Command and control IDs of the network adapters window
// (TfrmNetworkAdapters); the end-to-end suite finds the controls by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::network::adapters_ids {

inline constexpr int kFirst = ui::kNetworkAdaptersWindowIds.first;

enum : int {
  // Commands
  kCmdRefresh = kFirst,  // every showing (no menu item): the list anew, its first entry shown
  // Controls
  kIdSheet = kFirst + 10,
  kIdAdapterList,  // the drop-down with an editable text, in the "Adapter" row
  kIdLinkLabel,
  // Value cells, in row order (labels sit ui::kSheetLabelIdOffset above)
  kIdAdapter = kFirst + 100,  // hidden under the drop-down
  kIdIpAddress,
  kIdMacAddress,
  kIdIpSubnet,
  kIdIpGateway,
  kIdDhcpEnabled,
  kIdServiceName,
  kIdSettingId,
  kIdDnsHostName,
};

static_assert(ui::AllIn(ui::kNetworkAdaptersWindowIds, {kCmdRefresh, kIdLinkLabel, kIdDnsHostName + 50}));

}  // namespace corvane::network::adapters_ids
