#include "ui/list_print_win.h"

#include <array>
#include <string>
#include <variant>

#include "platform/failure_text_win.h"
#include "platform/locale_win.h"
#include "platform/unique_handle.h"
#include "ui/list_print.h"
#include "ui/print_dialog_win.h"

namespace corvane::ui {
namespace {

// The four fonts of a printed list, at the printer's resolution.
class ListFonts {
 public:
  explicit ListFonts(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    for (auto font : {ListFont::kTitle, ListFont::kDateLine, ListFont::kHeader, ListFont::kRow}) {
      const ListFontStyle style = StyleOf(font);
      // A serif face stands in where Times New Roman is missing.
      fonts_[static_cast<std::size_t>(font)].reset(
          CreateFontW(-MulDiv(style.points, dpi, 72), 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_ROMAN, kListFontFace));
      if (!fonts_[static_cast<std::size_t>(font)]) platform::RaiseLastSystemError();
    }
  }
  HFONT operator[](ListFont font) const { return fonts_[static_cast<std::size_t>(font)].get(); }

 private:
  std::array<platform::UniqueFont, 4> fonts_;
};

SIZE Extent(HDC dc, HFONT font, std::wstring_view text) {
  platform::SelectGuard keep(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

std::wstring Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return platform::ShortDateText(now);
}

// Plays the layout on the printer's job: its first page is open already,
// so the layout's first new page is that one and each later one turns a page.
void Play(platform::Printer& printer, const std::vector<PrintOp>& ops, const ListFonts& fonts) {
  HDC dc = printer.canvas();
  bool first_page = true;
  // Puts the canvas's own font back before the fonts above go.
  platform::SelectGuard keep_font(dc, fonts[ListFont::kRow]);
  for (const auto& op : ops) {
    if (std::holds_alternative<PrintNewPage>(op)) {
      if (!first_page) printer.NewPage();
      first_page = false;
      // A new page starts with the device's defaults on some drivers.
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
    } else if (const auto* line = std::get_if<PrintLine>(&op)) {
      MoveToEx(dc, line->x1, line->y1, nullptr);
      LineTo(dc, line->x2, line->y2);
    } else if (const auto* text = std::get_if<PrintText>(&op)) {
      SelectObject(dc, fonts[text->font]);
      RECT clip{};
      UINT options = 0;
      if (text->clip) {
        clip = {text->clip->left, text->clip->top, text->clip->right, text->clip->bottom};
        options = ETO_CLIPPED;
      }
      ExtTextOutW(dc, text->x, text->y, options, text->clip ? &clip : nullptr, text->text.c_str(),
                  static_cast<UINT>(text->text.size()), nullptr);
    }
  }
}

}  // namespace

void PrintReportListOn(platform::Printer& printer, const ReportList& list, std::wstring_view title,
                       const std::wstring& output) {
  printer.title.assign(title);
  printer.SetOrientation(platform::PrintOrientation::kLandscape);
  printer.BeginDoc(output);
  try {
    HDC dc = printer.canvas();
    const ListPage page{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, PHYSICALOFFSETX),
                        GetDeviceCaps(dc, PHYSICALOFFSETY)};
    const ListFonts fonts(dc);
    const int line_height = Extent(dc, fonts[ListFont::kRow], kLineHeightSample).cy;
    const auto ops = LayOutListPrint(page, list, title, Today(), line_height,
                                     [&](ListFont font, std::wstring_view text) {
                                       return static_cast<int>(Extent(dc, fonts[font], text).cx);
                                     });
    Play(printer, ops, fonts);
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
