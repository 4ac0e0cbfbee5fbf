#include "ui/sheet_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::ui {
namespace {

TEST(SheetLines, JoinAndSplit) {
  const struct {
    std::wstring text;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"", {}},
      {L"one", {L"one"}},
      {L"a\r\nb", {L"a", L"b"}},
      {L"a\r\n\r\nb", {L"a", L"", L"b"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
    EXPECT_EQ(JoinLines(c.lines), c.text);
  }
  EXPECT_EQ(SplitLines(L"a\nb\rc\r\n"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

}  // namespace
}  // namespace corvane::ui
