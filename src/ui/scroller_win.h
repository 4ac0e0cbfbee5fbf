// Vertical scrolling of a window whose children are laid out on a page
// taller than the window: the scroll bar, the wheel, and the children moved
// as one.
#pragma once
#include <windows.h>

namespace corvane::ui {

class VerticalScroller {
 public:
  // `line`: pixels per arrow click; `wheel`: pixels per wheel notch, or 0 for a page.
  void Attach(HWND window, int line, int wheel) {
    window_ = window;
    line_ = line;
    wheel_ = wheel;
  }
  // The visible height and the page's whole height; keeps the position in range.
  void SetExtent(int page, int content);
  // WM_VSCROLL and WM_MOUSEWHEEL; true when the message was one of them.
  bool Handle(UINT msg, WPARAM wp);
  void ScrollTo(int pos);
  int position() const { return pos_; }

 private:
  HWND window_ = nullptr;
  int line_ = 20, wheel_ = 0;
  int pos_ = 0, page_ = 0, content_ = 0;
};

}  // namespace corvane::ui
