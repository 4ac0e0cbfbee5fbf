#include "ui/sheet_win.h"

#include <algorithm>

namespace corvane::ui {
namespace {
constexpr DWORD kCellStyle = WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
}

bool DetailSheet::Create(HWND parent, int id, std::vector<SheetRow> rows, SheetGeometry geometry) {
  geometry_ = geometry;
  CreateParams p{L"TDetailSheet", L""};
  p.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN;
  p.x = p.y = 0;
  p.width = p.height = 0;
  p.parent = parent;
  p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.background = theme().white_brush();
  if (!Window::Create(p)) return false;

  const auto& g = geometry_;
  AddControl(L"lblItem", 0, L"STATIC", L"Item", WS_VISIBLE, g.label_x, 0, g.label_width, g.heading_height, 0,
             theme().bold());
  AddControl(L"lblDetails", 0, L"STATIC", L"Details", WS_VISIBLE, g.value_x, 0, g.value_width, g.heading_height, 0,
             theme().bold());
  int y = g.heading_height;
  for (auto& spec : rows) {
    Row row{std::move(spec)};
    row.label = AddControl(row.spec.label_name, row.spec.label_id, L"EDIT", row.spec.label, kCellStyle, g.label_x, y,
                           g.label_width, g.row_height, 0, theme().bold());
    row.value = AddControl(row.spec.value_name, row.spec.value_id, L"EDIT", L"", kCellStyle, g.value_x, y,
                           g.value_width, g.row_height);
    if (row.spec.marked) {
      const int gap = g.value_x - g.label_x - g.label_width;
      row.marker = AddControl(L"", 0, L"STATIC", L"*", WS_VISIBLE | SS_CENTER, g.label_x + g.label_width, y, gap,
                              g.row_height, 0, theme().bold());
    }
    rows_.push_back(std::move(row));
    y += g.row_pitch;
  }
  return true;
}

void DetailSheet::SetValue(size_t index, const std::wstring& text, bool repaint) {
  HWND cell = rows_.at(index).value;
  SetWindowTextW(cell, text.c_str());
  if (repaint) UpdateWindow(cell);
}

std::wstring DetailSheet::Value(size_t index) const {
  HWND cell = rows_.at(index).value;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(cell)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(cell, text.data(), static_cast<int>(text.size()))));
  return text;
}

void DetailSheet::SetValueWidth(int width) {
  geometry_.value_width = width;
  for (const auto& row : rows_) {
    SetWindowPos(row.value, nullptr, 0, 0, width, geometry_.row_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int DetailSheet::ContentHeight() const {
  return geometry_.heading_height + static_cast<int>(rows_.size()) * geometry_.row_pitch;
}

void DetailSheet::OnResize(int, int height) {
  page_ = height;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, ContentHeight() - 1, static_cast<UINT>(std::max(height, 0)), 0,
                0};
  SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
  ScrollTo(scroll_);
}

void DetailSheet::ScrollTo(int pos) {
  pos = std::clamp(pos, 0, std::max(0, ContentHeight() - page_));
  if (pos == scroll_) return;
  ScrollWindowEx(hwnd(), 0, scroll_ - pos, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scroll_ = pos;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
}

LRESULT DetailSheet::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_VSCROLL: {
      const int line = geometry_.row_pitch;
      switch (LOWORD(wp)) {
        case SB_LINEUP: ScrollTo(scroll_ - line); break;
        case SB_LINEDOWN: ScrollTo(scroll_ + line); break;
        case SB_PAGEUP: ScrollTo(scroll_ - page_); break;
        case SB_PAGEDOWN: ScrollTo(scroll_ + page_); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si{};
          si.cbSize = sizeof si;
          si.fMask = SIF_TRACKPOS;
          GetScrollInfo(hwnd(), SB_VERT, &si);
          ScrollTo(si.nTrackPos);
          break;
        }
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(ContentHeight()); break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * geometry_.row_pitch);
      return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

HBRUSH DetailSheet::OnControlColour(HDC dc, HWND control) {
  for (const auto& row : rows_) {
    if (control == row.label) {
      SetTextColor(dc, kLabelText);
      SetBkColor(dc, kLabelBack);
      return theme().label_brush();
    }
    if (control == row.value) {
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, kValueBack);
      return theme().value_brush();
    }
  }
  SetBkColor(dc, kWhite);
  SetTextColor(dc, kLabelText);
  return theme().white_brush();
}

}  // namespace corvane::ui
