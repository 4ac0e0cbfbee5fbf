// Command and control IDs of the memory window (TfrmMemory); the end-to-end
// suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::memory_display_time::memory_ids {

inline constexpr int kFirst = ui::kMemoryWindowIds.first;

enum : int {
  // Menu commands
  kCmdQuickPrint = kFirst,  // File, Quick Print
  kCmdClose,                // File, Close
  kCmdRefresh,              // View, Refresh (F5)
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdInfo1,  // "Physical Total"
  kIdInfo2,  // "Physical Free"
  kIdInfo3,  // "Page File Total"
  kIdInfo4,  // "Page File Free"
  kIdInfo5,  // "Virtual Total"
  kIdInfo6,  // "Virtual Free"
  kIdMemoryLoadRow,  // "Memory Utilization": its value cell, hidden under the gauge
  kIdInfo7,  // "Allocation Granularity"
  kIdInfo8,  // "Application Address Range"
  kIdInfo9,  // "Page Size"
  kIdGauge1 = kFirst + 100,  // the memory load, 0 to 100
  kIdListCaption,            // "Installed Memory Modules"
  kIdListView1,              // the module list
  kIdTotalSheet,
  kIdEdit2,       // "Total Installed Memory"
  kIdTotalLabel,
  kIdLinkLabel,
};

static_assert(ui::AllIn(ui::kMemoryWindowIds, {kCmdQuickPrint, kIdInfo9 + 50, kIdLinkLabel}));

}  // namespace corvane::memory_display_time::memory_ids
