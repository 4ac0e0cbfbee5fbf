// Command and control identifiers of the main window. The end-to-end harness
// includes this header: menus cannot be read across processes under Wine, so
// tests send these IDs as WM_COMMAND.
#pragma once

#include "report/summary.h"
#include "shortcuts/tool_menus.h"
#include "ui/window_ids.h"

namespace corvane::app {

enum MainCommand : int {
  // File
  kCmdSaveToCsv = 101,
  kCmdExportHtml,
  kCmdPrintFullSpec,
  kCmdQuickPrint,
  kCmdPrintHardwareSpec,
  kCmdExit,
  // Edit
  kCmdCopyToClipboard = 201,
  // View
  kCmdMainSystemInfo = 301,
  kCmdPersonalInfo,
  kCmdMemoryInfo,
  kCmdDisplayInfo,
  kCmdDiskInfo,
  kCmdAppInfo,
  kCmdCpuInfo,
  kCmdNetworkAdapters,
  kCmdSound,
  kCmdStartup,
  kCmdCdDvdInfo,
  kCmdDeviceInfo,
  kCmdPrinterInfo,
  kCmdServices,
  kCmdBiosInfo,
  kCmdUsbDrives,
  kCmdCpuMeters,
  kCmdTransparentBackground,
  // Toolbar buttons without a menu item of their own
  kCmdShowInternet = 351,
  kCmdShowNetwork,
  kCmdShowUsb,
  kCmdShowDateTime,
  // Help
  kCmdUsingCorvane = 401,
  kCmdWebPage,
  kCmdAbout,
  // The tool menus (System, Control Panel, Programs, Hardware): their items
  // in menu order from here on (shortcuts/tool_menus.h).
  kCmdToolFirst = 501,
};
constexpr int kCmdToolLast = kCmdToolFirst + static_cast<int>(shortcuts::kToolItemCount) - 1;

// Stable control IDs: Desc<n> and Info<n> for the summary rows n = 1..28.
using report::kRowCount;
constexpr int kDescIdBase = 1100;
constexpr int kInfoIdBase = 1000;
constexpr int DescId(int row) { return kDescIdBase + row; }
constexpr int InfoId(int row) { return kInfoIdBase + row; }
constexpr int kIdToolbar = 1200;
constexpr int kIdSheet = 1203;
constexpr int kIdLinkLabel = 1201;  // StaticText3
constexpr int kIdLegend = 1202;
constexpr int kIdLegendStar = 1204;

static_assert(kCmdToolLast < 1000, "the tool items run into the sheet's IDs");
static_assert(ui::AllIn(ui::kMainWindowIds, {kCmdSaveToCsv, kCmdAbout, kCmdToolFirst, kCmdToolLast, DescId(kRowCount), InfoId(1), kIdSheet}));

}  // namespace corvane::app
