// Command and control IDs of the printers window (TfrmPrinters); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::printers_ids {

inline constexpr int kFirst = ui::kPrintersWindowIds.first;

enum : int {
  // Menu commands
  kCmdRefresh = kFirst,  // View, Refresh
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdPrinterList,       // combobox1, in place of the "Printers" row's value
  kIdDriverDirectory,   // "Printer Driver Directory"
  kIdStatus,            // "Current Status"
  kIdTechnology,        // "Technology"
  kIdOrientation,       // "Current Orientation"
  kIdPageHeight,        // "Page Height"
  kIdPageWidth,         // "Page Width"
  kIdPhysicalWidth,     // "Physical Width"
  kIdPhysicalHeight,    // "Physical Height"
  kIdPostscript,        // "Postscript"
  kIdHorizontalDpi,     // "Horizontal DPI"
  kIdVerticalDpi,       // "Vertical DPI"
  kIdBitsPerPixel,      // "Bits Per Inch"
  kIdDriverVersion,     // "Driver Version"
  kIdBrushes,           // "Number of Brushes"
  kIdPens,              // "Number of Pens"
  kIdFonts,             // "Number of Fonts"
  kIdColors,            // "Number of Colors"
  kIdPaperBins,         // "Paper Bins" (a list box)
  kIdPort,              // "Port"
  kIdLinkLabel = kFirst + 100,
  kIdPrinters = kFirst + 110,  // the "Printers" row's value cell, hidden under combobox1
};

static_assert(ui::AllIn(ui::kPrintersWindowIds, {kCmdRefresh, kIdPort + 50, kIdLinkLabel, kIdPrinters + 50}));

}  // namespace corvane::inventory::printers_ids
