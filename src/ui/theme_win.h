// Fonts and brushes of the whole user interface, created once and deleted
// in one place. The fonts come in one set per screen resolution asked for
// (Tahoma 8 and 12 points at that DPI): a window on a 150 % monitor takes
// the set made for 144 DPI, and the set of its new DPI when it moves.
#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/unique_handle.h"

namespace corvane::ui {

inline constexpr COLORREF kLabelBack = RGB(206, 221, 247);  // light blue of label cells
inline constexpr COLORREF kValueBack = RGB(255, 255, 230);  // light yellow of value cells
inline constexpr COLORREF kLabelText = RGB(0, 0, 128);      // navy
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kLinkText = RGB(0, 0, 255);

// The theme's fonts at one resolution.
struct ThemeFonts {
  explicit ThemeFonts(int dpi);
  platform::UniqueFont normal, bold, link, title;  // link: bold, underlined; title: 12 pt bold
};

class Theme {
 public:
  Theme();
  // The fonts at the screen's resolution (a window's own DPI: FontsAt).
  HFONT normal() const { return screen_->normal.get(); }
  HFONT bold() const { return screen_->bold.get(); }
  HFONT link() const { return screen_->link.get(); }
  HFONT title() const { return screen_->title.get(); }
  HBRUSH label_brush() const { return label_brush_.get(); }
  HBRUSH value_brush() const { return value_brush_.get(); }
  HBRUSH white_brush() const { return white_brush_.get(); }

  // The set made for `dpi`, made on first asking and kept.
  const ThemeFonts& FontsAt(int dpi) const;
  // The font of the same role as `font` at `dpi`, when `font` is one of the
  // theme's (of any resolution); any other font as it is.
  HFONT AtDpi(HFONT font, int dpi) const;

 private:
  mutable std::map<int, std::unique_ptr<ThemeFonts>> fonts_;
  const ThemeFonts* screen_;
  platform::UniqueBrush label_brush_, value_brush_, white_brush_;
};

}  // namespace corvane::ui
