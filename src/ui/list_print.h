// A report-style list printed as a ruled table on landscape pages, laid out
// as a list of drawing operations in printer pixels. Platform-free: the
// painter (print_painter_win.h) measures the texts and plays the operations;
// list_print_win.h runs the print job. The operations serve every printed
// page of the program (the reports too).
#pragma once
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/report_list.h"

namespace corvane::ui {

// x rounded to the nearest integer, a tie going to the even neighbour (2.5 -> 2,
// 3.5 -> 4), as every printed position is rounded.
constexpr int RoundHalfEven(double x) {
  // floor by hand: std::floor is not constexpr in C++20.
  auto floor = static_cast<long long>(x);
  if (static_cast<double>(floor) > x) --floor;
  const double rest = x - static_cast<double>(floor);
  if (rest > 0.5) return static_cast<int>(floor + 1);
  if (rest < 0.5) return static_cast<int>(floor);
  return static_cast<int>(floor % 2 == 0 ? floor : floor + 1);
}

// The four Times New Roman fonts of a printed list, all black.
enum class ListFont { kTitle, kDateLine, kHeader, kRow };

struct ListFontStyle {
  int points;
  bool bold;
};
constexpr ListFontStyle StyleOf(ListFont font) {
  switch (font) {
    case ListFont::kTitle: return {18, false};
    case ListFont::kDateLine: return {8, false};
    case ListFont::kHeader: return {10, true};
    case ListFont::kRow: break;
  }
  return {10, false};
}
inline constexpr wchar_t kListFontFace[] = L"Times New Roman";
// The text whose height in the row font is the printed line height.
inline constexpr wchar_t kLineHeightSample[] = L"dummy";

// The printer's page, in printer pixels, as the device reports it once the
// job is landscape.
struct ListPage {
  int width = 0;     // HORZRES: the printable width
  int height = 0;    // VERTRES: the printable height
  int offset_x = 0;  // PHYSICALOFFSETX
  int offset_y = 0;  // PHYSICALOFFSETY
};

// Positions shared by every page of one print job.
struct ListGeometry {
  double v = 0;             // 1/28.215 of the physical page height
  double h = 0;             // 1/21 of the physical page width
  std::vector<int> bounds;  // column boundaries x0 ... xn
  int top = 0;              // table top T: the header row's line
  int line_height = 0;      // L
  int rows_per_page = 1;    // R, at least 1
  int pages = 1;            // P, at least 1
};

// Column shares follow the on-screen widths; a list whose widths are all
// zero (or negative) shares the width equally rather than dividing by zero.
// A line height below one pixel counts as one.
ListGeometry MeasureListPage(const ListPage& page, const std::vector<ReportColumn>& columns, int line_height,
                             std::size_t row_count);

// A font of the drawing operations: face, size in points and weight; the
// painter makes it at the resolution of the surface it draws on.
struct PrintFont {
  std::wstring_view face;  // a name with static storage, as the layouts' own
  double points = 10;
  bool bold = false;
  friend bool operator==(const PrintFont&, const PrintFont&) = default;
};
constexpr PrintFont FontOf(ListFont font) { return {kListFontFace, double(StyleOf(font).points), StyleOf(font).bold}; }

struct PrintRect {
  int left, top, right, bottom;
  friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// Text drawn with its top-left corner at (x, y), cut at the clip rectangle
// when there is one.
struct PrintText {
  PrintFont font;
  int x, y;
  std::wstring text;
  std::optional<PrintRect> clip;
  friend bool operator==(const PrintText&, const PrintText&) = default;
};
// A line of the default pen from (x1, y1) to (x2, y2), the end point excluded
// as the device draws lines.
struct PrintLine {
  int x1, y1, x2, y2;
  friend bool operator==(const PrintLine&, const PrintLine&) = default;
};
// Starts a page: every page's operations follow one of these, the first
// page's included.
struct PrintNewPage {
  friend bool operator==(const PrintNewPage&, const PrintNewPage&) = default;
};
using PrintOp = std::variant<PrintText, PrintLine, PrintNewPage>;

// The operations split at their new-page operations: one list per page
// (drawing before the first new page belongs to the first page).
std::vector<std::vector<PrintOp>> SplitPages(const std::vector<PrintOp>& ops);

// How the surface that will show a page measures its texts, in its
// logical units.
struct PrintMeasure {
  std::function<int(const PrintFont&, std::wstring_view)> width;
  std::function<int(const PrintFont&)> line_height;
};

// The width of a text in one of the fonts, in printer pixels.
using ListTextWidth = std::function<int(ListFont, std::wstring_view)>;

// What a printed list looks like: on every page the column rules, the bold
// header row, the rule under it, the line "Date: <date> Page: <n> / <P>" and
// the title; then that page's rows, one line each, cells cut at their
// column's inner margin. A list without rows is one blank page.
std::vector<PrintOp> LayOutListPrint(const ListPage& page, const ReportList& list, std::wstring_view title,
                                     std::wstring_view date, int line_height, const ListTextWidth& width);

}  // namespace corvane::ui
