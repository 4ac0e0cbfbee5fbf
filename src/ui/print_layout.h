// Geometry of printed window images.
#pragma once

namespace corvane::ui {

struct PrintedSize {
  int width, height;
};

// A window image keeps its on-screen size on paper: screen pixels are scaled
// by the printer's pixels per inch over the screen's, separately per axis.
constexpr PrintedSize ScaleToPrinter(int width, int height, int screen_dpi_x, int screen_dpi_y, int printer_dpi_x,
                                     int printer_dpi_y) {
  if (screen_dpi_x <= 0 || screen_dpi_y <= 0) return {0, 0};
  return {static_cast<int>(static_cast<long long>(width) * printer_dpi_x / screen_dpi_x),
          static_cast<int>(static_cast<long long>(height) * printer_dpi_y / screen_dpi_y)};
}

}  // namespace corvane::ui
