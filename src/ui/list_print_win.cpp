#include "ui/list_print_win.h"

#include <commdlg.h>

#include <array>
#include <string>
#include <variant>

#include "platform/text_file_win.h"
#include "platform/locale_win.h"
#include "platform/unique_handle.h"
#include "ui/list_print.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

struct GlobalTraits {
  using Handle = HGLOBAL;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = platform::UniqueHandle<GlobalTraits>;

// The four fonts of a printed list, at the printer's resolution.
class ListFonts {
 public:
  explicit ListFonts(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    for (auto font : {ListFont::kTitle, ListFont::kDateLine, ListFont::kHeader, ListFont::kRow}) {
      const ListFontStyle style = StyleOf(font);
      fonts_[static_cast<std::size_t>(font)].reset(CreateFontW(-MulDiv(style.points, dpi, 72), 0, 0, 0,
                                                               style.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                                               DEFAULT_CHARSET, 0, 0, 0, 0, kListFontFace));
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

// Plays the layout; pages are opened by its new-page operations and closed
// by the next one or the end.
DWORD Play(HDC dc, const std::vector<PrintOp>& ops, const ListFonts& fonts) {
  bool page_open = false;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const auto& op : ops) {
    if (std::holds_alternative<PrintNewPage>(op)) {
      if (page_open && EndPage(dc) <= 0) return GetLastError();
      if (StartPage(dc) <= 0) return GetLastError();
      page_open = true;
    } else if (const auto* line = std::get_if<PrintLine>(&op)) {
      MoveToEx(dc, line->x1, line->y1, nullptr);
      LineTo(dc, line->x2, line->y2);
    } else if (const auto* text = std::get_if<PrintText>(&op)) {
      platform::SelectGuard keep(dc, fonts[text->font]);
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
  if (page_open && EndPage(dc) <= 0) return GetLastError();
  return ERROR_SUCCESS;
}

}  // namespace

DWORD PrintReportListOn(HDC printer, const ReportList& list, std::wstring_view title, const wchar_t* output) {
  const std::wstring name(title);
  DOCINFOW doc{sizeof doc, name.c_str(), output, nullptr, 0};
  if (StartDocW(printer, &doc) <= 0) return GetLastError();
  const ListPage page{GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
                      GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY)};
  const ListFonts fonts(printer);
  const int line_height = Extent(printer, fonts[ListFont::kRow], kLineHeightSample).cy;
  const auto ops = LayOutListPrint(page, list, title, Today(), line_height,
                                   [&](ListFont font, std::wstring_view text) {
                                     return static_cast<int>(Extent(printer, fonts[font], text).cx);
                                   });
  const DWORD error = Play(printer, ops, fonts);
  if (error != ERROR_SUCCESS) {
    AbortDoc(printer);
    return error;
  }
  return EndDoc(printer) > 0 ? ERROR_SUCCESS : GetLastError();
}

void PrintReportList(HWND owner, const ReportList& list, std::wstring_view title) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOPAGENUMS;
  dialog.nCopies = 1;
  if (!PrintDlgW(&dialog)) return;  // cancelled, or no printer (the dialog said so)
  UniqueGlobal mode(dialog.hDevMode), names(dialog.hDevNames);
  platform::UniqueDc printer(dialog.hDC);
  // Landscape, with the copies the user chose, on the chosen printer.
  if (auto* devmode = static_cast<DEVMODEW*>(GlobalLock(mode.get()))) {
    devmode->dmFields |= DM_ORIENTATION;
    devmode->dmOrientation = DMORIENT_LANDSCAPE;
    ResetDCW(printer.get(), devmode);
    GlobalUnlock(mode.get());
  }
  const DWORD error = PrintReportListOn(printer.get(), list, title);
  if (error != ERROR_SUCCESS && error != ERROR_CANCELLED) ShowErrorBox(owner, platform::SystemMessage(error));
}

}  // namespace corvane::ui
