// A kit window on a monitor of another resolution, under Wine: the message
// the system sends when a window moves to a monitor of another DPI re-places
// every control the kit placed at its logical box times the new scale, gives
// the controls the theme's fonts made for that DPI, and lays the window out
// again in the same logical units; moving back restores the first layout.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/dpi_win.h"
#include "ui/dpi_scale.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

// A window with one control placed once (fixed) and one its layout places
// along the bottom edge, as the real windows do.
class DpiProbe : public Window {
 public:
  explicit DpiProbe(const Theme& theme) : Window(theme) {}
  std::vector<SIZE> layouts;  // the logical client sizes OnResize was given

 protected:
  bool Build() override {
    CreateParams p{L"CorvaneTestDpiProbe", L"DPI probe"};
    p.style = WS_OVERLAPPEDWINDOW;
    p.client_width = 400;
    p.client_height = 300;
    if (!Create(p)) return false;
    AddControl(L"edFixed", 11, L"EDIT", L"fixed", WS_VISIBLE, 10, 20, 100, 17, 0, theme().bold());
    AddControl(L"lblFoot", 12, L"STATIC", L"foot", WS_VISIBLE, 0, 0, 10, 10);
    // Laid out now, as the real windows do: a hidden window may get no WM_SIZE yet.
    const RECT client = LogicalClientRect();
    OnResize(client.right, client.bottom);
    return true;
  }
  void OnResize(int width, int height) override {
    layouts.push_back({width, height});
    Place(Control(L"lblFoot"), {4, height - 20, width - 8, 16});
  }
};

RECT ClientBox(HWND parent, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT AsRect(const Box& b) { return {b.x, b.y, b.x + b.width, b.y + b.height}; }

void ExpectRect(const RECT& got, const RECT& want, const char* what) {
  EXPECT_EQ(got.left, want.left) << what;
  EXPECT_EQ(got.top, want.top) << what;
  EXPECT_EQ(got.right, want.right) << what;
  EXPECT_EQ(got.bottom, want.bottom) << what;
}

// Sends what the system sends on a move to a monitor of `dpi`: the window
// sized so its client area scales with the DPI (the frame here stays as the
// test's screen draws it).
void MoveToDpi(HWND window, int from, int to) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  RECT frame{0, 0, MulDiv(client.right, to, from), MulDiv(client.bottom, to, from)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  RECT suggested{outer.left, outer.top, outer.left + frame.right - frame.left, outer.top + frame.bottom - frame.top};
  SendMessageW(window, platform::kDpiChangedMessage, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

TEST(WindowDpi, AMoveToAnotherDpiRePlacesRefontsAndLaysOutAgain) {
  const Theme theme;
  DpiProbe probe(theme);
  ASSERT_TRUE(probe.EnsureBuilt());
  const int start = probe.dpi();
  ASSERT_EQ(start, platform::WindowDpi(probe.hwnd()));
  HWND fixed = probe.Control(L"edFixed");
  HWND foot = probe.Control(L"lblFoot");
  ASSERT_TRUE(fixed && foot);
  ASSERT_FALSE(probe.layouts.empty());
  const SIZE logical = probe.layouts.back();
  EXPECT_NEAR(logical.cx, 400, 1);
  EXPECT_NEAR(logical.cy, 300, 1);

  for (const int dpi : {144, 120, 192, start}) {
    SCOPED_TRACE(dpi);
    const int from = probe.dpi();
    MoveToDpi(probe.hwnd(), from, dpi);
    EXPECT_EQ(probe.dpi(), dpi);
    ExpectRect(ClientBox(probe.hwnd(), fixed), AsRect(ScaleBoxToDpi({10, 20, 100, 17}, dpi)), "the fixed control");
    // The layout ran again in the same logical units, whatever the pixels.
    const SIZE now = probe.layouts.back();
    EXPECT_NEAR(now.cx, logical.cx, 1);
    EXPECT_NEAR(now.cy, logical.cy, 1);
    ExpectRect(ClientBox(probe.hwnd(), foot), AsRect(ScaleBoxToDpi({4, now.cy - 20, now.cx - 8, 16}, dpi)),
               "the control the layout places");
    EXPECT_EQ(FontOf(fixed), theme.FontsAt(dpi).bold.get()) << "the bold font made for the DPI";
    EXPECT_EQ(FontOf(foot), theme.FontsAt(dpi).normal.get());
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(FontOf(foot), sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, FontHeightForDpi(8, dpi)) << "8 points";
  }
}

TEST(WindowDpi, ThemeFontsAreKeptPerDpiAndMappedByRole) {
  const Theme theme;
  const ThemeFonts& at144 = theme.FontsAt(144);
  EXPECT_EQ(&theme.FontsAt(144), &at144) << "made once";
  EXPECT_EQ(theme.AtDpi(theme.title(), 144), at144.title.get());
  EXPECT_EQ(theme.AtDpi(at144.link.get(), 96), theme.FontsAt(96).link.get());
  HFONT other = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(theme.AtDpi(other, 144), other) << "a font not the theme's stays";
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(at144.title.get(), sizeof lf, &lf));
  EXPECT_EQ(lf.lfHeight, -24) << "12 points at 144 DPI";
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
}

}  // namespace
}  // namespace corvane::ui
