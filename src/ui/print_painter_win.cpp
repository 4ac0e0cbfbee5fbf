#include "ui/print_painter_win.h"

#include <cmath>
#include <variant>

#include "platform/failure_text_win.h"

namespace corvane::ui {

PrintPainter::PrintPainter(HDC dc, int logical_dpi)
    : dc_(dc), dpi_(logical_dpi), original_font_(GetCurrentObject(dc, OBJ_FONT)) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, RGB(0, 0, 0));
}

PrintPainter::~PrintPainter() {
  // The context gets its own font back before ours go.
  SelectObject(dc_, original_font_);
}

HFONT PrintPainter::Font(const PrintFont& font) {
  auto& made = fonts_[{std::wstring(font.face), font.points, font.bold}];
  if (!made) {
    // A serif or sans-serif face stands in where the named one is missing.
    const int height = -static_cast<int>(std::lround(font.points * dpi_ / 72.0));
    made.reset(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           std::wstring(font.face).c_str()));
    if (!made) platform::RaiseLastSystemError();
  }
  return made.get();
}

SIZE PrintPainter::Extent(const PrintFont& font, std::wstring_view text) {
  SelectObject(dc_, Font(font));
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

int PrintPainter::TextWidth(const PrintFont& font, std::wstring_view text) {
  return text.empty() ? 0 : static_cast<int>(Extent(font, text).cx);
}

int PrintPainter::TextHeight(const PrintFont& font, std::wstring_view text) {
  return static_cast<int>(Extent(font, text).cy);
}

void PrintPainter::Play(std::span<const PrintOp> ops) {
  // A new page starts with the device's defaults on some drivers.
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, RGB(0, 0, 0));
  for (const auto& op : ops) {
    if (const auto* line = std::get_if<PrintLine>(&op)) {
      MoveToEx(dc_, line->x1, line->y1, nullptr);
      LineTo(dc_, line->x2, line->y2);
    } else if (const auto* text = std::get_if<PrintText>(&op)) {
      SelectObject(dc_, Font(text->font));
      RECT clip{};
      UINT options = 0;
      if (text->clip) {
        clip = {text->clip->left, text->clip->top, text->clip->right, text->clip->bottom};
        options = ETO_CLIPPED;
      }
      ExtTextOutW(dc_, text->x, text->y, options, text->clip ? &clip : nullptr, text->text.c_str(),
                  static_cast<UINT>(text->text.size()), nullptr);
    }
  }
}

}  // namespace corvane::ui
