// Line formats of the summary when it leaves the program.
#pragma once
#include <string>
#include <vector>

#include "app/summary.h"

namespace corvane::report {

// Text: label, ": ", value; one line per row, rows 1 to 28 in order.
std::vector<std::wstring> TextLines(const app::SummaryModel& sheet);

// Lines joined with CR LF, the last one terminated too.
std::wstring JoinCrLf(const std::vector<std::wstring>& lines);

}  // namespace corvane::report
