// Fonts and brushes of the whole user interface, created once at start-up and
// deleted in one place.
#pragma once
#include <windows.h>

#include "platform/unique_handle.h"

namespace corvane::ui {

inline constexpr COLORREF kLabelBack = RGB(206, 221, 247);  // light blue of label cells
inline constexpr COLORREF kValueBack = RGB(255, 255, 230);  // light yellow of value cells
inline constexpr COLORREF kLabelText = RGB(0, 0, 128);      // navy
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kLinkText = RGB(0, 0, 255);

class Theme {
 public:
  Theme();
  HFONT normal() const { return normal_.get(); }
  HFONT bold() const { return bold_.get(); }
  HFONT link() const { return link_.get(); }  // bold, underlined
  HFONT title() const { return title_.get(); }
  HBRUSH label_brush() const { return label_brush_.get(); }
  HBRUSH value_brush() const { return value_brush_.get(); }
  HBRUSH white_brush() const { return white_brush_.get(); }

 private:
  platform::UniqueFont normal_, bold_, link_, title_;
  platform::UniqueBrush label_brush_, value_brush_, white_brush_;
};

}  // namespace corvane::ui
