// The two printed reports of the summary: the full report (every row of the
// sheet on one A4 page) and the hardware sheet (eleven lines on A5), as
// layouts of the report engine, made once and refilled for every print.
#pragma once
#include <string>

#include "report/report_layout.h"
#include "report/summary.h"

namespace corvane::report {

inline constexpr wchar_t kFullReportTitle[] = L"Corvane";
inline constexpr wchar_t kHardwareReportTitle[] = L"Machine Specification";
inline constexpr wchar_t kHardwareValuePlaceholder[] = L"-----------------------";

// TQuickReport4: "Corvane" and the print time above, then the 28 label and
// value pairs (QRDesc<n>, QRInfo<n>), ruled after rows 22 and 25.
ReportLayout FullReportLayout(std::wstring_view web_address);
// Sets every pair from the sheet as it stands.
void FillFullReport(ReportLayout& layout, const SummaryModel& sheet);

// What the hardware sheet shows beside the summary rows.
struct HardwareFacts {
  std::wstring graphics;      // the first display adapter
  std::wstring hard_disks;    // the fixed drives' sizes, without letters
  std::wstring short_windows; // the short Windows name
};

// TQuickReport18: "Machine Specification", then eleven caption and value
// lines ("CPU" ... "O.S."), rules, and two short rules at the foot.
ReportLayout HardwareReportLayout();
// Sets the eleven values; "Firewire", "Manufacturer" and "Motherboard" are
// hidden, caption and value, while their value is empty, and shown again
// once it is not.
void FillHardwareReport(ReportLayout& layout, const SummaryModel& sheet, const HardwareFacts& facts);

}  // namespace corvane::report
