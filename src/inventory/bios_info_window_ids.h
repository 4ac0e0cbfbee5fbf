// Command and control IDs of the BIOS information window (TfrmBiosInfo); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::bios_ids {

inline constexpr int kFirst = ui::kBiosInfoWindowIds.first;

enum : int {
  // Menu commands
  kCmdQuickPrint = kFirst,  // File, Quick Print
  kCmdClose,                // File, Close
  kCmdRefresh,              // View, Refresh (F5)
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdIdentifier,        // "Identifier"
  kIdBiosDate,          // "BIOS Date"
  kIdBiosVersion,       // "BIOS Version"
  kIdVideoBiosDate,     // "Video BIOS Date"
  kIdVideoBiosVersion,  // "Video BIOS Version"
  kIdLinkLabel = kFirst + 100,
};

static_assert(ui::AllIn(ui::kBiosInfoWindowIds, {kCmdQuickPrint, kIdVideoBiosVersion + 50, kIdLinkLabel}));

}  // namespace corvane::inventory::bios_ids
