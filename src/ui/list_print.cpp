#include "ui/list_print.h"

#include <algorithm>

namespace corvane::ui {

ListGeometry MeasureListPage(const ListPage& page, const std::vector<ReportColumn>& columns, int line_height,
                             std::size_t row_count) {
  ListGeometry g;
  // The units are fractions of the physical page: the printable area plus
  // the unprintable margins on both sides.
  g.v = (2.0 * page.offset_y + page.height) / 28.215;
  g.h = (2.0 * page.offset_x + page.width) / 21;

  const int x0 = RoundHalfEven(1.5 * g.h);
  const double available = (page.width - x0) - x0;
  long long sum = 0;
  for (const auto& column : columns) sum += std::max(column.width, 0);
  g.bounds.reserve(columns.size() + 1);
  g.bounds.push_back(x0);
  for (const auto& column : columns) {
    const double share =
        sum > 0 ? static_cast<double>(std::max(column.width, 0)) / static_cast<double>(sum) : 1.0 / columns.size();
    g.bounds.push_back(RoundHalfEven(share * available) + g.bounds.back());
  }

  g.top = RoundHalfEven(2.5 * g.v);
  g.line_height = std::max(line_height, 1);
  g.rows_per_page = std::max(RoundHalfEven((page.height - 5 * g.v) / g.line_height), 1);
  const auto per_page = static_cast<std::size_t>(g.rows_per_page);
  g.pages = static_cast<int>(std::max<std::size_t>((row_count + per_page - 1) / per_page, 1));
  return g;
}

namespace {

// Draws what every page repeats above its rows: column rules down to the
// bottom of the last row this page holds, the header row, the rule under
// it, the date and page line and the title.
void LayOutPageTop(const ListPage& page, const ListGeometry& g, const std::vector<ReportColumn>& columns,
                   std::wstring_view title, std::wstring_view date, int page_number, int rows_on_page,
                   const ListTextWidth& width, std::vector<PrintOp>& ops) {
  const int t = g.top, l = g.line_height;
  const int margin_x = RoundHalfEven(0.1 * g.h), margin_y = RoundHalfEven(0.1 * g.v);
  const auto& x = g.bounds;
  const std::size_t n = columns.size();

  ops.emplace_back(PrintNewPage{});
  // Inner boundaries only: the table has no outer frame.
  const int rule_bottom = t + (rows_on_page + 1) * l;
  for (std::size_t c = 1; c < n; ++c) ops.emplace_back(PrintLine{x[c], t, x[c], rule_bottom});

  for (std::size_t c = 0; c < n; ++c) {
    const std::wstring& caption = columns[c].caption;
    const int caption_x = x[c] + (x[c + 1] - x[c]) / 2 - width(ListFont::kHeader, caption) / 2;
    ops.emplace_back(PrintText{FontOf(ListFont::kHeader), caption_x, t - margin_y, caption,
                               PrintRect{x[c] + margin_x, t - margin_y, x[c + 1] - margin_x, t + l - margin_y}});
  }
  const int under_header = t + l - RoundHalfEven(0.05 * g.v);
  ops.emplace_back(PrintLine{x.front() - margin_x, under_header, x.back() + margin_x, under_header});

  std::wstring date_line = L"Date: ";
  date_line.append(date);
  date_line += L" Page: " + std::to_wstring(page_number) + L" / " + std::to_wstring(g.pages);
  const int date_x = page.width - RoundHalfEven(1.5 * g.h) - 2 * (width(ListFont::kDateLine, date_line) / 2);
  ops.emplace_back(PrintText{FontOf(ListFont::kDateLine), date_x, RoundHalfEven(0.5 * g.v), std::move(date_line), {}});

  const int title_width = width(ListFont::kTitle, title);
  const int centred_end = (page.width + title_width) / 2 + RoundHalfEven(0.75 * g.h);
  const int title_x = date_x < centred_end ? (page.width - title_width) / 2 : RoundHalfEven(3 * g.h);
  ops.emplace_back(PrintText{FontOf(ListFont::kTitle), title_x, RoundHalfEven(1.0 * g.v), std::wstring(title), {}});
}

}  // namespace

std::vector<PrintOp> LayOutListPrint(const ListPage& page, const ReportList& list, std::wstring_view title,
                                     std::wstring_view date, int line_height, const ListTextWidth& width) {
  const ListGeometry g = MeasureListPage(page, list.columns, line_height, list.rows.size());
  std::vector<PrintOp> ops;
  // The document still holds a page when there is nothing to print on it.
  if (list.rows.empty()) {
    ops.emplace_back(PrintNewPage{});
    return ops;
  }

  const int t = g.top, l = g.line_height, r = g.rows_per_page;
  const int margin_x = RoundHalfEven(0.1 * g.h);
  const auto& x = g.bounds;
  const std::size_t n = list.columns.size();
  int line = 0;  // the row's line on its page, 1 ... R; 0 before the first page
  int page_number = 0;
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    if (line == 0 || line > r) {
      ++page_number;
      line = 1;
      const int rows_on_page = static_cast<int>(std::min<std::size_t>(r, list.rows.size() - i));
      LayOutPageTop(page, g, list.columns, title, date, page_number, rows_on_page, width, ops);
    }
    const auto& cells = list.rows[i];
    const int y = t + line * l;
    // Cells beyond the columns have nowhere to go; missing ones stay empty.
    for (std::size_t c = 0; c < std::min(n, cells.size()); ++c) {
      if (cells[c].empty()) continue;
      const int left = x[c] + margin_x, right = x[c + 1] - margin_x;
      ops.emplace_back(PrintText{FontOf(ListFont::kRow), left, y, cells[c], PrintRect{left, y, right, y + l}});
    }
    ++line;
  }
  return ops;
}

std::vector<std::vector<PrintOp>> SplitPages(const std::vector<PrintOp>& ops) {
  std::vector<std::vector<PrintOp>> pages;
  for (const auto& op : ops) {
    if (std::holds_alternative<PrintNewPage>(op)) {
      pages.emplace_back();
    } else {
      if (pages.empty()) pages.emplace_back();
      pages.back().push_back(op);
    }
  }
  return pages;
}

}  // namespace corvane::ui
