#include "ui/print_layout.h"

#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

TEST(ScaleToPrinter, KeepsTheOnScreenSizePerAxis) {
  const struct {
    int w, h, sx, sy, px, py;
    PrintedSize expected;
  } cases[] = {
      {690, 718, 96, 96, 300, 300, {2156, 2243}},
      {690, 718, 96, 96, 600, 300, {4312, 2243}},  // each axis on its own
      {100, 100, 120, 96, 120, 96, {100, 100}},
      {100, 100, 0, 96, 300, 300, {0, 0}},  // a screen that reports no resolution prints nothing
  };
  for (const auto& c : cases) {
    const auto got = ScaleToPrinter(c.w, c.h, c.sx, c.sy, c.px, c.py);
    EXPECT_EQ(got.width, c.expected.width);
    EXPECT_EQ(got.height, c.expected.height);
  }
}

}  // namespace
}  // namespace corvane::ui
