// A report-style list as data: columns with their on-screen widths, and rows
// of cell texts in column order. Windows show it (report_list_win.h) and
// printing lays it out; whoever builds one never touches a control.
#pragma once
#include <string>
#include <vector>

namespace corvane::ui {

struct ReportColumn {
  std::wstring caption;
  int width = 0;  // pixels on screen
};

struct ReportList {
  std::vector<ReportColumn> columns;
  // Each row holds at most one text per column; missing cells show empty.
  std::vector<std::vector<std::wstring>> rows;
};

}  // namespace corvane::ui
