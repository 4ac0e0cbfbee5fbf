#pragma once
#include <cstdint>
#include <string_view>

namespace corvane::ui {

// A toolbar button: its command, hint, and the picture drawn for it (a short
// glyph on a rounded tile of the given colour, 0x00BBGGRR). A button with
// command 0 is a separator. A caption is shown under the picture.
struct ToolButton {
  unsigned id;
  std::wstring_view hint;  // empty: no tooltip
  std::wstring_view glyph;
  std::uint32_t colour;
  std::wstring_view caption{};
};
inline constexpr ToolButton kToolSeparator{0, {}, {}, 0};

}  // namespace corvane::ui
