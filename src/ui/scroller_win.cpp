#include "ui/scroller_win.h"

#include <algorithm>

#include "ui/dpi_scale.h"
#include "ui/window_win.h"

namespace corvane::ui {

int VerticalScroller::Scaled(int logical) const { return ScaleToDpi(logical, DpiOf(window_)); }

int VerticalScroller::position() const { return window_ ? GetScrollPos(window_, SB_VERT) : 0; }

void VerticalScroller::SetExtent(int page, int content) {
  // Read first: the system clamps the position to a new range without
  // moving the children.
  const int was = position();
  page_ = Scaled(std::max(page, 0));
  content_ = Scaled(content);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, content_ - 1, static_cast<UINT>(page_), 0, 0};
  SetScrollInfo(window_, SB_VERT, &si, TRUE);
  Move(was, was);
}

void VerticalScroller::ScrollTo(int pos) { Move(position(), pos); }

void VerticalScroller::Move(int from, int to) {
  to = std::clamp(to, 0, std::max(0, content_ - page_));
  if (to != from) {
    ScrollWindowEx(window_, 0, from - to, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  }
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, to, 0};
  SetScrollInfo(window_, SB_VERT, &si, TRUE);
}

bool VerticalScroller::Handle(UINT msg, WPARAM wp) {
  if (msg == WM_MOUSEWHEEL) {
    const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
    if (wheel_ > 0) {
      ScrollTo(position() - notches * Scaled(wheel_));
    } else if (notches != 0) {
      ScrollTo(position() + (notches < 0 ? page_ : -page_));
    }
    return true;
  }
  if (msg != WM_VSCROLL) return false;
  switch (LOWORD(wp)) {
    case SB_LINEUP: ScrollTo(position() - Scaled(line_)); break;
    case SB_LINEDOWN: ScrollTo(position() + Scaled(line_)); break;
    case SB_PAGEUP: ScrollTo(position() - page_); break;
    case SB_PAGEDOWN: ScrollTo(position() + page_); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(content_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(window_, SB_VERT, &si);
      ScrollTo(si.nTrackPos);
      break;
    }
  }
  return true;
}

}  // namespace corvane::ui
