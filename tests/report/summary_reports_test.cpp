#include "report/summary_reports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

namespace corvane::report {
namespace {

const ReportMeasure kMeasure{[](const ui::PrintFont&, std::wstring_view text) { return static_cast<int>(text.size()) * 7; },
                             [](const ui::PrintFont& font) { return static_cast<int>(font.points * 4 / 3) + 3; }};

SummaryModel Sheet() {
  SummaryModel sheet;
  for (int n = 1; n <= kRowCount; ++n) sheet.Value(n) = L"value " + std::to_wstring(n);
  sheet.optical_short_list = L"DVD-RW";
  return sheet;
}

std::vector<ui::PrintText> Texts(const std::vector<ui::PrintOp>& ops) {
  std::vector<ui::PrintText> texts;
  for (const auto& op : ops)
    if (const auto* t = std::get_if<ui::PrintText>(&op)) texts.push_back(*t);
  return texts;
}

// Nothing of a layout falls outside the paper's margins.
void ExpectInsideTheMargins(const ReportLayout& layout, const std::vector<ui::PrintOp>& ops) {
  const PaperExtent paper = ExtentOf(layout.paper, layout.landscape);
  const int m = MmToUnits(kReportMarginMm);
  for (const auto& op : ops) {
    if (const auto* t = std::get_if<ui::PrintText>(&op)) {
      EXPECT_GE(t->x, m) << testing::PrintToString(t->text);
      EXPECT_LE(t->x + kMeasure.width(t->font, t->text), paper.width - m) << testing::PrintToString(t->text);
      EXPECT_LE(t->y + kMeasure.line_height(t->font), paper.height - m) << testing::PrintToString(t->text);
    } else if (const auto* l = std::get_if<ui::PrintLine>(&op)) {
      EXPECT_GE(std::min(l->x1, l->x2), m);
      EXPECT_LE(std::max(l->x1, l->x2), paper.width - m);
      EXPECT_LE(l->y1, paper.height - m);
    }
  }
}

TEST(FullReport, CarriesEveryRowOfTheSheetRuledAfterRows22And25) {
  ReportLayout layout = FullReportLayout(L"corvane.example.org");
  SummaryModel sheet = Sheet();
  sheet.Value(12).clear();  // an empty value keeps its pair
  FillFullReport(layout, sheet);
  for (int n = 1; n <= kRowCount; ++n) {
    SCOPED_TRACE(n);
    const ReportLabel* desc = layout.Find("QRDesc" + std::to_string(n));
    const ReportLabel* info = layout.Find("QRInfo" + std::to_string(n));
    ASSERT_TRUE(desc && info);
    EXPECT_EQ(desc->text, SummaryModel::Label(n));
    EXPECT_EQ(info->text, sheet.Value(n));
    EXPECT_EQ(desc->top, info->top);
    EXPECT_TRUE(desc->font.bold && info->font.bold);
    if (n > 1) {
      EXPECT_EQ(desc->top - layout.Find("QRDesc" + std::to_string(n - 1))->top, 32);
    }
  }

  // The rules of the detail band: across its top, then one between rows
  // 22 and 23 and one between rows 25 and 26.
  const auto& rules = layout.detail_band.rules;
  ASSERT_EQ(rules.size(), 3u);
  const auto between = [&](const ReportRule& rule, int row) {
    return rule.top > layout.Find("QRDesc" + std::to_string(row))->top &&
           rule.top < layout.Find("QRDesc" + std::to_string(row + 1))->top;
  };
  EXPECT_TRUE(between(rules[1], 22));
  EXPECT_TRUE(between(rules[2], 25));

  const auto ops = RenderReport(layout, L"now", kMeasure);
  const auto texts = Texts(ops);
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.text == L"now"; }));
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.text == L"corvane.example.org"; }));
  ExpectInsideTheMargins(layout, ops);
}

TEST(FullReport, ALongValueWrapsWithinItsLabel) {
  ReportLayout layout = FullReportLayout(L"");
  SummaryModel sheet = Sheet();
  sheet.Value(11) = std::wstring(60, L'a') + L" " + std::wstring(60, L'b');  // wider than 535 at 7 a character
  FillFullReport(layout, sheet);
  const auto texts = Texts(RenderReport(layout, L"", kMeasure));
  const auto a = std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == std::wstring(60, L'a'); });
  const auto b = std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == std::wstring(60, L'b'); });
  ASSERT_NE(a, texts.end());
  ASSERT_NE(b, texts.end());
  EXPECT_EQ(a->x, b->x);
  EXPECT_GT(b->y, a->y);
}

TEST(HardwareReport, ElevenLinesFromTheirSourcesInOrder) {
  ReportLayout layout = HardwareReportLayout();
  const SummaryModel sheet = Sheet();
  FillHardwareReport(layout, sheet, {L"Wine Adapter", L"252.0GB  ", L"Windows 7"});
  const struct {
    const char* name;
    std::wstring caption, value;
  } lines[] = {
      {"CPU", L"CPU", L"value 4"},          {"Memory", L"Memory", L"value 3"},
      {"Audio", L"Audio", L"value 6"},      {"Graphics", L"Graphics", L"Wine Adapter"},
      {"Optical", L"Optical Drive(s)", L"DVD-RW"}, {"HardDisks", L"Hard Disk(s)", L"252.0GB  "},
      {"Usb", L"USB", L"value 17"},         {"Firewire", L"Firewire", L"value 18"},
      {"Manufacturer", L"Manufacturer", L"value 19"}, {"Motherboard", L"Motherboard", L"value 25"},
      {"Os", L"O.S.", L"Windows 7"},
  };
  int previous_top = -1;
  int caption_right = -1;
  for (const auto& line : lines) {
    SCOPED_TRACE(line.name);
    const ReportLabel* caption = layout.Find(std::string("lbl") + line.name);
    const ReportLabel* value = layout.Find(std::string("val") + line.name);
    ASSERT_TRUE(caption && value);
    EXPECT_EQ(caption->text, line.caption);
    EXPECT_EQ(value->text, line.value);
    EXPECT_TRUE(caption->visible && value->visible);
    EXPECT_GT(caption->top, previous_top);
    previous_top = caption->top;
    // The captions' right edges line up.
    EXPECT_EQ(caption->align, LabelAlign::kRight);
    if (caption_right >= 0) {
      EXPECT_EQ(caption->left + caption->width, caption_right);
    }
    caption_right = caption->left + caption->width;
  }
  ExpectInsideTheMargins(layout, RenderReport(layout, L"", kMeasure));
}

TEST(HardwareReport, EmptyLinesHideAndShowAgainWhenFilled) {
  ReportLayout layout = HardwareReportLayout();
  SummaryModel sheet = Sheet();
  sheet.Value(18) = L"Not Detected";  // never empty: no FireWire is said so
  sheet.Value(19).clear();
  sheet.Value(25).clear();
  sheet.Value(6).clear();        // an empty line that is never hidden
  sheet.optical_short_list.clear();
  FillHardwareReport(layout, sheet, {});
  const auto shown = [&](const char* name) {
    const ReportLabel* caption = layout.Find(std::string("lbl") + name);
    const ReportLabel* value = layout.Find(std::string("val") + name);
    EXPECT_EQ(caption->visible, value->visible) << name;
    return caption->visible;
  };
  EXPECT_TRUE(shown("Firewire"));
  EXPECT_FALSE(shown("Manufacturer"));
  EXPECT_FALSE(shown("Motherboard"));
  EXPECT_TRUE(shown("Audio"));
  EXPECT_TRUE(shown("Optical"));
  const auto texts = Texts(RenderReport(layout, L"", kMeasure));
  EXPECT_FALSE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.text == L"Manufacturer"; }));
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.text == L"Not Detected"; }));

  sheet.Value(19) = L"Acme";
  sheet.Value(25) = L"Board";
  FillHardwareReport(layout, sheet, {});
  EXPECT_TRUE(shown("Manufacturer"));
  EXPECT_TRUE(shown("Motherboard"));
}

}  // namespace
}  // namespace corvane::report
