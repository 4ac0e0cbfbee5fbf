// The printers window's readings: the application's printer object (its
// list, its chosen printer, names and device context), the spooler's
// printer-driver folder and paper bins, and the device context's
// capabilities and escapes.
#pragma once
#include <string>

#include "inventory/printers_view.h"

namespace corvane::inventory {

// The refresh: the printer object reads its list afresh, the drop-down
// entries become that list with the first one chosen, the chosen printer is
// shown (ReadSelectedPrinter) and then the printer-driver folder. The rows
// of a printer shown before are forgotten first. Throws as
// ReadSelectedPrinter does; the rows read by then hold their texts.
void ReadPrinters(PrintersModel& model);

// Shows the entry model.selected, step by step: it becomes the printer
// object's chosen printer (-1: the system's default), then the status, the
// port, PostScript support, the device capabilities and the paper bins.
// Throws the printer object's PrinterError when it cannot choose the
// printer (no printer at all: kNoDefaultPrinterText), before any row
// changes. A failure while reading the capabilities is not told: the
// printer object goes back to the default printer and the capability rows
// keep what they had. Throws PrintersError kBinCountMismatchText when the
// driver counts bins and bin names differently; the bins then keep theirs.
void ReadSelectedPrinter(PrintersModel& model);

// The local printer-driver folder for this environment; empty when the
// spooler cannot tell it.
std::wstring ReadDriverDirectory();

}  // namespace corvane::inventory
