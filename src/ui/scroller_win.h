// Vertical scrolling of a window whose children are laid out on a page
// taller than the window: the scroll bar, the wheel, and the children moved
// as one. Sizes and steps are logical units, scrolled by at the window's
// DPI; the position is the window's own scroll position (the kit sets it
// back to the top when it re-places the children for a new DPI).
#pragma once
#include <windows.h>

namespace corvane::ui {

class VerticalScroller {
 public:
  // `line`: logical units per arrow click; `wheel`: per wheel notch, or 0 for a page.
  void Attach(HWND window, int line, int wheel) {
    window_ = window;
    line_ = line;
    wheel_ = wheel;
  }
  // The visible height and the page's whole height; keeps the position in range.
  void SetExtent(int page, int content);
  // WM_VSCROLL and WM_MOUSEWHEEL; true when the message was one of them.
  bool Handle(UINT msg, WPARAM wp);
  void ScrollTo(int pos);  // in the window's pixels
  int position() const;

 private:
  HWND window_ = nullptr;
  int line_ = 20, wheel_ = 0;
  int Scaled(int logical) const;
  // Moves the children from one position to another (kept in range) and sets the bar.
  void Move(int from, int to);
  int page_ = 0, content_ = 0;  // the window's pixels
};

}  // namespace corvane::ui
