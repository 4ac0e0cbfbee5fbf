// A small report engine: one page of a given paper with 10 mm margins, a
// title band at the top and a detail band below it, each holding text
// labels (their text set at run time, hidden or shown, left, centred or
// right aligned, wrapped within their width when asked), horizontal rules
// and date-time fields. Rendered into the drawing operations the printer
// and the preview play, in 1/96 inch units from the paper's top left corner.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/list_print.h"
#include "ui/print_document.h"

namespace corvane::report {

inline constexpr int kReportDpi = 96;  // the layouts' unit: 1/96 inch
inline constexpr double kReportMarginMm = 10;

enum class PaperSize { kA4, kA5 };

// The paper's size in the layouts' unit, portrait or landscape.
struct PaperExtent {
  int width = 0, height = 0;
  friend bool operator==(const PaperExtent&, const PaperExtent&) = default;
};
PaperExtent ExtentOf(PaperSize paper, bool landscape);
// Millimetres in the layouts' unit, rounded to the nearest.
int MmToUnits(double mm);

enum class LabelAlign { kLeft, kCentre, kRight };

struct ReportLabel {
  std::string name;              // by which the program finds it ("QRInfo1")
  int left = 0, top = 0;         // within its band
  int width = 0;                 // the box the alignment and wrapping use
  ui::PrintFont font;
  std::wstring text;
  LabelAlign align = LabelAlign::kLeft;
  bool word_wrap = false;        // long texts wrap within the width, not cut
  bool visible = true;
  bool date_time = false;        // prints the time of printing instead of its text
};

// A horizontal rule of the default pen.
struct ReportRule {
  int left = 0, top = 0, width = 0;
};

struct ReportBand {
  int height = 0;
  std::vector<ReportLabel> labels;
  std::vector<ReportRule> rules;
};

struct ReportLayout {
  std::wstring title;  // the print job's name
  PaperSize paper = PaperSize::kA4;
  bool landscape = false;
  ReportBand title_band;   // printed once, at the top margin
  ReportBand detail_band;  // printed once, below the title band

  // The label so named in either band, or nullptr.
  ReportLabel* Find(std::string_view name);
  const ReportLabel* Find(std::string_view name) const;
  // The width inside the margins: a band is as wide.
  int BandWidth() const;
};

// How the surface that will show the texts measures them.
using ReportMeasure = ui::PrintMeasure;

// The text cut into lines no wider than `width` at spaces; a word wider
// than the line is cut between characters. An empty text is one empty line.
std::vector<std::wstring> WrapText(std::wstring_view text, int width,
                                   const std::function<int(std::wstring_view)>& measure);

// The page: one new-page operation, then each band's rules and visible
// labels at their places on the paper. `now` is what date-time fields show.
std::vector<ui::PrintOp> RenderReport(const ReportLayout& layout, std::wstring_view now, const ReportMeasure& measure);

// The layout as a document for the preview and the printer, its date-time
// fields showing `now`.
ui::PrintDocument DocumentOf(const ReportLayout& layout, std::wstring now);

}  // namespace corvane::report
