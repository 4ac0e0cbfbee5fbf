#include "cpu/meters_chart.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace corvane::cpu {

PixelImage::PixelImage(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

void PixelImage::Plot(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
}

void PixelImage::Apply(const DrawOp& op) {
  switch (op.kind) {
    case DrawOp::Kind::kFill:
      for (int y = std::max(op.y0, 0); y < std::min(op.y1, height_); ++y) {
        for (int x = std::max(op.x0, 0); x < std::min(op.x1, width_); ++x) Plot(x, y, op.colour);
      }
      break;
    case DrawOp::Kind::kLine: {
      // Bresenham, stopping before the end point.
      int x = op.x0, y = op.y0;
      const int dx = std::abs(op.x1 - op.x0), sx = op.x0 < op.x1 ? 1 : -1;
      const int dy = -std::abs(op.y1 - op.y0), sy = op.y0 < op.y1 ? 1 : -1;
      int err = dx + dy;
      while (x != op.x1 || y != op.y1) {
        Plot(x, y, op.colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
          err += dy;
          x += sx;
        }
        if (e2 <= dx) {
          err += dx;
          y += sy;
        }
      }
      break;
    }
    case DrawOp::Kind::kCopy: {
      // Clip the source to the image, then the destination.
      int x0 = std::max(op.x0, 0), y0 = std::max(op.y0, 0);
      int x1 = std::min(op.x1, width_), y1 = std::min(op.y1, height_);
      int to_x = op.to_x + (x0 - op.x0), to_y = op.to_y + (y0 - op.y0);
      if (to_x < 0) {
        x0 -= to_x;
        to_x = 0;
      }
      if (to_y < 0) {
        y0 -= to_y;
        to_y = 0;
      }
      x1 = std::min(x1, x0 + (width_ - to_x));
      y1 = std::min(y1, y0 + (height_ - to_y));
      if (x0 >= x1 || y0 >= y1) break;
      const auto n = static_cast<std::size_t>(x1 - x0);
      // Rows in the order that reads each source row before it is
      // overwritten; within a row memmove handles the overlap.
      const bool upwards = to_y > y0;
      for (int i = 0; i < y1 - y0; ++i) {
        const int row = upwards ? y1 - 1 - i : y0 + i;
        const int to_row = to_y + (row - y0);
        std::memmove(&pixels_[static_cast<std::size_t>(to_row * width_ + to_x)],
                     &pixels_[static_cast<std::size_t>(row * width_ + x0)], n * sizeof(Colour));
      }
      break;
    }
  }
}

MetersChart::MetersChart() : image_(kWidth, kHeight, kChartBack) {
  for (int x = kStep; x <= kWidth - 1 - kStep; x += kStep) {
    Draw({DrawOp::Kind::kLine, x, 0, x, kHeight, kChartGrid});
  }
  for (int y = kStep; y < kHeight; y += kStep) {
    Draw({DrawOp::Kind::kLine, 0, y, kWidth - 1, y, kChartGrid});
  }
  last_y_ = kHeight;
}

void MetersChart::Draw(const DrawOp& op) {
  ops_.push_back(op);
  image_.Apply(op);
}

int MetersChart::ChartY(int load) { return load > 100 || load < 0 ? kHeight : kHeight - load; }

void MetersChart::Step(int load) {
  ops_.clear();
  constexpr int kRight = kWidth - 1;   // 420
  constexpr int kNew = kRight - kStep;  // 410, where the newest segment starts
  Draw({DrawOp::Kind::kCopy, kStep, 0, kRight, kHeight, kChartBack, 0, 0});
  Draw({DrawOp::Kind::kFill, kNew + 1, 0, kRight + 1, kHeight, kChartBack});
  Draw({DrawOp::Kind::kLine, kNew, 0, kNew, kHeight, kChartGrid});
  Draw({DrawOp::Kind::kLine, kRight, 0, kRight, kHeight, kChartGrid});
  for (int y = kStep; y < kHeight; y += kStep) Draw({DrawOp::Kind::kLine, kNew, y, kRight, y, kChartGrid});
  const int y = ChartY(load);
  Draw({DrawOp::Kind::kLine, kNew, last_y_, kRight, y, kChartLine});
  last_y_ = y;
}

void MetersModel::Tick(const std::optional<SystemTimes>& reading, std::wstring_view decimal) {
  int load = 0;
  if (const auto usage = sampler_.Take(reading)) {
    label_ = UsageLabelText(*usage, decimal);
    bar_ = UsageBarPosition(*usage);
    load = UsageChartLoad(*usage);  // the bar clamps; the chart has its own rule
  }
  chart_.Step(load);
}

}  // namespace corvane::cpu
