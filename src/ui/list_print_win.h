// Prints a report list as a ruled table: the print dialog, then the layout of
// list_print.h played on the application's printer.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/printer_win.h"
#include "ui/report_list.h"

namespace corvane::ui {

// Asks for a printer and the number of copies, then prints the list under
// the title on landscape pages. Cancelling prints nothing; a failure of the
// printer is raised to the command that asked.
void PrintReportList(HWND owner, const ReportList& list, std::wstring_view title);

// The same job on the printer as it is chosen now (printer and copies),
// without the dialog: the document named `title`, written to `output`
// instead of the printer's port when one is given. Throws the printer's
// failures; the job is then dropped.
void PrintReportListOn(platform::Printer& printer, const ReportList& list, std::wstring_view title,
                       const std::wstring& output = {});

}  // namespace corvane::ui
