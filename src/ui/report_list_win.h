// Shows a ReportList in a report-style list view.
#pragma once
#include <windows.h>

#include "ui/report_list.h"

namespace corvane::ui {

// Replaces the list view's rows with the list's. The columns are rebuilt
// only when their captions or alignments differ, so widths the user dragged
// stay.
void ShowReportList(HWND list_view, const ReportList& list);

}  // namespace corvane::ui
