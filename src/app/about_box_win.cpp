#include "app/about_box_win.h"

#include "ui/product.h"

namespace corvane::app {

bool AboutBox::Create(HWND owner, const std::wstring& version) {
  constexpr int kWidth = 320, kHeight = 200;
  RECT o{};
  GetWindowRect(owner, &o);
  ui::CreateParams p{L"TAboutBox", L"About"};
  p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  p.ex_style = WS_EX_DLGMODALFRAME;
  p.x = o.left + (o.right - o.left - kWidth) / 2;
  p.y = o.top + (o.bottom - o.top - kHeight) / 2;
  p.width = kWidth;
  p.height = kHeight;
  p.parent = owner;
  p.background = theme().white_brush();
  if (!ui::Window::Create(p)) return false;
  AddControl(L"ProductName", 101, L"STATIC", L"Corvane", WS_VISIBLE, 20, 16, 270, 24, 0, theme().title());
  AddControl(L"Version", 102, L"STATIC", L"Version " + version, WS_VISIBLE, 20, 46, 270, 16);
  AddControl(L"Comments", 103, L"STATIC", L"System information for Windows", WS_VISIBLE, 20, 66, 270, 16);
  AddControl(L"WebAddress", 104, L"STATIC", ui::kWebAddressText, WS_VISIBLE, 20, 86, 270, 16);
  AddControl(L"OKButton", IDOK, L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kWidth / 2 - 40, 120, 80,
             25);
  return true;
}

void AboutBox::OnCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) EndModal();
}

HBRUSH AboutBox::OnControlColour(HDC dc, HWND) {
  SetBkColor(dc, ui::kWhite);
  return theme().white_brush();
}

}  // namespace corvane::app
