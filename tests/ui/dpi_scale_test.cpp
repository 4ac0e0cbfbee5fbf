#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

TEST(DpiScale, ValuesRoundHalfAwayFromZeroAtEachDpi) {
  struct Case {
    int logical, dpi, physical;
  };
  const Case cases[] = {
      {0, 144, 0},      {16, 96, 16},   {16, 120, 20},   {16, 144, 24},  {16, 192, 32},
      {1, 120, 1},      {2, 120, 3},    {5, 120, 6},     {7, 144, 11},   {690, 144, 1035},
      {-7, 144, -11},   {-2, 120, -3},  {3, 192, 6},     {936, 120, 1170},
      {25, 0, 25},  // a DPI not known is taken as 96
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaleToDpi(c.logical, c.dpi), c.physical) << c.logical << " at " << c.dpi;
  }
  static_assert(MulDivRound(5, 3, 2) == 8 && MulDivRound(-5, 3, 2) == -8 && MulDivRound(5, 3, 0) == 0);
}

TEST(DpiScale, LogicalFromPhysicalUndoesScaling) {
  for (const int dpi : kDpis) {
    for (int v = -50; v <= 1200; ++v) {
      ASSERT_EQ(LogicalFromDpi(ScaleToDpi(v, dpi), dpi), v) << v << " at " << dpi;
    }
  }
  EXPECT_EQ(LogicalFromDpi(1035, 144), 690);
  EXPECT_EQ(LogicalFromDpi(1036, 144), 691) << "690.67 rounds up";
}

TEST(DpiScale, BoxesScaleByTheirEdgesSoNeighboursStayAdjacent) {
  EXPECT_EQ(ScaleBoxToDpi({4, 10, 300, 16}, 96), (Box{4, 10, 300, 16}));
  EXPECT_EQ(ScaleBoxToDpi({4, 10, 300, 16}, 144), (Box{6, 15, 450, 24}));
  EXPECT_EQ(ScaleBoxToDpi({4, 10, 300, 16}, 192), (Box{8, 20, 600, 32}));
  // 7 wide at 1.5 is 10.5 pixels: edge by edge the two neighbours share 11.
  EXPECT_EQ(ScaleBoxToDpi({0, 0, 7, 7}, 144), (Box{0, 0, 11, 11}));
  EXPECT_EQ(ScaleBoxToDpi({7, 7, 7, 7}, 144), (Box{11, 11, 10, 10}));
  for (const int dpi : kDpis) {
    for (int x = 0; x < 40; ++x) {
      for (int w = 0; w < 40; ++w) {
        const Box a = ScaleBoxToDpi({x, x, w, w}, dpi);
        const Box b = ScaleBoxToDpi({x + w, x + w, 13, 13}, dpi);
        ASSERT_EQ(a.x + a.width, b.x) << "gap or overlap at " << dpi << ": " << x << "+" << w;
        ASSERT_EQ(a.y + a.height, b.y);
        ASSERT_GE(a.width, 0);
      }
    }
  }
}

TEST(DpiScale, FontHeightsForPointsAtEachDpi) {
  struct Case {
    int points, dpi, height;
  };
  const Case cases[] = {
      {8, 96, -11},  {8, 120, -13},  {8, 144, -16},  {8, 192, -21},
      {12, 96, -16}, {12, 120, -20}, {12, 144, -24}, {12, 192, -32},
      {8, 0, -11},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontHeightForDpi(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
  }
  // A pixel height written for 96 DPI grows with the screen as points do.
  EXPECT_EQ(ScaleFontHeight(-11, 96), -11);
  EXPECT_EQ(ScaleFontHeight(-11, 144), -17);
  EXPECT_EQ(ScaleFontHeight(-11, 192), -22);
}

}  // namespace
}  // namespace corvane::ui
