// Command and control identifiers of the main window. The end-to-end harness
// includes this header: menus cannot be read across processes under Wine, so
// tests send these IDs as WM_COMMAND.
#pragma once

#include "report/summary.h"

namespace corvane::app {

enum Command : unsigned short {
  // File
  cmdSaveToCsv = 101,
  cmdExportHtml,
  cmdPrintFullSpec,
  cmdQuickPrint,
  cmdPrintHardwareSpec,
  cmdExit,
  // Edit
  cmdCopyToClipboard = 201,
  // View
  cmdMainSystemInfo = 301,
  cmdPersonalInfo,
  cmdMemoryInfo,
  cmdDisplayInfo,
  cmdDiskInfo,
  cmdAppInfo,
  cmdCpuInfo,
  cmdNetworkAdapters,
  cmdSound,
  cmdStartup,
  cmdCdDvdInfo,
  cmdDeviceInfo,
  cmdPrinterInfo,
  cmdServices,
  cmdBiosInfo,
  cmdUsbDrives,
  cmdCpuMeters,
  cmdTransparentBackground,
  // Toolbar buttons without a menu item of their own
  cmdShowInternet = 351,
  cmdShowNetwork,
  cmdShowUsb,
  cmdShowDateTime,
  cmdOpenWebPage,
  // Help
  cmdUsingCorvane = 401,
  cmdWebPage,
  cmdAbout,
};

// Stable control IDs: Desc<n> and Info<n> for the summary rows n = 1..28.
using report::kRowCount;
constexpr int kDescIdBase = 1100;
constexpr int kInfoIdBase = 1000;
constexpr int DescId(int row) { return kDescIdBase + row; }
constexpr int InfoId(int row) { return kInfoIdBase + row; }
constexpr int kToolbarId = 1200;
constexpr int kLinkLabelId = 1201;  // StaticText3
constexpr int kLegendId = 1202;

}  // namespace corvane::app
