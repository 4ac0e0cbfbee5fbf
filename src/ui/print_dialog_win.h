// The common print dialog, seeded with the application's printer and
// writing the user's choice back to it.
#pragma once
#include <windows.h>

#include "platform/printer_win.h"

namespace corvane::ui {

// Shows the print dialog over `owner` with the printer's current choice and
// copies. On OK the printer takes the chosen printer, copies and settings
// and the answer is true; on Cancel nothing changes. With no printer
// installed the dialog itself says so and the answer is false.
bool RunPrintDialog(HWND owner, platform::Printer& printer);

}  // namespace corvane::ui
