// Command and control IDs of the display window (TfrmDisplay); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::memory_display_time::display_ids {

inline constexpr int kFirst = ui::kDisplayWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,  // File, Print
  kCmdClose,           // File, Close
  kCmdRefresh,         // View, Refresh (F5)
  // Controls
  kIdSheet = kFirst + 10,
  kIdAdapterList,        // cbDisplay, in place of the "Adapters" row's value
  kIdStateFlagsCaption,  // "State Flags"
  kIdStateFlags,         // the box of the five state flag check boxes
  kIdLinkLabel,
  // Value cells, top to bottom
  kIdAdapters = kFirst + 100,  // hidden under cbDisplay
  kIdDevice,                   // info16
  kIdChipset,                  // Info3
  kIdDac,                      // Info4
  kIdMemory,                   // Info5
  kIdBios,                     // Info6
  kIdTechnology,               // Info7
  kIdMetrics,                  // Info8
  kIdFontResolution,           // Info9
  kIdPixelWidth,               // Info10
  kIdPixelHeight,              // Info11
  kIdPixelDiagonal,            // Info12
  kIdMonitorFrequency,         // info13
  kIdMonitorCount,             // Edit2
  kIdMonitors,                 // Info17
  kIdDriverVersion,            // Info15
  // The state flag check boxes, in item order
  kIdFirstStateFlag = kFirst + 300,
};

constexpr int StateFlagId(int item) { return kIdFirstStateFlag + item; }

// Label cells carry their value cell's ID plus the sheet's offset (50).
static_assert(ui::AllIn(ui::kDisplayWindowIds,
                        {kCmdPrint, kIdLinkLabel, kIdAdapters, kIdDriverVersion + 50, StateFlagId(4)}));

}  // namespace corvane::memory_display_time::display_ids
