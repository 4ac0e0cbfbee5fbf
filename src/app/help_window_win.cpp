#include "app/help_window_win.h"

#include <iterator>
#include <string>

#include "ui/product.h"
#include "ui/window_ids.h"

namespace corvane::app {
namespace {

enum class Style { Title, Heading, Text };
struct HelpText {
  Style style;
  const wchar_t* text;
};

constexpr HelpText kTexts[] = {
    {Style::Title, L"Using Corvane"},
    {Style::Text,
     L"The begin press F5 or click the first button on the toolbar. By click the little down arrow on the left side "
     L"of the first tool button you can see additional options for what to do with the System Information."},
    {Style::Text,
     L"Other buttons on the toolbar can be clicked freely to bring up additional advanced information and tools. "
     L"Please note there are more options in the pull down menus that are not on the toolbar."},
    {Style::Heading, L"Command Line Switches"},
    {Style::Text, L"/AUTO C:\\DETAILS.TXT           Example:  C:\\CORVANE.EXE /AUTO C:\\DETAILS.TXT"},
    {Style::Text,
     L"This will instruct Corvane to automatically retrieve the system information and write it to a text file "
     L"specified in the second parameter."},
    {Style::Text, L"/NOCOM"},
    {Style::Text,
     L"If you know that your PC or Laptop does not have the old COM ports, you can use this switch to stop Corvane "
     L"from trying to communicate with it. You only need to do this if you find that your PC freezes when retrieving "
     L"the System Info."},
};

constexpr int kClientWidth = 560;
// The texts are numbered from the start of the window's range, the web address after them.
constexpr int kIdFirstText = ui::kHelpWindowIds.first + 1;
constexpr int kIdWebAddress = kIdFirstText + static_cast<int>(std::size(kTexts));
static_assert(ui::AllIn(ui::kHelpWindowIds, {kIdFirstText, kIdWebAddress}));
constexpr int kMargin = 16;

}  // namespace

bool HelpWindow::Build() {
  ui::CreateParams p{L"TfrmHelp", L"Help"};
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size
  p.background = theme().white_brush();
  p.width = kClientWidth;
  p.height = 400;
  if (!ui::Window::Create(p)) return false;

  // Each text is as tall as it wraps to in its font (measured at the window's DPI).
  platform::WindowDc dc(hwnd());
  int y = kMargin;
  int index = 0;
  for (const auto& t : kTexts) {
    const ui::ThemeFonts& fonts = this->fonts();
    HFONT font = t.style == Style::Title ? fonts.title.get() : t.style == Style::Heading ? fonts.bold.get() : fonts.normal.get();
    platform::SelectGuard keep(dc.get(), font);
    RECT r{0, 0, Scale(kClientWidth - 2 * kMargin), 0};
    DrawTextW(dc.get(), t.text, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    r.bottom = Logical(r.bottom);
    const int gap = t.style == Style::Text ? 6 : 10;
    ++index;
    AddControl(L"StaticText" + std::to_wstring(index), kIdFirstText + index - 1, L"STATIC", t.text, WS_VISIBLE | SS_NOPREFIX,
               kMargin, y, kClientWidth - 2 * kMargin, r.bottom, 0, font);
    y += r.bottom + gap;
  }
  AddWebLink(L"lblWeb", kIdWebAddress, kMargin, y + 8, LinkKind::kPlainText, theme().bold());
  y += 8 + 16 + kMargin;

  SetClientSize(kClientWidth, y);
  return true;
}

HBRUSH HelpWindow::OnControlColour(HDC dc, HWND) {
  SetBkColor(dc, ui::kWhite);
  return theme().white_brush();
}

}  // namespace corvane::app
