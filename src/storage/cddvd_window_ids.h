// Command and control IDs of the CD/DVD window (TfrmCDDVD). The end-to-end
// suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::storage::cddvd_ids {

inline constexpr int kFirst = ui::kCdDvdWindowIds.first;

enum : int {
  // Menu commands
  kCmdExit = kFirst,  // File, Exit (F12)
  kCmdRefresh,        // View, Refresh (F5)
  // Controls
  kIdSheet = kFirst + 10,
  kIdDriveList,  // the drive drop-down, in the sheet's first row
  kIdCapabilityLabel,
  kIdCapabilityList,
  kIdEject,         // "Eject CD/DVD"
  kIdLoad,          // "Load CD/DVD"
  kIdEjectDefault,  // "Eject Default"
  kIdAnalyse,       // "Analyse Inserted Media"
  kIdLinkLabel,
  // Value cells: this plus the row's index in the sheet (labels sit
  // ui::kSheetLabelIdOffset above their value cells)
  kIdFirstValue = kFirst + 100,
};

static_assert(ui::AllIn(ui::kCdDvdWindowIds, {kCmdExit, kIdLinkLabel, kIdFirstValue + 13 + 50}));

}  // namespace corvane::storage::cddvd_ids
