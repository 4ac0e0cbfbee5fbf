#include "ui/theme_win.h"

namespace corvane::ui {
namespace {

HFONT MakeFont(int points, int weight, bool underline) {
  LOGFONTW lf{};
  platform::WindowDc screen(nullptr);
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
  lf.lfWeight = weight;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

Theme::Theme()
    : normal_(MakeFont(8, FW_NORMAL, false)),
      bold_(MakeFont(8, FW_BOLD, false)),
      link_(MakeFont(8, FW_BOLD, true)),
      title_(MakeFont(12, FW_BOLD, false)),
      label_brush_(CreateSolidBrush(kLabelBack)),
      value_brush_(CreateSolidBrush(kValueBack)),
      white_brush_(CreateSolidBrush(kWhite)) {}

}  // namespace corvane::ui
