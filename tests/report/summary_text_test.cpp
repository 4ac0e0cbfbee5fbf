#include "report/summary_text.h"

#include <gtest/gtest.h>

namespace corvane::report {
namespace {

report::SummaryModel Sheet() {
  report::SummaryModel sheet;
  for (int row = 1; row <= kRowCount; ++row) sheet.Value(row) = L"v" + std::to_wstring(row);
  sheet.Value(6).clear();
  sheet.Value(7) = L"Card \"Pro\", 2 heads";
  return sheet;
}

TEST(SummaryLines, EachFormatGives28LinesInRowOrder) {
  const auto sheet = Sheet();
  for (auto format : {LineFormat::Text, LineFormat::Csv, LineFormat::Clipboard}) {
    const auto lines = SummaryLines(sheet, format);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_NE(lines[27].find(L"Host Name"), std::wstring::npos);
  }
}

TEST(SummaryLines, Formats) {
  const auto sheet = Sheet();
  const struct {
    LineFormat format;
    int row;
    const wchar_t* line;
  } cases[] = {
      {LineFormat::Text, 1, L"Windows: v1"},
      {LineFormat::Text, 6, L"Sound Card: "},
      {LineFormat::Csv, 1, L"\"Windows\",\"v1\""},
      {LineFormat::Csv, 6, L"\"Sound Card\",\"\""},
      {LineFormat::Csv, 7, L"\"Display Adapters\",\"Card \"\"Pro\"\", 2 heads\""},
      {LineFormat::Clipboard, 1, L"Windows:            \tv1"},  // eleven spaces
      {LineFormat::Clipboard, 16, L"Hard Disks - Free:  \tv16"},  // one space
      {LineFormat::Clipboard, 6, L"Sound Card:         \t"},
  };
  for (const auto& c : cases) EXPECT_EQ(SummaryLines(sheet, c.format)[c.row - 1], c.line);
}

TEST(JoinCrLf, TerminatesEveryLine) {
  EXPECT_EQ(JoinCrLf({L"a", L"b"}), L"a\r\nb\r\n");
  EXPECT_EQ(JoinCrLf({}), L"");
}

}  // namespace
}  // namespace corvane::report
