#include "cpu/meters_chart.h"

#include <gtest/gtest.h>

#include "cpu/digit_glyphs.h"

#include <vector>

namespace corvane::cpu {
namespace {

constexpr std::int64_t kSecond = 10'000'000;

// Two readings one second apart with idle time for the given share.
SystemTimes Reading(int second, double idle_share_so_far) {
  return {kSecond + static_cast<std::int64_t>(idle_share_so_far * kSecond), (50 + second) * kSecond, 1};
}

TEST(MetersChart, GridAtCreation) {
  const MetersChart chart;
  const PixelImage& img = chart.image();
  ASSERT_EQ(img.width(), 421);
  ASSERT_EQ(img.height(), 100);
  EXPECT_EQ(chart.last_y(), 100);
  const struct {
    int x, y;
    Colour colour;
  } pixels[] = {
      {10, 0, kChartGrid},  {10, 99, kChartGrid}, {410, 50, kChartGrid}, {0, 10, kChartGrid},
      {419, 90, kChartGrid}, {420, 90, kChartBack},  // a line leaves out its end point
      {0, 0, kChartBack},   {5, 5, kChartBack},   {420, 5, kChartBack},  {415, 95, kChartBack},
  };
  for (const auto& p : pixels) EXPECT_EQ(img.At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(MetersChart, FirstStepDrawsAlongTheBottom) {
  MetersModel model;
  model.Tick(Reading(0, 0), L".");
  const auto& ops = model.chart().last_ops();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back(), (DrawOp{DrawOp::Kind::kLine, 410, 100, 420, 100, kChartLine}));
  EXPECT_EQ(model.label(), L"0.0%") << "no load known yet";
  EXPECT_EQ(model.bar(), 50);
  // The freed strip has its grid back and nothing else.
  EXPECT_EQ(model.chart().image().At(410, 5), kChartGrid);
  EXPECT_EQ(model.chart().image().At(420, 5), kChartGrid);
  EXPECT_EQ(model.chart().image().At(415, 10), kChartGrid);
  EXPECT_EQ(model.chart().image().At(415, 99), kChartBack);
}

TEST(MetersChart, LoadIntoLabelBarAndChart) {
  MetersModel model;
  model.Tick(Reading(0, 0), L".");
  model.Tick(Reading(1, 0.626), L",");  // 37.4 % busy before the rounding bias
  EXPECT_EQ(model.label(), L"37,9 %");
  EXPECT_EQ(model.bar(), 37);
  EXPECT_EQ(model.chart().last_y(), 63);
  EXPECT_EQ(model.chart().last_ops().back(), (DrawOp{DrawOp::Kind::kLine, 410, 100, 420, 63, kChartLine}));
  // The line climbs to y 64 at the right edge; its end point is left out.
  auto cyan_in_row = [&](int y) {
    for (int x = 410; x <= 420; ++x) {
      if (model.chart().image().At(x, y) == kChartLine) return x;
    }
    return -1;
  };
  EXPECT_GE(cyan_in_row(64), 418);
  EXPECT_EQ(cyan_in_row(63), -1);
  EXPECT_EQ(cyan_in_row(99), 410);

  // A failed reading draws a zero load and leaves label and bar.
  model.Tick(std::nullopt, L".");
  EXPECT_EQ(model.label(), L"37,9 %");
  EXPECT_EQ(model.bar(), 37);
  EXPECT_EQ(model.chart().last_y(), 100);
}

TEST(MetersChart, LoadToHeight) {
  const struct {
    int load, y;
  } cases[] = {{0, 100}, {37, 63}, {100, 0}, {101, 100}, {250, 100}, {-3, 100}};
  for (const auto& c : cases) EXPECT_EQ(MetersChart::ChartY(c.load), c.y) << c.load;

  MetersChart chart;
  chart.Step(120);
  EXPECT_EQ(chart.last_y(), 100) << "a load above 100 is drawn at the bottom";
}

TEST(MetersChart, ModelHandsTheChartTheLoadAsMeasured) {
  // Idle shares of the second reading and what one tick after the first
  // leaves: the bar stops at 0..100, the chart draws a load above 100 (or
  // below 0) on the bottom line.
  const struct {
    double idle_share;
    const wchar_t* label;
    int bar, y;
  } cases[] = {
      {0.626, L"37.9 %", 37, 63},
      {0.0, L"100.5 %", 100, 0},  // truncated to 100: the top line
      {-0.01, L"101.5 %", 100, 100},
      {-0.2, L"120.5 %", 100, 100},
      {0.999, L"0.6 %", 0, 100},
      {1.1, L"-9.5 %", 0, 100},
  };
  for (const auto& c : cases) {
    MetersModel model;
    model.Tick(Reading(0, 0), L".");
    model.Tick(Reading(1, c.idle_share), L".");
    EXPECT_EQ(model.label(), c.label) << c.idle_share;
    EXPECT_EQ(model.bar(), c.bar) << c.idle_share;
    EXPECT_EQ(model.chart().last_y(), c.y) << c.idle_share;
    EXPECT_EQ(model.chart().last_ops().back(), (DrawOp{DrawOp::Kind::kLine, 410, 100, 420, c.y, kChartLine}))
        << c.idle_share;
  }
}

TEST(MetersChart, TenStepsMoveTheHistoryHundredPixels) {
  MetersChart chart;
  const int loads[] = {12, 87, 40, 40, 99, 3, 61, 25, 70, 55, 18, 93, 0, 100, 47};
  for (int load : loads) chart.Step(load);
  const PixelImage before = chart.image();
  for (int i = 0; i < 10; ++i) chart.Step(loads[i]);
  const PixelImage& after = chart.image();
  for (int y = 0; y < MetersChart::kHeight; ++y) {
    for (int x = 0; x + 100 <= 410; ++x) {
      ASSERT_EQ(after.At(x, y), before.At(x + 100, y)) << x << "," << y;
    }
  }
}

TEST(PixelImage, CopiesOverlapAndClip) {
  // A 4 x 3 image whose pixel (x, y) holds 10 * y + x.
  auto numbered = [] {
    PixelImage img(4, 3, 0);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) img.Apply({DrawOp::Kind::kFill, x, y, x + 1, y + 1, Colour(10 * y + x)});
    }
    return img;
  };
  auto rows = [](const PixelImage& img) {
    std::vector<Colour> v = img.pixels();
    return v;
  };
  const struct {
    const char* what;
    DrawOp op;
    std::vector<Colour> want;
  } cases[] = {
      {"down one row, overlapping", {DrawOp::Kind::kCopy, 0, 0, 4, 2, 0, 0, 1},
       {0, 1, 2, 3, 0, 1, 2, 3, 10, 11, 12, 13}},
      {"left one column", {DrawOp::Kind::kCopy, 1, 0, 4, 3, 0, 0, 0},
       {1, 2, 3, 3, 11, 12, 13, 13, 21, 22, 23, 23}},
      {"partly off the left and bottom", {DrawOp::Kind::kCopy, 0, 0, 4, 3, 0, -2, 1},
       {0, 1, 2, 3, 2, 3, 12, 13, 12, 13, 22, 23}},
      {"source partly outside", {DrawOp::Kind::kCopy, -1, -1, 2, 1, 0, 2, 1},
       {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 0}},
      {"entirely off the image", {DrawOp::Kind::kCopy, 0, 0, 4, 3, 0, 4, 0},
       {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23}},
  };
  for (const auto& c : cases) {
    PixelImage img = numbered();
    img.Apply(c.op);
    EXPECT_EQ(rows(img), c.want) << c.what;
  }
}

TEST(DigitGlyphs, TenDistinctDigits) {
  auto lit_count = [](int digit) {
    int n = 0;
    for (int y = 0; y < kDigitHeight; ++y) {
      for (int x = 0; x < kDigitWidth; ++x) n += DigitGlyphLit(digit, x, y);
    }
    return n;
  };
  for (int a = 0; a < 10; ++a) {
    EXPECT_GT(lit_count(a), 0) << a;
    EXPECT_LE(lit_count(a), lit_count(8)) << "8 lights every segment";
    for (int b = a + 1; b < 10; ++b) {
      bool differ = false;
      for (int y = 0; y < kDigitHeight && !differ; ++y) {
        for (int x = 0; x < kDigitWidth && !differ; ++x) differ = DigitGlyphLit(a, x, y) != DigitGlyphLit(b, x, y);
      }
      EXPECT_TRUE(differ) << a << " and " << b;
    }
  }
  EXPECT_FALSE(DigitGlyphLit(8, kDigitWidth, 0));
  EXPECT_FALSE(DigitGlyphLit(10, 5, 0));
  EXPECT_EQ(DigitIndex(L'7'), 7);
  EXPECT_EQ(DigitIndex(L'-'), 0);
  EXPECT_EQ(DigitX(4), 64);
}

}  // namespace
}  // namespace corvane::cpu
