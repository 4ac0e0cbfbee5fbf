#include "app/main_layout.h"

#include <gtest/gtest.h>

namespace corvane::app {
namespace {

TEST(MainLayout, FirstShowHeight) {
  const struct { int screen, height; } cases[] = {
      {1200, 936}, {1024, 936}, {937, 936}, {936, 886}, {768, 718}, {600, 550},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstShowHeight(c.screen), c.height) << c.screen;
}

TEST(MainLayout, ValueCellsFollowTheWindowWidth) {
  EXPECT_EQ(ValueCellWidth(690), 440);
  EXPECT_EQ(ValueCellWidth(890), 640);
}

}  // namespace
}  // namespace corvane::app
