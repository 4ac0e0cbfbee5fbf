// A report-style list as data: columns with their on-screen widths, and rows
// of cell texts in column order. Windows show it (report_list_win.h) and
// printing lays it out; whoever builds one never touches a control.
#pragma once
#include <string>
#include <vector>

namespace corvane::ui {

enum class ColumnAlign { kLeft, kRight };

struct ReportColumn {
  std::wstring caption;
  int width = 0;  // pixels on screen
  ColumnAlign align = ColumnAlign::kLeft;  // of the cells and the caption (the first column stays left)
};

struct ReportList {
  std::vector<ReportColumn> columns;
  // Each row holds at most one text per column; missing cells show empty.
  std::vector<std::vector<std::wstring>> rows;
};

}  // namespace corvane::ui
