#include "network/internet_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane::network {
namespace {

TEST(InternetView, FlagTickRule) {
  const struct {
    FlagValue value;
    bool ticked;
  } cases[] = {
      {L"yes", true}, {L"YES", true}, {L"Yes", true}, {L"yEs", true},
      {L"no", false}, {L"1", false},  {L"", false},    // empty: the value is missing
      {L" yes", false}, {L"yes ", false}, {L"yess", false},
      {std::nullopt, false},  // a number, or any value that is not text
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FlagTicked(c.value), c.ticked) << testing::PrintToString(c.value.value_or(L"<not text>"));
  }
}

TEST(InternetView, FlagsFromTheKeyInListOrder) {
  std::vector<FlagValue> values(kIeFlagNames.size());
  values[0] = L"yes";           // "Anchor Underline"
  values[6] = L"no";            // "FullScreen"
  values[17] = L"Yes";          // "Use Search Asst"
  values[11] = std::nullopt;    // "Show_StatusBar" as a number
  const IeFlagsView view = BuildIeFlags(values);
  for (std::size_t i = 0; i < view.ticked.size(); ++i) EXPECT_EQ(view.ticked[i], i == 0 || i == 17) << i;
  EXPECT_EQ(view.message, std::nullopt);
}

TEST(InternetView, FlagsWithoutTheKeyTellItOnce) {
  const IeFlagsView view = BuildIeFlags(std::nullopt);
  for (std::size_t i = 0; i < view.ticked.size(); ++i) EXPECT_FALSE(view.ticked[i]) << i;
  EXPECT_EQ(view.message, std::optional<std::wstring>(L"Path not found"));
}

TEST(InternetView, FileVersionFromFourParts) {
  const struct {
    std::uint32_t ms, ls;
    const wchar_t* text;
  } cases[] = {
      {0x00060001, 0x1DB10000, L"6.1.7601.0"},
      {0x00080000, 0x17704000, L"8.0.6000.16384"},
      {0, 0, L"0.0.0.0"},
      {0xFFFFFFFF, 0xFFFF0001, L"65535.65535.65535.1"},  // parts are unsigned
  };
  for (const auto& c : cases) EXPECT_EQ(FileVersionText(c.ms, c.ls), c.text);
}

TEST(InternetView, BrowserRows) {
  BrowserReadings r{L"8.0.6001.18702", L"NOT Installed", L"", std::nullopt, std::nullopt};
  const std::vector<BrowserRow> three = {
      {L"Internet Explorer", L"8.0.6001.18702"}, {L"Mozilla Firefox", L"NOT Installed"}, {L"Google Chrome", L""}};
  EXPECT_EQ(BuildBrowsers(r), three);

  r.safari = L"";  // the file is there but has no version
  std::vector<BrowserRow> with_safari = three;
  with_safari.push_back({L"Safari", L""});
  EXPECT_EQ(BuildBrowsers(r), with_safari);

  r.opera = L"9.64.0.0";
  std::vector<BrowserRow> all = three;
  all.push_back({L"Opera", L"9.64.0.0"});
  all.push_back({L"Safari", L""});
  EXPECT_EQ(BuildBrowsers(r), all);

  const ui::ReportList list = BrowserList(all);
  ASSERT_EQ(list.columns.size(), 2u);
  EXPECT_EQ(list.columns[0].caption, L"Browser");
  EXPECT_EQ(list.columns[0].width, 150);
  EXPECT_EQ(list.columns[1].caption, L"Version");
  EXPECT_EQ(list.columns[1].width, 100);
  ASSERT_EQ(list.rows.size(), 5u);
  EXPECT_EQ(list.rows[3], (std::vector<std::wstring>{L"Opera", L"9.64.0.0"}));
}

}  // namespace
}  // namespace corvane::network
