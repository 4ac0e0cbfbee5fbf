// Command and control IDs of the installed-applications window
// (TfrmUnistall); the end-to-end suite finds the controls and sends the
// commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::uninstall_ids {

inline constexpr int kFirst = ui::kUninstallWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,  // File, Print (Ctrl+P)
  kCmdExit,            // File, Exit (F10); toolbar "Exit"
  kCmdRefresh,         // View, Refresh
  kCmdSort,            // View, Sort
  kCmdToolbar,         // View, Toolbar (a check item)
  // Row commands (context menu and toolbar)
  kCmdBrowseHelpLink,       // "Browse Help Link"; toolbar "View Help"
  kCmdWebsite,              // toolbar "Website": the help link too
  kCmdOpenInstallLocation,  // "Open Install Location"; toolbar "Open Location"
  kCmdOpenInstallSource,    // "Open Install Source"; toolbar "Open Source"
  kCmdViewReadme,           // "View Readme"
  kCmdUninstall,            // "Uninstall"
  kCmdDeleteEntry,          // "Delete Entry"
  // Controls
  kIdToolbar = kFirst + 50,
  kIdList,
  kIdStatus,
};

static_assert(ui::AllIn(ui::kUninstallWindowIds, {kCmdPrint, kCmdDeleteEntry, kIdToolbar, kIdStatus}));

}  // namespace corvane::inventory::uninstall_ids
