#include "ui/report_list.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

namespace corvane::ui {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

// Case-blind, as a locale's first-level comparison is: "b" and "B" tie.
int CaseBlind(std::wstring_view a, std::wstring_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const auto x = std::towlower(a[i]), y = std::towlower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TEST(SortByCaption, OrdersByTheFirstCellAndKeepsTiesAsRead) {
  ReportList list{{{L"Name", 100}, {L"Key", 100}},
                  {{L"beta", L"1"}, {L"Alpha", L"2"}, {L"Beta", L"3"}, {}, {L"alpha", L"5"}, {L"b", L"6"}}};
  SortByCaption(list, CaseBlind);
  const Rows expected{{}, {L"Alpha", L"2"}, {L"alpha", L"5"}, {L"b", L"6"}, {L"beta", L"1"}, {L"Beta", L"3"}};
  EXPECT_EQ(list.rows, expected) << "a row without cells sorts as an empty caption; equal names keep their order";
}

TEST(CountText, NamesTheRows) {
  EXPECT_EQ(CountText(0), L"Count: 0");
  EXPECT_EQ(CountText(2000), L"Count: 2000");
}

}  // namespace
}  // namespace corvane::ui
