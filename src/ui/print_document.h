// A printed document as the preview and the printer take it: the paper and
// a renderer of drawing operations in 1/96 inch units from the paper's top
// left corner. Platform-free.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/list_print.h"

namespace corvane::ui {

struct PrintDocument {
  std::wstring title;                     // the print job's name
  int paper_width = 0, paper_height = 0;  // the paper, 1/96 inch, as oriented
  bool landscape = false;
  short paper_size = 0;                   // the device's paper code (9 A4, 11 A5...), 0: the printer's own
  // The drawing operations, measured as the surface they will be played on.
  std::function<std::vector<PrintOp>(const PrintMeasure&)> render;
};

}  // namespace corvane::ui
