#include "report/summary_reports.h"

#include <array>
#include <string_view>

namespace corvane::report {
namespace {

constexpr wchar_t kArial[] = L"Arial";
constexpr wchar_t kGeorgia[] = L"Georgia";

// Sizes are given in pixels of the layouts' unit; fonts take points.
constexpr double Px(int pixels) { return pixels * 72.0 / kReportDpi; }

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

// The full report's rows.
constexpr int kRowsTop = 12;
constexpr int kRowPitch = 32;
constexpr int kDescWidth = 150;
constexpr int kInfoLeft = 160;
constexpr int kInfoWidth = 535;
constexpr int RowTop(int n) { return kRowsTop + (n - 1) * kRowPitch; }

// The hardware sheet's lines: where each value comes from.
enum class Source { kRow, kGraphics, kOptical, kHardDisks, kWindows };
struct HardwareLine {
  const char* name;  // caption "lbl" + name, value "val" + name
  const wchar_t* caption;
  Source source;
  int row;               // with Source::kRow
  bool hidden_when_empty;
};
constexpr std::array<HardwareLine, 11> kHardwareLines = {{
    {"CPU", L"CPU", Source::kRow, 4, false},
    {"Memory", L"Memory", Source::kRow, 3, false},
    {"Audio", L"Audio", Source::kRow, 6, false},
    {"Graphics", L"Graphics", Source::kGraphics, 0, false},
    {"Optical", L"Optical Drive(s)", Source::kOptical, 0, false},
    {"HardDisks", L"Hard Disk(s)", Source::kHardDisks, 0, false},
    {"Usb", L"USB", Source::kRow, 17, false},
    {"Firewire", L"Firewire", Source::kRow, 18, true},
    {"Manufacturer", L"Manufacturer", Source::kRow, 19, true},
    {"Motherboard", L"Motherboard", Source::kRow, 25, true},
    {"Os", L"O.S.", Source::kWindows, 0, false},
}};
constexpr int kLinesTop = 64;
constexpr int kLinePitch = 28;
constexpr int kCaptionWidth = 150;
constexpr int kValueLeft = 162;

}  // namespace

ReportLayout FullReportLayout(std::wstring_view web_address) {
  ReportLayout layout;
  layout.title = kFullReportTitle;
  layout.paper = PaperSize::kA4;
  const int width = layout.BandWidth();

  layout.title_band.height = 48;
  layout.title_band.labels.push_back(
      {"QRLabelTitle", 0, 4, width, {kGeorgia, Px(27), false}, kFullReportTitle, LabelAlign::kCentre});
  ReportLabel printed{"QRSysData1", width - 220, 16, 220, {kArial, Px(12), false}, L"", LabelAlign::kRight};
  printed.date_time = true;
  layout.title_band.labels.push_back(printed);

  ReportBand& detail = layout.detail_band;
  detail.rules.push_back({0, 4, width});
  for (int n = 1; n <= kRowCount; ++n) {
    detail.labels.push_back({Numbered("QRDesc", n), 0, RowTop(n), kDescWidth, {kArial, Px(13), true}, {}});
    ReportLabel info{Numbered("QRInfo", n), kInfoLeft, RowTop(n), kInfoWidth, {kArial, Px(13), true}, {}};
    info.word_wrap = true;
    detail.labels.push_back(info);
  }
  // Rules after rows 22 and 25, halfway to the next row.
  for (const int after : {22, 25}) detail.rules.push_back({0, RowTop(after + 1) - 6, width});
  const int foot = RowTop(kRowCount + 1) + 8;
  detail.labels.push_back({"QRLabelProduct", 0, foot, width, {kGeorgia, Px(20), false}, kFullReportTitle});
  detail.labels.push_back({"QRLabelWeb", 0, foot + 30, width, {kArial, Px(13), false}, std::wstring(web_address)});
  detail.height = foot + 52;
  return layout;
}

void FillFullReport(ReportLayout& layout, const SummaryModel& sheet) {
  for (int n = 1; n <= kRowCount; ++n) {
    if (ReportLabel* info = layout.Find(Numbered("QRInfo", n))) info->text = sheet.Value(n);
    if (ReportLabel* desc = layout.Find(Numbered("QRDesc", n))) desc->text = std::wstring(SummaryModel::Label(n));
  }
}

ReportLayout HardwareReportLayout() {
  ReportLayout layout;
  layout.title = kHardwareReportTitle;
  layout.paper = PaperSize::kA5;
  const int width = layout.BandWidth();
  ReportBand& band = layout.title_band;
  band.labels.push_back(
      {"QRLabelHeading", 0, 4, width, {kArial, Px(32), false}, kHardwareReportTitle, LabelAlign::kCentre});
  band.rules.push_back({0, 48, width});
  for (std::size_t i = 0; i < kHardwareLines.size(); ++i) {
    const HardwareLine& line = kHardwareLines[i];
    const int top = kLinesTop + static_cast<int>(i) * kLinePitch;
    band.labels.push_back({std::string("lbl") + line.name, 0, top, kCaptionWidth, {kArial, Px(19), true},
                           line.caption, LabelAlign::kRight});
    // The value's smaller text stands on the caption's baseline.
    band.labels.push_back({std::string("val") + line.name, kValueLeft, top + 3, width - kValueLeft,
                           {kArial, Px(15), false}, kHardwareValuePlaceholder});
  }
  const int below = kLinesTop + static_cast<int>(kHardwareLines.size()) * kLinePitch + 8;
  band.rules.push_back({0, below, width});
  // Two short rules at the foot, left and right, to write on.
  const int foot = ExtentOf(layout.paper, false).height - 2 * MmToUnits(kReportMarginMm) - 24;
  band.rules.push_back({0, foot, width * 2 / 5});
  band.rules.push_back({width - width * 2 / 5, foot, width * 2 / 5});
  band.height = foot + 8;
  return layout;
}

void FillHardwareReport(ReportLayout& layout, const SummaryModel& sheet, const HardwareFacts& facts) {
  for (const HardwareLine& line : kHardwareLines) {
    std::wstring value;
    switch (line.source) {
      case Source::kRow: value = sheet.Value(line.row); break;
      case Source::kGraphics: value = facts.graphics; break;
      case Source::kOptical: value = sheet.optical_short_list; break;
      case Source::kHardDisks: value = facts.hard_disks; break;
      case Source::kWindows: value = facts.short_windows; break;
    }
    ReportLabel* caption = layout.Find(std::string("lbl") + line.name);
    ReportLabel* shown = layout.Find(std::string("val") + line.name);
    if (!caption || !shown) continue;
    shown->text = std::move(value);
    if (line.hidden_when_empty) caption->visible = shown->visible = !shown->text.empty();
  }
}

}  // namespace corvane::report
