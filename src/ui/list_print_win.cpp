#include "ui/list_print_win.h"

#include <variant>

#include "platform/locale_win.h"
#include "ui/list_print.h"
#include "ui/print_dialog_win.h"
#include "ui/print_painter_win.h"

namespace corvane::ui {
namespace {

std::wstring Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return platform::ShortDateText(now);
}

}  // namespace

void PrintReportListOn(platform::Printer& printer, const ReportList& list, std::wstring_view title,
                       const std::wstring& output) {
  const platform::KeepPrinterSettings keep(printer);
  printer.title.assign(title);
  printer.SetOrientation(platform::PrintOrientation::kLandscape);
  printer.SetPaperSize(0);  // the paper of the printer's settings, not a report's
  printer.BeginDoc(output);
  try {
    HDC dc = printer.canvas();
    const ListPage page{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, PHYSICALOFFSETX),
                        GetDeviceCaps(dc, PHYSICALOFFSETY)};
    // Everything in printer pixels.
    PrintPainter painter(dc, GetDeviceCaps(dc, LOGPIXELSY));
    const int line_height = painter.TextHeight(FontOf(ListFont::kRow), kLineHeightSample);
    const auto ops = LayOutListPrint(page, list, title, Today(), line_height,
                                     [&](ListFont font, std::wstring_view text) {
                                       return painter.TextWidth(FontOf(font), text);
                                     });
    // The job's first page is open already: each later page turns one.
    const auto pages = SplitPages(ops);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      if (p > 0) printer.NewPage();
      painter.Play(pages[p]);
    }
    printer.EndDoc();
  } catch (...) {
    printer.Abort();
    throw;
  }
}

void PrintReportList(HWND owner, const ReportList& list, std::wstring_view title) {
  platform::Printer& printer = platform::ThePrinter();
  if (!RunPrintDialog(owner, printer)) return;  // cancelled, or no printer (the dialog said so)
  PrintReportListOn(printer, list, title);
}

}  // namespace corvane::ui
