// The arithmetic of drawing at a screen's resolution. Every window lays
// itself out in logical units (pixels of a 96-DPI screen); the kit turns
// them into the screen's pixels where it places a control, makes a font or
// sizes a window, and turns what the system reports back into logical
// units. Pure arithmetic, so it is tested without a screen.
#pragma once
#include <cstdint>

#include "ui/sheet_page_layout.h"

namespace corvane::ui {

// The resolution every layout is written for.
inline constexpr int kLogicalDpi = 96;

// value * numerator / denominator rounded half away from zero, as the
// system's MulDiv does (without its -1 for a zero denominator: 0 here).
constexpr int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t n = product < 0 ? -product : product;
  const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
  const std::int64_t q = (2 * n + d) / (2 * d);
  return static_cast<int>(negative ? -q : q);
}

// Logical units to the pixels of a screen of `dpi`; a dpi of 0 (not known) is taken as 96.
constexpr int ScaleToDpi(int logical, int dpi) { return dpi > 0 ? MulDivRound(logical, dpi, kLogicalDpi) : logical; }

// Pixels of a screen of `dpi` back to logical units.
constexpr int LogicalFromDpi(int physical, int dpi) {
  return dpi > 0 ? MulDivRound(physical, kLogicalDpi, dpi) : physical;
}

// A box scaled by its edges: neighbours that touch at 96 DPI touch at every
// DPI (scaling the width on its own could leave a pixel's gap or overlap).
constexpr Box ScaleBoxToDpi(const Box& logical, int dpi) {
  const int left = ScaleToDpi(logical.x, dpi);
  const int top = ScaleToDpi(logical.y, dpi);
  const int right = ScaleToDpi(logical.x + logical.width, dpi);
  const int bottom = ScaleToDpi(logical.y + logical.height, dpi);
  return {left, top, right - left, bottom - top};
}

// The LOGFONT height (negative: the character height) of a font of `points` at `dpi`.
constexpr int FontHeightForDpi(int points, int dpi) {
  return -MulDivRound(points, dpi > 0 ? dpi : kLogicalDpi, 72);
}

// A pixel height written for 96 DPI (a font given as -11) at `dpi`.
constexpr int ScaleFontHeight(int height_at_96, int dpi) { return ScaleToDpi(height_at_96, dpi); }

}  // namespace corvane::ui
