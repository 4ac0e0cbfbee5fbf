#include "cpu/digit_glyphs.h"

#include <array>
#include <cstdint>

namespace corvane::cpu {
namespace {

// Segments a (top), b (upper right), c (lower right), d (bottom), e (lower
// left), f (upper left), g (middle), two pixels thick, with a one-pixel
// notch at each corner so the segments read as separate strokes.
struct Segment {
  int x0, y0, x1, y1;  // inclusive
};
constexpr std::array<Segment, 7> kSegments = {{
    {2, 0, 10, 1},    // a
    {11, 2, 12, 9},   // b
    {11, 12, 12, 19}, // c
    {2, 20, 10, 21},  // d
    {0, 12, 1, 19},   // e
    {0, 2, 1, 9},     // f
    {2, 10, 10, 11},  // g
}};

// Bit i lights segment i (a = bit 0 ... g = bit 6).
constexpr std::array<std::uint8_t, 10> kDigitSegments = {
    0b0111111,  // 0: a b c d e f
    0b0000110,  // 1: b c
    0b1011011,  // 2: a b d e g
    0b1001111,  // 3: a b c d g
    0b1100110,  // 4: b c f g
    0b1101101,  // 5: a c d f g
    0b1111101,  // 6: a c d e f g
    0b0000111,  // 7: a b c
    0b1111111,  // 8: all
    0b1101111,  // 9: a b c d f g
};

}  // namespace

bool DigitGlyphLit(int digit, int x, int y) {
  if (digit < 0 || digit > 9 || x < 0 || y < 0 || x >= kDigitWidth || y >= kDigitHeight) return false;
  for (std::size_t s = 0; s < kSegments.size(); ++s) {
    if (!(kDigitSegments[static_cast<std::size_t>(digit)] & (1u << s))) continue;
    const Segment& seg = kSegments[s];
    if (x >= seg.x0 && x <= seg.x1 && y >= seg.y0 && y <= seg.y1) return true;
  }
  return false;
}

int DigitIndex(wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : 0; }

}  // namespace corvane::cpu
