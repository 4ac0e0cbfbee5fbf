// Pieces the two processor windows share: the black panel that holds their
// live displays (aqua texts on black, painted from a model), the generated
// digit images, cyan progress bars, and the blit of the meters chart.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "cpu/meters_chart.h"
#include "platform/unique_handle.h"
#include "ui/window_win.h"

namespace corvane::cpu {

inline constexpr COLORREF kAqua = RGB(0, 255, 255);  // texts, digits and bars on the black panels
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// A black child panel. Its static children are drawn aqua on black; what it
// shows beyond them comes from `paint`, which reads a model and never
// computes.
class BlackPanel : public ui::Window {
 public:
  using Painter = std::function<void(HDC)>;
  explicit BlackPanel(const ui::Theme& theme) : ui::Window(theme) {}

  bool Create(HWND parent, int id, int x, int y, int width, int height, Painter paint = {});
  // A static text on the panel.
  HWND AddLabel(std::wstring name, int id, std::wstring_view text, DWORD style, int x, int y, int width, int height,
                HFONT font = nullptr);
  // A vertical, smooth progress bar 0..100 in cyan on black.
  HWND AddVerticalBar(std::wstring name, int id, int x, int y, int width, int height, int position);

 protected:
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Painter paint_;
};

// The ten digit images (13 x 22, aqua on black), made at run time from the
// glyph shapes into one strip bitmap, image k at x = 13 * k, held selected
// in a memory device context for the life of the object. (Copying from the
// strip costs a fraction of drawing through an image list.)
class DigitImages {
 public:
  DigitImages();
  ~DigitImages();
  DigitImages(const DigitImages&) = delete;
  DigitImages& operator=(const DigitImages&) = delete;

  bool ok() const { return strip_ && dc_; }
  // Each character of `digits` as its image, character n at x = 16 * n.
  void Draw(HDC dc, std::wstring_view digits, int x = 0, int y = 0) const;

 private:
  platform::UniqueDc dc_;
  platform::UniqueBitmap strip_;
  HGDIOBJ old_ = nullptr;
};

// Bar and background colours for a progress bar. Visual styles ignore both,
// so they are switched off for this one bar (through uxtheme.dll, looked up
// at run time: systems without it have no styles to switch off).
void ColourProgressBar(HWND bar, COLORREF bar_colour, COLORREF back_colour);

// The chart's pixels onto a device context, top left corner at (x, y).
void PaintPixels(HDC dc, const PixelImage& image, int x, int y);

}  // namespace corvane::cpu
