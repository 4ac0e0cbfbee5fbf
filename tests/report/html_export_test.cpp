// The summary's web page, line by line.
#include "report/html_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/summary_text.h"

namespace corvane::report {
namespace {

SummaryModel Sheet() {
  SummaryModel sheet;
  for (int row = 1; row <= kRowCount; ++row) sheet.Value(row) = L"v" + std::to_wstring(row);
  return sheet;
}

std::size_t Count(const std::wstring& text, std::wstring_view part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TEST(HtmlExport, ThePageLineByLine) {
  const auto lines = HtmlExportLines(Sheet(), L"Jo Bloggs", L"05/06/2024 14:03:09");
  ASSERT_EQ(lines.size(), 10u + 28u * 8u + 4u);
  const std::vector<std::wstring> head(lines.begin(), lines.begin() + 10);
  EXPECT_EQ(head, (std::vector<std::wstring>{
                      L"<html>",
                      L"<head>",
                      L"<meta http-equiv=\"Content-Language\" content=\"en-gb\">",
                      L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                      L"<title>Corvane for PC:Jo Bloggs</title>",
                      L"</head>",
                      L"<body>",
                      L"<h1 align=\"center\"><span style=\"font-weight: 400\"><font face=\"Georgia\">Corvane</font>"
                      L"<small>---05/06/2024 14:03:09</small></span></h1>",
                      L"<hr>",
                      L"<br>",
                  }));
  // Row 2's table, as every row's is written.
  const std::vector<std::wstring> table(lines.begin() + 18, lines.begin() + 26);
  EXPECT_EQ(table, (std::vector<std::wstring>{
                       L"<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\" "
                       L"bordercolorlight=\"#FFFFFF\" bordercolordark=\"#FFFFFF\">",
                       L"        <tr>",
                       L"                <td width=\"150\" bordercolor=\"#000000\" bgcolor=\"#A6CAF0\"><b>Internet "
                       L"Explorer</b></td>",
                       L"                <td width=\"18\" bordercolorlight=\"#FFFFFF\" "
                       L"bordercolordark=\"#FFFFFF\"></td>",
                       L"                <td bordercolorlight=\"#000000\" bordercolordark=\"#000000\" "
                       L"bgcolor=\"#FFFFE1\"><b>v2</b></td>",
                       L"                <br>",
                       L"        </tr>",
                       L"</table>",
                   }));
  EXPECT_EQ(lines[lines.size() - 4], L"<h2><a href=\"https://corvane.example.org/\">Corvane</a></h2>");
  EXPECT_EQ(lines[lines.size() - 3],
            L"<a href=\"https://corvane.example.org/\">https://corvane.example.org/</a>");
  EXPECT_EQ(lines[lines.size() - 2], L"</body>");
  EXPECT_EQ(lines.back(), L"</html>");
}

TEST(HtmlExport, EveryRowHasOneTableInRowOrder) {
  const std::wstring page = JoinCrLf(HtmlExportLines(Sheet(), L"", L""));
  EXPECT_EQ(Count(page, L"<table "), 28u);
  EXPECT_EQ(Count(page, L"</table>"), 28u);
  std::size_t at = 0;
  for (int row = 1; row <= kRowCount; ++row) {
    const std::wstring cell = L"<b>" + std::wstring(SummaryModel::Label(row)) + L"</b></td>";
    const std::wstring value = L"<b>v" + std::to_wstring(row) + L"</b></td>";
    at = page.find(cell, at);
    ASSERT_NE(at, std::wstring::npos) << row;
    at = page.find(value, at);
    ASSERT_NE(at, std::wstring::npos) << row;
  }
}

TEST(HtmlExport, WithoutAnOwnerTheTitleEndsAfterTheColon) {
  const auto lines = HtmlExportLines(Sheet(), L"", L"now");
  EXPECT_EQ(lines[4], L"<title>Corvane for PC:</title>");
}

TEST(HtmlExport, TextsFromTheSystemCannotBecomeMarkup) {
  SummaryModel sheet = Sheet();
  sheet.Value(1) = L"Tom & Jerry";
  sheet.Value(2) = L"<script>alert(\"x\")</script>";
  const auto lines = HtmlExportLines(sheet, L"A&B <i>", L"1<2");
  EXPECT_EQ(lines[4], L"<title>Corvane for PC:A&amp;B &lt;i&gt;</title>");
  EXPECT_NE(lines[7].find(L"<small>---1&lt;2</small>"), std::wstring::npos);
  EXPECT_NE(lines[14].find(L"<b>Tom &amp; Jerry</b>"), std::wstring::npos);
  EXPECT_NE(lines[22].find(L"<b>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;</b>"), std::wstring::npos);
  const std::wstring page = JoinCrLf(lines);
  EXPECT_EQ(page.find(L"<script>"), std::wstring::npos);
  EXPECT_EQ(Count(page, L"<table "), 28u);
}

TEST(HtmlExport, EscapeLeavesOtherTextAlone) {
  EXPECT_EQ(HtmlEscape(L"Caf\u00e9 'x' 100%"), L"Caf\u00e9 'x' 100%");
  EXPECT_EQ(HtmlEscape(L"&&"), L"&amp;&amp;");
}

}  // namespace
}  // namespace corvane::report
