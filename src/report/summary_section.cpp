#include "report/summary_section.h"

#include <algorithm>

namespace corvane::report {

ui::ReportSection SummarySection(const SummaryModel& model, std::wstring caption) {
  ui::ReportSection section;
  section.id = L"TForm1";
  section.title = std::move(caption);
  for (int row = 1; row <= kRowCount; ++row) {
    section.rows.push_back({std::wstring(SummaryModel::Label(row)), model.Value(row),
                            std::ranges::find(kVolatileSummaryRows, row) != kVolatileSummaryRows.end()});
  }
  return section;
}

}  // namespace corvane::report
