// Pieces the two processor windows share: the generated digit images and
// the blit of the meters chart.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "cpu/meters_chart.h"
#include "platform/unique_handle.h"
#include "ui/panel_win.h"

namespace corvane::cpu {

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
  // Each character of `digits` as its image, character n at x = 16 * n;
  // positions and sizes are logical units, drawn at `dpi`.
  void Draw(HDC dc, std::wstring_view digits, int dpi, int x = 0, int y = 0) const;

 private:
  platform::UniqueDc dc_;
  platform::UniqueBitmap strip_;
  HGDIOBJ old_ = nullptr;
};

// The chart's pixels onto a device context, top left corner at (x, y), one
// image pixel a logical unit drawn at `dpi`.
void PaintPixels(HDC dc, const PixelImage& image, int dpi, int x, int y);

}  // namespace corvane::cpu
