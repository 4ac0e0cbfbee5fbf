// Building report sections from a window's tables: which sheet rows become
// rows, lists or columns, the volatile marks, and lists whose rows always
// match their columns.
#include "ui/report_section_build.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace corvane::ui {
namespace {

struct View {
  std::wstring name, free, notes;
};
const std::array<SheetField<View>, 4> kFields{{
    {L"Drive", L"Drive", 1},  // a drop-down: no text of its own
    {L"Name", L"Name", 2, [](const View& v) { return v.name; }},
    {L"Free", L"Free", 3, [](const View& v) { return v.free; }},
    {L"Notes", L"Notes", 4, [](const View& v) { return v.notes; }, SheetCell::kList, 3},
}};
constexpr std::wstring_view kFree[] = {L"Free"};

TEST(ReportSectionBuild, SheetRowsSkipOtherControlsAndMarkTheVolatileOnes) {
  const View view{L"C:", L"12 bytes", L"a\r\nb"};
  const auto rows = SheetSectionRows<View>(kFields, view, kFree);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (SectionRow{L"Name", L"C:", false}));
  EXPECT_EQ(rows[1], (SectionRow{L"Free", L"12 bytes", true}));
  EXPECT_EQ(rows[2], (SectionRow{L"Notes", L"a\r\nb", false}));
}

TEST(ReportSectionBuild, AWholeSheetPutsCellsOfSeveralLinesInListsOfTheirOwn) {
  ReportSection section;
  AddSheet<View>(section, kFields, View{L"C:", L"12 bytes", L"first\r\nsecond"}, kFree);
  ASSERT_EQ(section.rows.size(), 2u);
  EXPECT_EQ(section.rows[1].label, L"Free");
  EXPECT_TRUE(section.rows[1].is_volatile);
  ASSERT_EQ(section.lists.size(), 1u);
  EXPECT_EQ(section.lists[0],
            (SectionList{L"Notes", {L"Notes"}, {{L"first"}, {L"second"}}, false}));

  ReportSection empty;
  AddSheet<View>(empty, kFields, View{});
  ASSERT_EQ(empty.lists.size(), 1u);
  EXPECT_TRUE(empty.lists[0].rows.empty()) << "no line, no list row";
}

TEST(ReportSectionBuild, EntriesAreKeyedByTheirNameWithThePickedRowsAsColumns) {
  const std::vector<std::pair<std::wstring, View>> entries = {{L"C: [SYS]", {L"sys", L"1", {}}}, {L"D: []", {L"data", L"2", {}}}};
  const auto key = [](const auto& e) -> const std::wstring& { return e.first; };
  const auto view = [](const auto& e) -> const View& { return e.second; };
  const std::span<const std::pair<std::wstring, View>> all(entries);
  const std::span<const SheetField<View>> fields(kFields);

  const SectionList stable = SheetEntries(L"Drives", L"Drive", fields, all, key, view, LabelPick::kAllBut, kFree);
  EXPECT_EQ(stable.columns, (std::vector<std::wstring>{L"Drive", L"Name", L"Notes"}));
  EXPECT_EQ(stable.rows, (std::vector<std::vector<std::wstring>>{{L"C: [SYS]", L"sys", L""}, {L"D: []", L"data", L""}}));
  EXPECT_FALSE(stable.is_volatile);

  const SectionList free = SheetEntries(L"Free", L"Drive", fields, all, key, view, LabelPick::kOnly, kFree, true);
  EXPECT_EQ(free.columns, (std::vector<std::wstring>{L"Drive", L"Free"}));
  EXPECT_EQ(free.rows, (std::vector<std::vector<std::wstring>>{{L"C: [SYS]", L"1"}, {L"D: []", L"2"}}));
  EXPECT_TRUE(free.is_volatile);
}

TEST(ReportSectionBuild, ListRowsAreAsLongAsTheColumns) {
  const ReportList list{{{L"A", 10}, {L"B", 10}}, {{L"1"}, {L"1", L"2"}, {L"1", L"2", L"3"}, {}}};
  const SectionList section = ReportListSection(L"T", list, true);
  EXPECT_EQ(section.columns, (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(section.rows,
            (std::vector<std::vector<std::wstring>>{{L"1", L""}, {L"1", L"2"}, {L"1", L"2"}, {L"", L""}}));
  EXPECT_TRUE(section.is_volatile);
}

TEST(ReportSectionBuild, CheckLists) {
  constexpr std::wstring_view kItems[] = {L"One", L"Two", L"Three"};
  struct Case {
    std::array<bool, 3> checked;
    std::wstring text;
  };
  const Case cases[] = {
      {{false, false, false}, L""},
      {{true, false, true}, L"One, Three"},
      {{false, true, false}, L"Two"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckedItemsText(kItems, c.checked), c.text);
    const auto rows = CheckSectionRows(kItems, c.checked);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(rows[i].label, kItems[i]);
      EXPECT_EQ(rows[i].value, c.checked[i] ? L"Yes" : L"No");
    }
  }
}

}  // namespace
}  // namespace corvane::ui
