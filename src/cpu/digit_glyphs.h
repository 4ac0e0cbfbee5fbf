// The digit images of the CPU window's clock and counter displays: ten
// seven-segment glyphs of 13 x 22 pixels, generated at run time rather than
// shipped as bitmaps. Only the shapes are here; the window colours them.
#pragma once
#include <cstddef>

namespace corvane::cpu {

inline constexpr int kDigitWidth = 13;
inline constexpr int kDigitHeight = 22;
inline constexpr int kDigitPitch = 16;  // digit n is drawn at x = 16 * n

// True where the glyph of `digit` (0..9) is lit at (x, y); false outside the
// glyph or for another digit value.
bool DigitGlyphLit(int digit, int x, int y);

// The image index of a display character: its digit value, 0 for anything
// that is not a decimal digit.
int DigitIndex(wchar_t c);

constexpr int DigitX(std::size_t position) { return kDigitPitch * static_cast<int>(position); }

}  // namespace corvane::cpu
