// Command and control IDs of the personal-information window (TfrmPersonal);
// the end-to-end suite finds the controls and sends the commands by these
// numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::personal_ids {

inline constexpr int kFirst = ui::kPersonalWindowIds.first;

enum : int {
  // Menu commands
  kCmdQuickPrint = kFirst,  // File, Quick Print
  kCmdClose,                // File, Close
  kCmdRefresh,              // View, Refresh (F5)
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdRegisteredOwner,         // "Registered Owner"
  kIdRegisteredOrganization,  // "Registered Organization"
  kIdInstallationType,        // "Installation Type"
  kIdCurrentBuildNumber,      // "Current Build Number"
  kIdProductId,               // "Product ID"
  kIdHdSerial,                // "HD Serial Number"
  kIdSystemRoot,              // "System Root"
  kIdSystemSerial,            // "System Serial Number"
  kIdDefaultPrinter,          // "Default Printer"
  kIdCdKey,                   // "Windows CD Key"
  kIdDotNetRoot,              // "DOT NET Runtime library"
  kIdInstallDate,             // "Install Date"
  kIdBuildLab,                // "Build"
  kIdSystemLanguage,          // "System Language"
  kIdLinkLabel = kFirst + 100,
};

static_assert(ui::AllIn(ui::kPersonalWindowIds, {kCmdQuickPrint, kIdSystemLanguage + 50, kIdLinkLabel}));

}  // namespace corvane::inventory::personal_ids
