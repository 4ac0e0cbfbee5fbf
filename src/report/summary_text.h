// Line formats of the summary when it leaves the program: one line per row,
// rows 1 to 28 in order, label and value exactly as the sheet shows them.
#pragma once
#include <string>
#include <vector>

#include "report/summary.h"

namespace corvane::report {

enum class LineFormat {
  Text,       // label, ": ", value
  Csv,        // "label","value"
  Clipboard,  // label and ": " padded to 20 characters, a tab, value
};

std::vector<std::wstring> SummaryLines(const report::SummaryModel& sheet, LineFormat format);

// Lines joined with CR LF, the last one terminated too.
std::wstring JoinCrLf(const std::vector<std::wstring>& lines);

}  // namespace corvane::report
