#include "ui/report_section_build.h"

#include <algorithm>

namespace corvane::ui {

bool HasLabel(LabelSet labels, std::wstring_view label) { return std::ranges::find(labels, label) != labels.end(); }

SectionList ReportListSection(std::wstring title, const ReportList& list, bool is_volatile) {
  SectionList section{std::move(title), {}, {}, is_volatile};
  for (const auto& column : list.columns) section.columns.push_back(column.caption);
  for (const auto& row : list.rows) {
    std::vector<std::wstring> cells(section.columns.size());
    std::copy_n(row.begin(), std::min(row.size(), cells.size()), cells.begin());
    section.rows.push_back(std::move(cells));
  }
  return section;
}

SectionList LinesSection(std::wstring title, std::wstring column, std::span<const std::wstring> lines,
                         bool is_volatile) {
  SectionList section{std::move(title), {std::move(column)}, {}, is_volatile};
  for (const auto& line : lines) section.rows.push_back({line});
  return section;
}

std::wstring CheckedItemsText(std::span<const std::wstring_view> items, std::span<const bool> checked) {
  std::wstring text;
  for (std::size_t i = 0; i < items.size() && i < checked.size(); ++i) {
    if (!checked[i]) continue;
    if (!text.empty()) text += L", ";
    text += items[i];
  }
  return text;
}

std::vector<SectionRow> CheckSectionRows(std::span<const std::wstring_view> items, std::span<const bool> checked) {
  std::vector<SectionRow> rows;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const bool on = i < checked.size() && checked[i];
    rows.push_back({std::wstring(items[i]), on ? L"Yes" : L"No", false});
  }
  return rows;
}

}  // namespace corvane::ui
