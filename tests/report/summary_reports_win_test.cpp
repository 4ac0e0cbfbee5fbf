#include "report/summary_reports.h"

#include <gtest/gtest.h>
#include <algorithm>

#include <string>

#include "platform/printer_win.h"
#include "platform/test_printer_win.h"
#include "ui/print_preview_window_win.h"

namespace corvane::report {
namespace {

class SummaryReportsWin : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(test_support::InstallTestPrinter(), 0u); }
  static void TearDownTestSuite() {
    platform::ThePrinter().Refresh();
    test_support::RemoveTestPrinter();
    test_support::RemoveTestPrinterDriver();
  }

  // The report printed on the test printer: the text of its one page. The
  // PostScript stays in the test folder for a look at the page.
  static std::string PrintedText(const ReportLayout& layout, const std::wstring& file) {
    platform::Printer& printer = platform::ThePrinter();
    printer.Refresh();
    EXPECT_TRUE(printer.SelectByName(test_support::kTestPrinter));
    const std::wstring out = test_support::TestPrintDir() + file;
    DeleteFileW(out.c_str());
    ui::PrintDocumentOn(printer, DocumentOf(layout, L"12/10/2026 10:00:00"), out);
    const auto pages = test_support::PrintedPageTexts(test_support::ReadWholeFile(out));
    EXPECT_EQ(pages.size(), 1u);
    return pages.empty() ? std::string() : pages[0];
  }
};

SummaryModel Sheet() {
  SummaryModel sheet;
  for (int n = 1; n <= kRowCount; ++n) sheet.Value(n) = L"V" + std::to_wstring(n);
  sheet.Value(18) = L"Not Detected";
  sheet.Value(19).clear();
  sheet.optical_short_list = L"DVD";
  return sheet;
}

TEST_F(SummaryReportsWin, TheFullReportPrintsEveryRowOnOnePage) {
  ReportLayout layout = FullReportLayout(L"corvane.example.org");
  FillFullReport(layout, Sheet());
  std::string text = PrintedText(layout, L"full_report.ps");
  // Title, time, then each row's label and value in order.
  std::string expected = "Corvane12/10/2026 10:00:00";
  for (int n = 1; n <= kRowCount; ++n) {
    const std::wstring label(SummaryModel::Label(n));
    const std::wstring value = Sheet().Value(n);
    expected += std::string(label.begin(), label.end()) + std::string(value.begin(), value.end());
  }
  expected += "Corvanecorvane.example.org";
  // Glyph names the reader does not know come back as "?" (brackets, and
  // the dash of some sans-serif faces Wine puts in Arial's place: the 32-bit
  // and the 64-bit prefix pick different ones).
  for (char& c : expected)
    if (c == '(' || c == ')' || c == '-') c = '?';
  std::ranges::replace(text, '-', '?');
  EXPECT_EQ(text, expected);
}

TEST_F(SummaryReportsWin, TheHardwareSheetPrintsItsShownLines) {
  ReportLayout layout = HardwareReportLayout();
  FillHardwareReport(layout, Sheet(), {L"Wine Adapter", L"252.0GB", L"Windows 7"});
  EXPECT_EQ(PrintedText(layout, L"hardware_report.ps"),
            "Machine SpecificationCPUV4MemoryV3AudioV6GraphicsWine AdapterOptical Drive?s?DVD"
            "Hard Disk?s?252.0GBUSBV17FirewireNot DetectedMotherboardV25O.S.Windows 7");
}

}  // namespace
}  // namespace corvane::report
