#include "report/report_layout.h"

#include <cmath>

#include "platform/utf8.h"

namespace corvane::report {

int MmToUnits(double mm) { return static_cast<int>(std::lround(mm * kReportDpi / 25.4)); }

PaperExtent ExtentOf(PaperSize paper, bool landscape) {
  // ISO 216: A5 is A4 folded once.
  const PaperExtent portrait = paper == PaperSize::kA4 ? PaperExtent{MmToUnits(210), MmToUnits(297)}
                                                       : PaperExtent{MmToUnits(148), MmToUnits(210)};
  return landscape ? PaperExtent{portrait.height, portrait.width} : portrait;
}

ReportLabel* ReportLayout::Find(std::string_view name) {
  return const_cast<ReportLabel*>(static_cast<const ReportLayout*>(this)->Find(name));
}

const ReportLabel* ReportLayout::Find(std::string_view name) const {
  for (const ReportBand* band : {&title_band, &detail_band}) {
    for (const ReportLabel& label : band->labels) {
      if (label.name == name) return &label;
    }
  }
  return nullptr;
}

int ReportLayout::BandWidth() const { return ExtentOf(paper, landscape).width - 2 * MmToUnits(kReportMarginMm); }

std::vector<std::wstring> WrapText(std::wstring_view text, int width,
                                   const std::function<int(std::wstring_view)>& measure) {
  std::vector<std::wstring> lines;
  std::wstring line;
  std::size_t at = 0;
  while (at < text.size()) {
    // The next word with the spaces before it.
    std::size_t end = at;
    while (end < text.size() && text[end] == L' ') ++end;
    while (end < text.size() && text[end] != L' ') ++end;
    const std::wstring_view piece = text.substr(at, end - at);
    if (measure(line + std::wstring(piece)) <= width) {
      line += piece;
      at = end;
      continue;
    }
    // It does not fit: the line ends before it, without the spaces.
    const std::size_t word_start = piece.find_first_not_of(L' ');
    const std::wstring_view word = word_start == std::wstring_view::npos ? L"" : piece.substr(word_start);
    if (!line.empty()) {
      lines.push_back(std::move(line));
      line.clear();
      at += word_start == std::wstring_view::npos ? piece.size() : word_start;
      continue;
    }
    if (word.empty()) {  // only spaces, at the end of the text
      at = end;
      continue;
    }
    // A word wider than a whole line: as many characters as fit, one at
    // least, never half of a surrogate pair.
    std::size_t fit = platform::CharacterUnits(word, 0);
    for (std::size_t next = fit + platform::CharacterUnits(word, fit);
         next > fit && measure(word.substr(0, next)) <= width; next = fit + platform::CharacterUnits(word, fit)) {
      fit = next;
    }
    lines.emplace_back(word.substr(0, fit));
    at += (word_start == std::wstring_view::npos ? 0 : word_start) + fit;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

namespace {

void RenderBand(const ReportBand& band, int left, int top, std::wstring_view now, const ReportMeasure& measure,
                std::vector<ui::PrintOp>& ops) {
  for (const ReportRule& rule : band.rules) {
    ops.emplace_back(ui::PrintLine{left + rule.left, top + rule.top, left + rule.left + rule.width, top + rule.top});
  }
  for (const ReportLabel& label : band.labels) {
    if (!label.visible) continue;
    const std::wstring_view text = label.date_time ? now : std::wstring_view(label.text);
    const auto width_of = [&](std::wstring_view s) { return measure.width(label.font, s); };
    const std::vector<std::wstring> lines =
        label.word_wrap ? WrapText(text, label.width, width_of) : std::vector<std::wstring>{std::wstring(text)};
    const int line_height = measure.line_height(label.font);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].empty()) continue;
      int x = left + label.left;
      const int w = width_of(lines[i]);
      if (label.align == LabelAlign::kCentre) x += (label.width - w) / 2;
      if (label.align == LabelAlign::kRight) x += label.width - w;
      ops.emplace_back(ui::PrintText{label.font, x, top + label.top + static_cast<int>(i) * line_height, lines[i], {}});
    }
  }
}

}  // namespace

std::vector<ui::PrintOp> RenderReport(const ReportLayout& layout, std::wstring_view now, const ReportMeasure& measure) {
  std::vector<ui::PrintOp> ops;
  ops.emplace_back(ui::PrintNewPage{});
  const int margin = MmToUnits(kReportMarginMm);
  RenderBand(layout.title_band, margin, margin, now, measure, ops);
  RenderBand(layout.detail_band, margin, margin + layout.title_band.height, now, measure, ops);
  return ops;
}

ui::PrintDocument DocumentOf(const ReportLayout& layout, std::wstring now) {
  constexpr short kDevicePaperA4 = 9, kDevicePaperA5 = 11;
  const PaperExtent paper = ExtentOf(layout.paper, layout.landscape);
  return {layout.title, paper.width, paper.height, layout.landscape,
          layout.paper == PaperSize::kA4 ? kDevicePaperA4 : kDevicePaperA5,
          [layout, now = std::move(now)](const ui::PrintMeasure& measure) { return RenderReport(layout, now, measure); }};
}

}  // namespace corvane::report
