// A report-style list as data: columns with their on-screen widths, and rows
// of cell texts in column order. Windows show it (report_list_win.h) and
// printing lays it out; whoever builds one never touches a control.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
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

// A text comparison answering below, at or above zero, as lstrcmp does. The
// windows pass the user locale's (platform/locale_win.h), so the order is the
// one the user's other programs show.
using TextCompare = std::function<int(std::wstring_view, std::wstring_view)>;

// Sorts the rows by their first cell, ascending; rows with equal first cells
// keep their order, so two entries of one name stay as they were read.
void SortByCaption(ReportList& list, const TextCompare& compare);

// The status panel of a list window: "Count: " and the number of rows.
std::wstring CountText(std::size_t rows);

// The background of every second row (the second, fourth...), RGB(206, 221,
// 247) as 0x00BBGGRR, so long rows stay easy to follow across the columns.
inline constexpr std::uint32_t kOddRowColour = 0x00F7DDCE;

}  // namespace corvane::ui
