#include "ui/theme_win.h"

#include "platform/dpi_win.h"
#include "ui/dpi_scale.h"

namespace corvane::ui {
namespace {

HFONT MakeFont(int points, int dpi, int weight, bool underline) {
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForDpi(points, dpi);
  lf.lfWeight = weight;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

ThemeFonts::ThemeFonts(int dpi)
    : normal(MakeFont(8, dpi, FW_NORMAL, false)),
      bold(MakeFont(8, dpi, FW_BOLD, false)),
      link(MakeFont(8, dpi, FW_BOLD, true)),
      title(MakeFont(12, dpi, FW_BOLD, false)) {}

Theme::Theme()
    : screen_(&FontsAt(platform::ScreenDpi())),
      label_brush_(CreateSolidBrush(kLabelBack)),
      value_brush_(CreateSolidBrush(kValueBack)),
      white_brush_(CreateSolidBrush(kWhite)) {}

const ThemeFonts& Theme::FontsAt(int dpi) const {
  if (dpi <= 0) dpi = kLogicalDpi;
  auto& set = fonts_[dpi];
  if (!set) set = std::make_unique<ThemeFonts>(dpi);
  return *set;
}

HFONT Theme::AtDpi(HFONT font, int dpi) const {
  if (!font) return font;
  const ThemeFonts& to = FontsAt(dpi);  // made before the walk over the sets
  for (const auto& [set_dpi, set] : fonts_) {
    if (font == set->normal.get()) return to.normal.get();
    if (font == set->bold.get()) return to.bold.get();
    if (font == set->link.get()) return to.link.get();
    if (font == set->title.get()) return to.title.get();
  }
  return font;
}

}  // namespace corvane::ui
