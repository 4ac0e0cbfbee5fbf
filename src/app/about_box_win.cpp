#include "app/about_box_win.h"

#include "platform/dpi_win.h"
#include "ui/dpi_scale.h"
#include "ui/product.h"
#include "ui/window_ids.h"

namespace corvane::app {
namespace {

enum AboutId : int {
  kIdProductName = ui::kAboutBoxIds.first,
  kIdVersion,
  kIdComments,
  kIdWebAddress,
};
static_assert(ui::AllIn(ui::kAboutBoxIds, {kIdProductName, kIdWebAddress}));

}  // namespace

bool AboutBox::Build() {
  constexpr int kWidth = 320, kHeight = 200;
  RECT o{};
  GetWindowRect(owner_, &o);
  ui::CreateParams p{L"TAboutBox", L"About"};
  p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  p.ex_style = WS_EX_DLGMODALFRAME;
  // Centred over the owner in its pixels; the kit scales the size.
  const int dpi = platform::WindowDpi(owner_);
  p.x = o.left + (o.right - o.left - ui::ScaleToDpi(kWidth, dpi)) / 2;
  p.y = o.top + (o.bottom - o.top - ui::ScaleToDpi(kHeight, dpi)) / 2;
  p.width = kWidth;
  p.height = kHeight;
  p.parent = owner_;
  p.background = theme().white_brush();
  if (!ui::Window::Create(p)) return false;
  AddControl(L"ProductName", kIdProductName, L"STATIC", L"Corvane", WS_VISIBLE, 20, 16, 270, 24, 0, theme().title());
  AddControl(L"Version", kIdVersion, L"STATIC", L"Version " + version_, WS_VISIBLE, 20, 46, 270, 16);
  AddControl(L"Comments", kIdComments, L"STATIC", L"System information for Windows", WS_VISIBLE, 20, 66, 270, 16);
  AddControl(L"WebAddress", kIdWebAddress, L"STATIC", ui::kWebAddressText, WS_VISIBLE, 20, 86, 270, 16);
  AddControl(L"OKButton", IDOK, L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kWidth / 2 - 40, 120, 80,
             25);
  static constexpr ui::Command<AboutBox> kCommands[] = {
      {IDOK, &AboutBox::OKButtonClick},
      {IDCANCEL, &AboutBox::OKButtonClick},
  };
  BindCommands(kCommands);
  return true;
}

HBRUSH AboutBox::OnControlColour(HDC dc, HWND) {
  // Plain black text on white, unlike the navy of the detail windows.
  SetBkColor(dc, ui::kWhite);
  return theme().white_brush();
}

}  // namespace corvane::app
