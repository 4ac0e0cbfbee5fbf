// Prints a report list as a ruled table: the print dialog, then the layout of
// list_print.h played on the chosen printer.
#pragma once
#include <windows.h>

#include <string_view>

#include "ui/report_list.h"

namespace corvane::ui {

// Asks for a printer and the number of copies, then prints the list under
// the title on landscape pages. Cancelling prints nothing; a failure of the
// printer is shown in the standard error box.
void PrintReportList(HWND owner, const ReportList& list, std::wstring_view title);

// The same job on a printer device context the caller made (the dialog's,
// or a test printer's): the document named `title`, written to `output`
// when one is given. Returns 0 or the Win32 error of the step that failed.
DWORD PrintReportListOn(HDC printer, const ReportList& list, std::wstring_view title,
                        const wchar_t* output = nullptr);

}  // namespace corvane::ui
