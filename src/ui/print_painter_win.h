// Plays drawing operations (list_print.h) on a device context: a printer's
// page, a preview on the screen, a memory bitmap. Texts are measured and
// drawn in the context's logical units; fonts are made once per face, size
// and weight at the resolution the caller gives (the device's own, or 96
// for a context mapped to 1/96 inch units).
#pragma once
#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/unique_handle.h"
#include "ui/list_print.h"

namespace corvane::ui {

class PrintPainter {
 public:
  PrintPainter(HDC dc, int logical_dpi);
  PrintPainter(const PrintPainter&) = delete;
  PrintPainter& operator=(const PrintPainter&) = delete;
  ~PrintPainter();

  int TextWidth(const PrintFont& font, std::wstring_view text);
  int TextHeight(const PrintFont& font, std::wstring_view text);
  // Draws the texts and lines of `ops`; new-page operations are the
  // caller's (a job turns a page, a preview shows one page at a time).
  void Play(std::span<const PrintOp> ops);

 private:
  HFONT Font(const PrintFont& font);
  SIZE Extent(const PrintFont& font, std::wstring_view text);

  HDC dc_;
  int dpi_;
  HGDIOBJ original_font_;
  std::map<std::tuple<std::wstring, double, bool>, platform::UniqueFont> fonts_;
};

}  // namespace corvane::ui
