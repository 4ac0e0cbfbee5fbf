#include "ui/sheet_page_layout.h"

#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

TEST(SheetPageLayout, BodyFillsBetweenCaptionAndFoot) {
  const SheetPage plain = LayOutSheetPage(600, 400, 60, 300);
  EXPECT_EQ(plain.sheet, (Box{0, 0, 600, 64}));
  EXPECT_EQ(plain.caption, (Box{8, 68, 300, 18}));
  EXPECT_EQ(plain.link, (Box{8, 380, 300, 16}));
  EXPECT_EQ(plain.body, (Box{8, 88, 584, 288})) << "up to 4 pixels above the link";

  // A row of buttons goes between the body and the link, 6 pixels from each.
  const SheetPage buttons = LayOutSheetPage(600, 400, 60, 300, 25);
  EXPECT_EQ(buttons.body.y + buttons.body.height + 6, buttons.buttons.y);
  EXPECT_EQ(buttons.buttons.y + buttons.buttons.height + 6, buttons.link.y);
}

TEST(SheetPageLayout, ATinyWindowGivesAnEmptyBodyNotANegativeOne) {
  for (const int extra : {0, 25}) {
    const SheetPage p = LayOutSheetPage(10, 50, 60, 300, extra);
    EXPECT_EQ(p.body.width, 0);
    EXPECT_EQ(p.body.height, 0);
  }
}

}  // namespace
}  // namespace corvane::ui
