#include "ui/list_print.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace corvane::ui {
namespace {

static_assert(RoundHalfEven(2.5) == 2 && RoundHalfEven(3.5) == 4 && RoundHalfEven(-2.5) == -2);

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct {
    double x;
    int expected;
  } cases[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {-2.4, -2}, {7.0, 7}, {0.0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.x), c.expected) << c.x;
}

// A landscape page of 3300 x 2400 pixels with 150/75 pixels unprintable on
// each side: H = 157.14..., V = 85.06..., so x0 = 236, T = 213, and with a
// line height of 40, R = rnd(45.62) = 46.
constexpr ListPage kPage{3000, 2250, 150, 75};
constexpr int kLine = 40;
constexpr int kRowsPerPage = 46;
constexpr int kTop = 213;
constexpr int kMarginX = 16;  // rnd(0.1 H)
constexpr int kMarginY = 9;   // rnd(0.1 V)

// Every text is 10 pixels a character, the title's 30.
int Width(ListFont font, std::wstring_view text) {
  return static_cast<int>(text.size()) * (font == ListFont::kTitle ? 30 : 10);
}

ReportList ListOf(std::size_t rows) {
  ReportList list{{{L"Name", 100}, {L"Publisher", 200}, {L"Version", 100}}, {}};
  for (std::size_t i = 0; i < rows; ++i) list.rows.push_back({L"row " + std::to_wstring(i), L"p", L"v"});
  return list;
}

std::vector<std::vector<PrintOp>> Pages(const std::vector<PrintOp>& ops) {
  std::vector<std::vector<PrintOp>> pages;
  for (const auto& op : ops) {
    if (std::holds_alternative<PrintNewPage>(op)) {
      pages.emplace_back();
    } else {
      EXPECT_FALSE(pages.empty()) << "drawing before the first page";
      if (!pages.empty()) pages.back().push_back(op);
    }
  }
  return pages;
}
std::vector<PrintText> Texts(const std::vector<PrintOp>& page, ListFont font) {
  std::vector<PrintText> texts;
  for (const auto& op : page)
    if (const auto* t = std::get_if<PrintText>(&op); t && t->font == FontOf(font)) texts.push_back(*t);
  return texts;
}
std::vector<PrintLine> Lines(const std::vector<PrintOp>& page) {
  std::vector<PrintLine> lines;
  for (const auto& op : page)
    if (const auto* l = std::get_if<PrintLine>(&op)) lines.push_back(*l);
  return lines;
}

std::vector<PrintOp> LayOut(const ReportList& list, std::wstring_view title = L"Installed Applications") {
  return LayOutListPrint(kPage, list, title, L"1/2/2024", kLine, Width);
}

TEST(ListPrintGeometry, ComesFromThePhysicalPage) {
  const ListGeometry g = MeasureListPage(kPage, ListOf(0).columns, kLine, 0);
  EXPECT_EQ(g.top, kTop);
  EXPECT_EQ(g.rows_per_page, kRowsPerPage);
  // A = 3000 - 2 x 236 = 2528, shared 1:2:1; the table ends 236 from the right.
  EXPECT_EQ(g.bounds, (std::vector<int>{236, 868, 2132, 2764}));
  EXPECT_EQ(g.pages, 1);
}

TEST(ListPrintGeometry, PagesHoldRowsPerPageRows) {
  const struct {
    std::size_t rows;
    int pages;
  } cases[] = {{0, 1}, {1, 1}, {kRowsPerPage, 1}, {kRowsPerPage + 1, 2}, {2 * kRowsPerPage, 2}, {2 * kRowsPerPage + 1, 3}};
  for (const auto& c : cases) EXPECT_EQ(MeasureListPage(kPage, {}, kLine, c.rows).pages, c.pages) << c.rows;
}

TEST(ListPrintGeometry, DoublingAColumnDoublesItsShare) {
  const auto printed = [](std::vector<int> widths) {
    std::vector<ReportColumn> columns;
    for (int w : widths) columns.push_back({L"c", w});
    const auto b = MeasureListPage(kPage, columns, kLine, 0).bounds;
    std::vector<int> out;
    for (std::size_t i = 0; i + 1 < b.size(); ++i) out.push_back(b[i + 1] - b[i]);
    return out;
  };
  const auto before = printed({70, 90, 130});
  const auto after = printed({140, 90, 130});
  const double ratio_before = static_cast<double>(before[0]) / before[2];
  const double ratio_after = static_cast<double>(after[0]) / after[2];
  EXPECT_NEAR(ratio_after, 2 * ratio_before, 0.01);
  EXPECT_NEAR(static_cast<double>(after[0]) / after[1], 2.0 * before[0] / before[1], 0.01);
  // The table keeps its span however the widths change.
  for (const auto& widths : {before, after}) {
    int sum = 0;
    for (int w : widths) sum += w;
    EXPECT_NEAR(sum, 2528, 1);
  }
}

TEST(ListPrintGeometry, OddInputsStillGiveAUsablePage) {
  // Columns all of width zero share the table equally instead of dividing by zero.
  const auto equal = MeasureListPage(kPage, {{L"a", 0}, {L"b", 0}}, kLine, 3).bounds;
  EXPECT_EQ(equal, (std::vector<int>{236, 1500, 2764}));
  // A page too short for one line still prints a row a page; no line height
  // counts as one pixel.
  const ListPage tiny{3000, 30, 150, 75};
  EXPECT_EQ(MeasureListPage(tiny, {}, kLine, 3).rows_per_page, 1);
  EXPECT_EQ(MeasureListPage(tiny, {}, kLine, 3).pages, 3);
  EXPECT_GE(MeasureListPage(kPage, {}, 0, 3).rows_per_page, 1);
}

TEST(ListPrint, RowsPerPageFillOnePageAndOneMoreStartsASecond) {
  const struct {
    std::size_t rows;
    std::vector<int> rows_on_pages;
    std::vector<std::wstring> date_lines;
  } cases[] = {
      {kRowsPerPage, {kRowsPerPage}, {L"Date: 1/2/2024 Page: 1 / 1"}},
      {kRowsPerPage + 1, {kRowsPerPage, 1}, {L"Date: 1/2/2024 Page: 1 / 2", L"Date: 1/2/2024 Page: 2 / 2"}},
  };
  for (const auto& c : cases) {
    const auto pages = Pages(LayOut(ListOf(c.rows)));
    ASSERT_EQ(pages.size(), c.rows_on_pages.size()) << c.rows;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const auto rows = Texts(pages[p], ListFont::kRow);
      // Every row has three cells.
      EXPECT_EQ(rows.size(), 3u * c.rows_on_pages[p]) << c.rows << " rows, page " << p + 1;
      const auto date = Texts(pages[p], ListFont::kDateLine);
      ASSERT_EQ(date.size(), 1u);
      EXPECT_EQ(date[0].text, c.date_lines[p]);
    }
    // The second page begins again on the first line under the header.
    if (pages.size() == 2) {
      EXPECT_EQ(Texts(pages[1], ListFont::kRow)[0].y, kTop + kLine);
    }
  }
}

TEST(ListPrint, EveryPageRepeatsHeaderDateLineAndTitle) {
  const auto pages = Pages(LayOut(ListOf(2 * kRowsPerPage + 5)));
  ASSERT_EQ(pages.size(), 3u);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const auto header = Texts(pages[p], ListFont::kHeader);
    ASSERT_EQ(header.size(), 3u);
    EXPECT_EQ(header[0].text, L"Name");
    EXPECT_EQ(header[1].text, L"Publisher");
    EXPECT_EQ(header[2].text, L"Version");
    const auto date = Texts(pages[p], ListFont::kDateLine);
    ASSERT_EQ(date.size(), 1u);
    EXPECT_EQ(date[0].text, L"Date: 1/2/2024 Page: " + std::to_wstring(p + 1) + L" / 3");
    EXPECT_EQ(date[0].y, 43);  // rnd(0.5 V)
    EXPECT_FALSE(date[0].clip);
    const auto title = Texts(pages[p], ListFont::kTitle);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].text, L"Installed Applications");
    EXPECT_EQ(title[0].y, 85);  // rnd(1.0 V)
  }
}

TEST(ListPrint, HeaderCaptionsAreCentredAndClippedAboveTheRule) {
  const auto page = Pages(LayOut(ListOf(1)))[0];
  const auto header = Texts(page, ListFont::kHeader);
  ASSERT_EQ(header.size(), 3u);
  // "Publisher" is 90 wide in column 868 ... 2132: 868 + 632 - 45.
  EXPECT_EQ(header[1].x, 1455);
  EXPECT_EQ(header[1].y, kTop - kMarginY);
  EXPECT_EQ(header[1].clip, (PrintRect{868 + kMarginX, kTop - kMarginY, 2132 - kMarginX, kTop + kLine - kMarginY}));
  // "Name" is 40 wide in column 236 ... 868.
  EXPECT_EQ(header[0].x, 236 + 316 - 20);
  // The rule under the header overhangs the table by the margin on both sides.
  const auto lines = Lines(page);
  const int under = kTop + kLine - 4;  // rnd(0.05 V) = 4
  EXPECT_NE(std::find(lines.begin(), lines.end(), PrintLine{236 - kMarginX, under, 2764 + kMarginX, under}),
            lines.end());
}

TEST(ListPrint, ColumnRulesStopAtTheLastRowOfTheirPage) {
  const std::size_t last_rows = 7;
  const auto pages = Pages(LayOut(ListOf(kRowsPerPage + last_rows)));
  ASSERT_EQ(pages.size(), 2u);
  const int bottoms[] = {kTop + (kRowsPerPage + 1) * kLine, kTop + static_cast<int>(last_rows + 1) * kLine};
  for (std::size_t p = 0; p < 2; ++p) {
    std::vector<PrintLine> vertical;
    for (const auto& l : Lines(pages[p]))
      if (l.x1 == l.x2) vertical.push_back(l);
    // The inner boundaries only: none at the table's outer edges.
    EXPECT_EQ(vertical, (std::vector<PrintLine>{{868, kTop, 868, bottoms[p]}, {2132, kTop, 2132, bottoms[p]}}))
        << "page " << p + 1;
    // The last row printed on the page ends where the rules end.
    const auto rows = Texts(pages[p], ListFont::kRow);
    EXPECT_EQ(rows.back().clip->bottom, bottoms[p]);
  }
}

TEST(ListPrint, TitleIsCentredUnlessTheDateLineEndsClearOfIt) {
  // Date line x D = 3000 - 236 - 2 x (width div 2); with a title 600 wide,
  // C = (3000 + 600) div 2 + rnd(0.75 H) = 1800 + 118 = 1918.
  const struct {
    int date_width;
    int title_x;
  } cases[] = {
      {1000, 1200},  // D = 1764 < C: centred, (3000 - 600) div 2
      {848, 1200},   // D = 1916 < C
      {847, 471},    // D = 1918, not less than C: rnd(3 H)
      {200, 471},    // D = 2564
  };
  for (const auto& c : cases) {
    const auto width = [&](ListFont font, std::wstring_view text) {
      if (font == ListFont::kTitle) return 600;
      if (font == ListFont::kDateLine) return c.date_width;
      return Width(font, text);
    };
    const auto page = Pages(LayOutListPrint(kPage, ListOf(1), L"T", L"d", kLine, width))[0];
    const auto date = Texts(page, ListFont::kDateLine);
    const auto title = Texts(page, ListFont::kTitle);
    ASSERT_EQ(date.size(), 1u);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(date[0].x, 2764 - 2 * (c.date_width / 2)) << c.date_width;
    EXPECT_EQ(title[0].x, c.title_x) << c.date_width;
  }
}

TEST(ListPrint, CellsSitInTheirColumnAndAreCutAtItsInnerMargin) {
  const std::wstring long_text(400, L'x');
  ReportList list = ListOf(0);
  list.rows = {
      {L"first", long_text, L"1.0"},
      {L"short row"},                        // one cell of three
      {L"a", L"b", L"c", L"beyond the columns"},  // more cells than columns
  };
  const auto pages = Pages(LayOut(list));
  ASSERT_EQ(pages.size(), 1u);
  const auto rows = Texts(pages[0], ListFont::kRow);
  const struct {
    std::wstring text;
    int left, right, line;
  } expected[] = {
      {L"first", 236, 868, 1}, {long_text, 868, 2132, 1}, {L"1.0", 2132, 2764, 1}, {L"short row", 236, 868, 2},
      {L"a", 236, 868, 3},     {L"b", 868, 2132, 3},      {L"c", 2132, 2764, 3},
  };
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& e = expected[i];
    const int top = kTop + e.line * kLine;
    EXPECT_EQ(rows[i].text, e.text) << i;
    EXPECT_EQ(rows[i].x, e.left + kMarginX) << i;
    EXPECT_EQ(rows[i].y, top) << i;
    EXPECT_EQ(rows[i].clip, (PrintRect{e.left + kMarginX, top, e.right - kMarginX, top + kLine})) << i;
  }
}

TEST(ListPrint, AListWithoutRowsIsOneBlankPage) {
  const auto ops = LayOut(ListOf(0));
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<PrintNewPage>(ops[0]));
}

}  // namespace
}  // namespace corvane::ui
