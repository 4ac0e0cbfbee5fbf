// Builds a window's report section from the tables it already shows from:
// a sheet's field table gives the rows (labels exactly as on screen), a
// report list's columns and rows give a list. Platform-free, so each
// window's model-to-section function stays small and natively testable.
#pragma once
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::ui {

// One row per field that has a text (a field whose value is another control,
// a drop-down list, is left to the window), in table order. A value of
// several lines keeps them joined by CR LF.
template <class View>
std::vector<SectionRow> SheetSectionRows(std::span<const SheetField<View>> fields, const View& view) {
  std::vector<SectionRow> rows;
  rows.reserve(fields.size());
  for (const auto& field : fields) {
    if (field.value) rows.push_back({std::wstring(field.label), field.value(view), false});
  }
  return rows;
}

// A list with the column captions; every row made as long as the columns
// (a list view shows a missing cell empty).
inline SectionList ListSection(std::wstring title, std::span<const ReportColumn> columns,
                               std::vector<std::vector<std::wstring>> rows) {
  SectionList list;
  list.title = std::move(title);
  for (const auto& column : columns) list.columns.push_back(column.caption);
  for (auto& row : rows) row.resize(list.columns.size());
  list.rows = std::move(rows);
  return list;
}

}  // namespace corvane::ui
