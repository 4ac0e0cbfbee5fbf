// The CPU meters window's history chart as a pure model: a 421 x 100 pixel
// image (x 0..420, y 0..99) changed only by a short list of drawing
// operations with the graphics device's rules (a line leaves out its end
// point, a rectangle its right and bottom edges). The window blits the
// pixels; tests read them back. Also the meters' sampler state: label, bar
// and chart as one tick leaves them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cpu_usage.h"

namespace corvane::cpu {

// 0x00RRGGBB: in memory (little-endian) the blue, green, red, pad order of a
// 32-bit device-independent bitmap, so the pixels go to the screen as they are.
using Colour = std::uint32_t;
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (Colour{r} << 16) | (Colour{g} << 8) | Colour{b};
}
inline constexpr Colour kChartBack = Rgb(0, 0, 0);
inline constexpr Colour kChartGrid = Rgb(0, 128, 0);
inline constexpr Colour kChartLine = Rgb(0, 255, 255);

struct DrawOp {
  enum class Kind { kFill, kLine, kCopy };
  Kind kind;
  // kFill: the rectangle x0..x1-1, y0..y1-1. kLine: from (x0, y0) towards
  // (x1, y1), the end point left out. kCopy: the rectangle x0..x1-1,
  // y0..y1-1 copied with its top left corner to (to_x, to_y).
  int x0, y0, x1, y1;
  Colour colour = 0;
  int to_x = 0, to_y = 0;
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

class PixelImage {
 public:
  PixelImage(int width, int height, Colour fill);
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel at (x, y); the caller keeps inside the image.
  Colour At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  // Rows top to bottom, each left to right.
  const std::vector<Colour>& pixels() const { return pixels_; }
  // Draws one operation; whatever falls outside the image is clipped.
  void Apply(const DrawOp& op);

 private:
  void Plot(int x, int y, Colour c);
  int width_, height_;
  std::vector<Colour> pixels_;
};

class MetersChart {
 public:
  static constexpr int kWidth = 421;
  static constexpr int kHeight = 100;
  static constexpr int kStep = 10;  // pixels the history moves per step

  // Black, with the grid: vertical lines at x = 10..410, horizontal lines at
  // y = 10..90; the last y starts at the bottom, 100.
  MetersChart();

  // One step: the history moves 10 pixels left, the freed strip is cleared
  // and gets its grid, and a line joins the last y to the load's y.
  void Step(int load);

  // The y of a load in percent. A load outside 0..100 is a sampling
  // artefact and is drawn at the bottom line.
  static int ChartY(int load);

  const PixelImage& image() const { return image_; }
  int last_y() const { return last_y_; }
  // The operations of the creation or of the latest step, in drawing order.
  const std::vector<DrawOp>& last_ops() const { return ops_; }

 private:
  void Draw(const DrawOp& op);
  PixelImage image_;
  int last_y_ = kHeight;
  std::vector<DrawOp> ops_;
};

// What the meters window shows after each tick: the percentage label, the
// bar and the chart. Its sampler is its own, apart from the CPU window's.
class MetersModel {
 public:
  // One timer tick: a sample, then a chart step with its load as measured,
  // unclamped (0 when the sample gives none; the label and the bar then stay
  // as they were). The bar clamps the load for itself.
  void Tick(const std::optional<SystemTimes>& reading, std::wstring_view decimal);

  const MetersChart& chart() const { return chart_; }
  const std::wstring& label() const { return label_; }
  int bar() const { return bar_; }

 private:
  UsageSampler sampler_;
  MetersChart chart_;
  std::wstring label_ = L"0.0%";
  int bar_ = 50;
};

}  // namespace corvane::cpu
