#include "cpu/cpu_panels_win.h"

#include <cstdint>
#include <vector>

#include "cpu/digit_glyphs.h"
#include "platform/unique_handle.h"
#include "ui/dpi_scale.h"

namespace corvane::cpu {

DigitImages::DigitImages() {
  constexpr int kStrip = kDigitWidth * 10;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = kStrip;
  bmi.bmiHeader.biHeight = -kDigitHeight;  // top-down rows
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  strip_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip_ || !bits) return;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const std::uint32_t lit = Rgb(GetRValue(ui::kAqua), GetGValue(ui::kAqua), GetBValue(ui::kAqua));
  for (int y = 0; y < kDigitHeight; ++y) {
    for (int x = 0; x < kStrip; ++x) {
      pixels[y * kStrip + x] = DigitGlyphLit(x / kDigitWidth, x % kDigitWidth, y) ? lit : 0;
    }
  }
  GdiFlush();
  dc_.reset(CreateCompatibleDC(nullptr));
  if (dc_) old_ = SelectObject(dc_.get(), strip_.get());
}

DigitImages::~DigitImages() {
  // The bitmap leaves the device context before either is deleted.
  if (dc_ && old_) SelectObject(dc_.get(), old_);
}

void DigitImages::Draw(HDC dc, std::wstring_view digits, int dpi, int x, int y) const {
  if (!ok()) return;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const ui::Box to = ui::ScaleBoxToDpi({x + DigitX(i), y, kDigitWidth, kDigitHeight}, dpi);
    if (to.width == kDigitWidth && to.height == kDigitHeight) {
      BitBlt(dc, to.x, to.y, to.width, to.height, dc_.get(), DigitIndex(digits[i]) * kDigitWidth, 0, SRCCOPY);
    } else {
      // Pixel copies, no blending: the glyphs keep their hard edges at any size.
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, to.x, to.y, to.width, to.height, dc_.get(), DigitIndex(digits[i]) * kDigitWidth, 0, kDigitWidth,
                 kDigitHeight, SRCCOPY);
    }
  }
}

void PaintPixels(HDC dc, const PixelImage& image, int dpi, int x, int y) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = image.width();
  bmi.bmiHeader.biHeight = -image.height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  const ui::Box to = ui::ScaleBoxToDpi({x, y, image.width(), image.height()}, dpi);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, to.x, to.y, to.width, to.height, 0, 0, image.width(), image.height(), image.pixels().data(), &bmi,
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace corvane::cpu
