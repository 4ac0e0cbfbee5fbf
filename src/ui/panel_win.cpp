#include "ui/panel_win.h"

#include <commctrl.h>

#include "platform/system_function_win.h"

namespace corvane::ui {

bool BlackPanel::Create(HWND parent, int id, RECT bounds, Painter paint) {
  paint_ = std::move(paint);
  CreateParams p{L"TBlackPanel", L""};
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  p.x = bounds.left;
  p.y = bounds.top;
  p.width = bounds.right - bounds.left;
  p.height = bounds.bottom - bounds.top;
  p.parent = parent;
  p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  return Window::Create(p);
}

HWND BlackPanel::AddLabel(std::wstring name, int id, std::wstring_view text, DWORD style, int x, int y, int width,
                          int height, HFONT font) {
  return AddControl(std::move(name), id, L"STATIC", text, WS_VISIBLE | style, x, y, width, height, 0, font);
}

HWND BlackPanel::AddVerticalBar(std::wstring name, int id, int x, int y, int width, int height, int position) {
  HWND bar = AddControl(std::move(name), id, PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_VERTICAL | PBS_SMOOTH, x, y,
                        width, height);
  if (!bar) return nullptr;
  ColourProgressBar(bar, kAqua, kBlack);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  return bar;
}

HBRUSH BlackPanel::OnControlColour(HDC dc, HWND) {
  SetTextColor(dc, kAqua);
  SetBkColor(dc, kBlack);
  return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

LRESULT BlackPanel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (paint_) paint_(dc);
    EndPaint(hwnd(), &ps);
    return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

bool Gauge::Create(HWND parent, int id, RECT bounds, const GaugeBars& b) {
  if (!BlackPanel::Create(parent, id, bounds)) return false;
  AddVerticalBar(L"ProgressBar1", b.left_id, b.left_x, b.top, b.width, b.height, 0);
  AddVerticalBar(L"ProgressBar2", b.right_id, b.right_x, b.top, b.width, b.height, 0);
  return true;
}

void Gauge::SetPosition(int percent) {
  for (const wchar_t* bar : {L"ProgressBar1", L"ProgressBar2"}) {
    SendMessageW(Control(bar), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  }
}

void ColourProgressBar(HWND bar, COLORREF bar_colour, COLORREF back_colour) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  // Where visual styles are in use the common controls hold uxtheme.dll
  // themselves, so the window keeps its setting after this reference goes.
  const platform::OptionalLibrary uxtheme(L"uxtheme.dll");
  // A class list that names no class: no style applies. (Blank rather than
  // empty, which some implementations refuse to store.)
  if (auto set_theme = uxtheme.Find<SetWindowThemeFn>("SetWindowTheme")) set_theme(bar, L" ", L" ");
  SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(bar_colour));
  SendMessageW(bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(back_colour));
}

}  // namespace corvane::ui
