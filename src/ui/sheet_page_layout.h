// The layout of a detail window built as a page: the sheet across the top,
// a bold caption under it, a body (a grid, a tree) filling what is left,
// optionally a row of buttons under the body, and the web address at the
// foot. Pure geometry, so it is tested without a window.
#pragma once
#include <algorithm>

namespace corvane::ui {

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

struct SheetPage {
  Box sheet, caption, body, buttons, link;
};

inline constexpr int kPageMargin = 8;
inline constexpr int kPageCaptionHeight = 18;
inline constexpr int kPageLinkHeight = 16;

// `sheet_height` is what the sheet's rows take; `button_row_height` is 0
// for a page without buttons. The body never gets a negative size.
constexpr SheetPage LayOutSheetPage(int width, int height, int sheet_height, int caption_width,
                                    int button_row_height = 0) {
  SheetPage p;
  p.sheet = {0, 0, width, sheet_height + 4};
  int y = p.sheet.height + 4;
  p.caption = {kPageMargin, y, caption_width, kPageCaptionHeight};
  y += kPageCaptionHeight + 2;
  p.link = {kPageMargin, height - kPageLinkHeight - 4, 300, kPageLinkHeight};
  const int body_bottom = button_row_height > 0 ? p.link.y - button_row_height - 12 : p.link.y - 4;
  p.body = {kPageMargin, y, std::max(0, width - 2 * kPageMargin), std::max(0, body_bottom - y)};
  p.buttons = {kPageMargin, body_bottom + 6, std::max(0, width - 2 * kPageMargin), button_row_height};
  return p;
}

}  // namespace corvane::ui
