#include "report/summary_text.h"

namespace corvane::report {

std::vector<std::wstring> TextLines(const app::SummaryModel& sheet) {
  std::vector<std::wstring> lines;
  lines.reserve(app::kRowCount);
  for (int row = 1; row <= app::kRowCount; ++row) {
    lines.push_back(std::wstring(app::SummaryModel::Label(row)) + L": " + sheet.Value(row));
  }
  return lines;
}

std::wstring JoinCrLf(const std::vector<std::wstring>& lines) {
  std::wstring out;
  for (const auto& line : lines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

}  // namespace corvane::report
