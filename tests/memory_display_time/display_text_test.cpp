#include "memory_display_time/display_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane::memory_display_time {
namespace {

TEST(DisplayText, TechnologyTable) {
  const struct { int value; const wchar_t* text; } cases[] = {
      {0, L"Vector Plotter"}, {1, L"Raster Display"},   {2, L"Raster Printer"}, {3, L"Raster Camera"},
      {4, L"Character Stream"}, {5, L"Metafile"},        {6, L"Display File"},
      {7, L""},                 {-1, L""},               {1000, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(TechnologyText(c.value), c.text) << c.value;
}

TEST(DisplayText, ScreenTexts) {
  const struct { std::wstring text, expected; } cases[] = {
      {MetricsText(1024, 768, 32), L"1024 x 768 - 32 bit"},
      {MetricsText(640, 480, 4), L"640 x 480 - 4 bit"},
      {DpiText(96), L"96 dpi"},
      {RefreshRateText(60, true), L"60 Hz"},
      {RefreshRateText(60, false), L""},  // reported on the NT platform only
      {RefreshRateText(1, true), L"1 Hz"},  // "hardware default"
      {DriverVersionText(0x4000, true), L"16384"},
      {DriverVersionText(0x4000, false), L""},
      {MonitorCountText(1), L"1"},
      {MonitorCountText(0), L"0"},
      {MonitorCountText(258), L"2"},  // modulo 256
      {BiosText(L"Wine VGA", L"01/02/99"), L"Wine VGA (01/02/99)"},
      {BiosText(L"", L""), L" ()"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(DisplayText, MonitorNamesJoinWhatTheAdaptersHave) {
  using Monitors = std::vector<std::optional<std::wstring>>;
  const struct { Monitors monitors; std::wstring text; } cases[] = {
      {{L"Generic Non-PnP Monitor"}, L"Generic Non-PnP Monitor | "},
      {{L"A", std::nullopt, L"B"}, L"A | B | "},  // an adapter without a monitor adds nothing
      {{std::nullopt}, L""},
      {{L"  \t"}, L""},                       // a blank name adds nothing
      {{L" Padded "}, L" Padded  | "},        // kept as the device gives it
      {{}, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(MonitorNamesText(c.monitors), c.text);
}

TEST(DisplayText, RegistryNamesCompareIgnoringCase) {
  EXPECT_TRUE(EqualsIgnoringCase(L"Display", L"DISPLAY"));
  EXPECT_TRUE(EqualsIgnoringCase(L"\u00e9cran", L"\u00c9CRAN"));
  EXPECT_FALSE(EqualsIgnoringCase(L"Display", L"Displays"));
  EXPECT_FALSE(EqualsIgnoringCase(L"[", L"{"));  // not letters: no folding
  EXPECT_EQ(FindIgnoringCase(L"\\REGISTRY\\MACHINE\\x", L"Machine\\"), 10u);
  EXPECT_EQ(FindIgnoringCase(L"abc", L"d"), std::wstring_view::npos);
  EXPECT_EQ(FindIgnoringCase(L"abc", L""), 0u);
  EXPECT_EQ(UpperCase(L"disp0001-\u00e9"), L"DISP0001-\u00c9");
  EXPECT_EQ(Trimmed(L" \t x y \r\n"), L"x y");
}

}  // namespace
}  // namespace corvane::memory_display_time
