#include "ui/print_preview.h"

#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

TEST(PrintPreview, ZoomStepsAndTheirEnds) {
  const struct {
    int from, in, out;
  } cases[] = {
      {100, 150, 75}, {25, 50, 25}, {10, 25, 10}, {400, 400, 300}, {66, 75, 50}, {500, 500, 400},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZoomIn(c.from), c.in) << c.from;
    EXPECT_EQ(ZoomOut(c.from), c.out) << c.from;
  }
}

TEST(PrintPreview, FitZoomKeepsTheWholePageInView) {
  // A4 (794 x 1123) on a 96 dpi screen: the height decides in a wide view,
  // the width in a tall one; both stay within the limits.
  EXPECT_EQ(FitZoom(794, 1123, 1000, 600, 96), 51);
  EXPECT_EQ(FitZoom(794, 1123, 424, 2000, 96), 50);
  EXPECT_EQ(FitZoom(794, 1123, 10, 10, 96), kPreviewMinZoom);
  EXPECT_EQ(FitZoom(100, 100, 5000, 5000, 96), kPreviewMaxZoom);
  const PreviewSize fitted = PageOnScreen(794, 1123, FitZoom(794, 1123, 1000, 600, 120), 120);
  EXPECT_LE(fitted.height + 2 * kPreviewGap, 600);
  EXPECT_EQ(PageOnScreen(794, 1123, 100, 144), (PreviewSize{1191, 1684}));
}

TEST(PrintPreview, APageIsCentredUntilItOutgrowsTheViewThenScrolls) {
  EXPECT_EQ(PlacePage({400, 500}, 1000, 800, 0, 0), (PreviewPlace{300, 150, 424, 524}));
  // Taller than the view: it starts at the gap and moves with the scroll.
  EXPECT_EQ(PlacePage({400, 1500}, 1000, 800, 0, 200), (PreviewPlace{300, kPreviewGap - 200, 424, 1524}));
}

TEST(PrintPreview, PagesStayInRangeAndAreCountedFromOne) {
  EXPECT_EQ(StepPage(0, -1, 3), 0);
  EXPECT_EQ(StepPage(0, 1, 3), 1);
  EXPECT_EQ(StepPage(2, 1, 3), 2);
  EXPECT_EQ(StepPage(1, 1000, 3), 2);
  EXPECT_EQ(StepPage(0, 1, 0), 0);
  EXPECT_EQ(PageStatusText(0, 1), L"Page 1 of 1");
  EXPECT_EQ(ZoomStatusText(75), L"75%");
}

}  // namespace
}  // namespace corvane::ui
