#pragma once
#include <cstdint>
#include <string_view>

namespace corvane::ui {

// A toolbar button: its command, hint, and the picture drawn for it (a short
// glyph on a rounded tile of the given colour, 0x00BBGGRR).
struct ToolButton {
  unsigned id;
  std::wstring_view hint;  // empty: no tooltip
  std::wstring_view glyph;
  std::uint32_t colour;
};

}  // namespace corvane::ui
