#include "report/report_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

namespace corvane::report {
namespace {

// Every character 10 units wide, every line 20 high.
int Width(std::wstring_view text) { return static_cast<int>(text.size()) * 10; }
const ReportMeasure kMeasure{[](const ui::PrintFont&, std::wstring_view text) { return Width(text); },
                             [](const ui::PrintFont&) { return 20; }};

std::vector<ui::PrintText> Texts(const std::vector<ui::PrintOp>& ops) {
  std::vector<ui::PrintText> texts;
  for (const auto& op : ops)
    if (const auto* t = std::get_if<ui::PrintText>(&op)) texts.push_back(*t);
  return texts;
}

TEST(WrapText, BreaksAtSpacesAndCutsWordsWiderThanTheLine) {
  const std::wstring kPair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};  // U+1F600 in UTF-16
  const struct {
    std::wstring text;
    int width;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"", 100, {L""}},
      {L"short", 100, {L"short"}},
      {L"two words", 90, {L"two words"}},
      {L"two words", 80, {L"two", L"words"}},
      {L"one two three", 70, {L"one two", L"three"}},
      {L"abcdefghij", 40, {L"abcd", L"efgh", L"ij"}},
      {L"ab abcdefgh", 40, {L"ab", L"abcd", L"efgh"}},
      {L"trailing   ", 80, {L"trailing"}},
      {L"x", 0, {L"x"}},  // at least one character a line, whatever the width
      // A surrogate pair (two units, twenty wide here) is one character: a
      // cut goes before or after it, never through it.
      {L"abc" + kPair + L"de", 40, {L"abc", kPair + L"de"}},
      {L"ab" + kPair + L"de", 40, {L"ab" + kPair, L"de"}},
      {kPair + kPair, 10, {kPair, kPair}},  // wider than the line, still whole
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " in " + std::to_string(c.width));
    EXPECT_EQ(WrapText(c.text, c.width, &Width), c.lines);
  }
}

TEST(RenderReport, PlacesBandsInsideTheMarginsAndAlignsLabels) {
  ReportLayout layout;
  layout.paper = PaperSize::kA4;
  layout.title_band.height = 50;
  layout.title_band.labels = {
      {"left", 5, 7, 100, {}, L"ab"},
      {"centre", 0, 0, 100, {}, L"ab", LabelAlign::kCentre},
      {"right", 0, 0, 100, {}, L"ab", LabelAlign::kRight},
      {"hidden", 0, 0, 100, {}, L"never", LabelAlign::kLeft, false, false},
  };
  ReportLabel when{"when", 0, 30, 300, {}, L"design text"};
  when.date_time = true;
  layout.title_band.labels.push_back(when);
  layout.detail_band.labels = {{"wrapped", 0, 10, 80, {}, L"two words", LabelAlign::kLeft, true}};
  layout.detail_band.rules = {{0, 2, 200}};

  const int m = MmToUnits(kReportMarginMm);
  EXPECT_EQ(m, 38);
  const auto ops = RenderReport(layout, L"12/10/2026 10:00:00", kMeasure);
  ASSERT_FALSE(ops.empty());
  EXPECT_TRUE(std::holds_alternative<ui::PrintNewPage>(ops.front()));
  EXPECT_EQ(std::count_if(ops.begin(), ops.end(), [](const auto& op) { return std::holds_alternative<ui::PrintNewPage>(op); }), 1);

  const auto texts = Texts(ops);
  ASSERT_EQ(texts.size(), 6u);
  const struct {
    std::wstring text;
    int x, y;
  } expected[] = {
      {L"ab", m + 5, m + 7},
      {L"ab", m + 40, m},
      {L"ab", m + 80, m},
      {L"12/10/2026 10:00:00", m, m + 30},
      // The detail band starts below the title band; wrapped lines follow each other.
      {L"two", m, m + 50 + 10},
      {L"words", m, m + 50 + 10 + 20},
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(texts[i].text, expected[i].text);
    EXPECT_EQ(texts[i].x, expected[i].x);
    EXPECT_EQ(texts[i].y, expected[i].y);
  }
  const auto line = std::find_if(ops.begin(), ops.end(), [](const auto& op) { return std::holds_alternative<ui::PrintLine>(op); });
  ASSERT_NE(line, ops.end());
  const auto* rule = std::get_if<ui::PrintLine>(&*line);
  EXPECT_EQ(*rule, (ui::PrintLine{m, m + 52, m + 200, m + 52}));
}

TEST(ReportPaper, SizesInTheLayoutsUnit) {
  EXPECT_EQ(ExtentOf(PaperSize::kA4, false), (PaperExtent{794, 1123}));
  EXPECT_EQ(ExtentOf(PaperSize::kA4, true), (PaperExtent{1123, 794}));
  EXPECT_EQ(ExtentOf(PaperSize::kA5, false), (PaperExtent{559, 794}));
}

}  // namespace
}  // namespace corvane::report
