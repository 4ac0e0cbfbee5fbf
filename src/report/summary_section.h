// The summary sheet as the first section of the inventory report.
#pragma once
#include <string>

#include "report/summary.h"
#include "ui/report_section.h"

namespace corvane::report {

// Rows of the summary that change by themselves on an unchanged machine: the
// clock rate measured live, the free space of the hard disks, the power
// supply and the battery's charge.
inline constexpr std::array<int, 4> kVolatileSummaryRows = {5, 16, 21, 24};

// Its 28 rows under their labels, in sheet order; id "TForm1", title the
// main window's caption.
ui::ReportSection SummarySection(const SummaryModel& model, std::wstring caption);

}  // namespace corvane::report
