// The drawing side of the processor windows under Wine: the generated digit
// images and the chart blit put exactly the model's pixels on a device
// context, and the system's time accounts can be read and move forward.
#include "cpu/cpu_panels_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "cpu/digit_glyphs.h"
#include "cpu/system_times_win.h"
#include "platform/unique_handle.h"

namespace corvane::cpu {
namespace {

// A top-down 32-bit memory bitmap whose pixels the test reads directly.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bitmap_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits_, nullptr, 0));
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~Canvas() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }
  Colour At(int x, int y) const {
    GdiFlush();
    return static_cast<const std::uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_;
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// At 96 DPI the images are copied as they are; at 192 every pixel becomes
// two by two, with no blended edge.
TEST(CpuPanelsWin, DigitImagesAreTheGlyphsAtEachWholeScale) {
  const DigitImages images;
  ASSERT_TRUE(images.ok());
  const std::wstring digits = L"0123456789";
  const Colour aqua = Rgb(0, 255, 255);
  for (const int factor : {1, 2}) {
    SCOPED_TRACE(factor * 96);
    Canvas canvas(DigitX(digits.size()) * factor, kDigitHeight * factor);
    images.Draw(canvas.dc(), digits, 96 * factor);
    for (std::size_t i = 0; i < digits.size(); ++i) {
      for (int y = 0; y < kDigitHeight * factor; ++y) {
        for (int x = 0; x < kDigitWidth * factor; ++x) {
          const Colour want = DigitGlyphLit(static_cast<int>(i), x / factor, y / factor) ? aqua : 0;
          ASSERT_EQ(canvas.At(DigitX(i) * factor + x, y), want) << "digit " << i << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(CpuPanelsWin, ChartBlitIsTheModelAtEachWholeScale) {
  MetersChart chart;
  for (int load : {0, 37, 100, 64, 12}) chart.Step(load);
  for (const int factor : {1, 2}) {
    SCOPED_TRACE(factor * 96);
    Canvas canvas((MetersChart::kWidth + 3) * factor, (MetersChart::kHeight + 3) * factor);
    PaintPixels(canvas.dc(), chart.image(), 96 * factor, 2, 1);
    for (int y = 0; y < MetersChart::kHeight * factor; ++y) {
      for (int x = 0; x < MetersChart::kWidth * factor; ++x) {
        ASSERT_EQ(canvas.At(x + 2 * factor, y + factor), chart.image().At(x / factor, y / factor)) << x << "," << y;
      }
    }
  }
}

TEST(CpuPanelsWin, SystemTimesMoveForward) {
  const auto first = ReadSystemTimes();
  ASSERT_TRUE(first);
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  EXPECT_EQ(first->processors, static_cast<int>(info.dwNumberOfProcessors));
  Sleep(50);
  const auto second = ReadSystemTimes();
  ASSERT_TRUE(second);
  EXPECT_GT(second->system_time, first->system_time);
  EXPECT_GE(second->idle_time, first->idle_time);
}

}  // namespace
}  // namespace corvane::cpu
