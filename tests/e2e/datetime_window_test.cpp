// The date and time window from the main window's toolbar under Wine: the
// time ticking every second, the date, the zone rows as this process reads
// the zone for itself, and the uptime. The test machine's zone (UTC) has
// no daylight saving, so its transition rows are empty while the rows
// after them are still filled.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "e2e/harness.h"
#include "memory_display_time/datetime_window_ids.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

namespace ids = memory_display_time::datetime_ids;

std::wstring ShortDateToday() {
  wchar_t text[128] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128) > 1 ? text : L"";
}

// "hh:mm:ss"
bool IsClockText(const std::wstring& t) {
  if (t.size() != 8 || t[2] != L':' || t[5] != L':') return false;
  for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u}) {
    if (t[i] < L'0' || t[i] > L'9') return false;
  }
  return t.substr(0, 2) < L"24" && t.substr(3, 2) < L"60" && t.substr(6, 2) < L"60";
}

class DateTimeWindow : public WindowSuite<DateTimeWindow> {
 public:
  // The toolbar's clock button.
  static WindowCommand Window() { return {app::kCmdShowDateTime, L"TfrmDateTime"}; }
  static FilledTest Filled() { return ChildHasText(ids::kIdEdit16); }

 protected:
  // Whether the Time row shows another text within the time allowed.
  bool TimeChanges(std::chrono::milliseconds within) const {
    const std::wstring first = Text(ids::kIdInfo1);
    return WaitUntil([&] { return Text(ids::kIdInfo1) != first; }, within, 50ms);
  }
};

TEST_F(DateTimeWindow, OpensFromTheToolbarWithItsRowsFilled) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Time and Date"));
  const std::pair<int, const wchar_t*> labels[] = {
      {ids::kIdInfo1, L"Time"},
      {ids::kIdInfo2, L"Date"},
      {ids::kIdEdit2, L"Time Zone"},
      {ids::kIdEdit4, L"Daylight saving starts"},
      {ids::kIdEdit6, L"Daylight saving ends"},
      {ids::kIdEdit8, L"Daylight savings name"},
      {ids::kIdEdit10, L"Daylight savings bias"},
      {ids::kIdEdit12, L"Daylight savings status"},
      {ids::kIdEdit14, L"Current bias from local to UTC"},
      {ids::kIdEdit16, L"System Up Time"},
      {ids::kIdEdit18, L"System Boot Up Time"},
  };
  for (const auto& [id, label] : labels) EXPECT_EQ(Text(id + 50), label);

  EXPECT_FALSE(Text(ids::kIdInfo1).empty()) << "Time";
  const std::wstring date = Text(ids::kIdInfo2);
  EXPECT_FALSE(date.empty());
  EXPECT_EQ(date, ShortDateToday()) << "unless the day just changed";
  EXPECT_TRUE(IsClockText(Text(ids::kIdEdit16))) << testing::PrintToString(Text(ids::kIdEdit16));
  EXPECT_FALSE(Text(ids::kIdEdit18).empty()) << "System Boot Up Time";

  // The web address is plain text here.
  HWND web = Child(ids::kIdWebAddress);
  ASSERT_TRUE(web);
  EXPECT_EQ(WindowText(web), std::optional<std::wstring>(ui::kWebAddressText));
  EXPECT_EQ(GetWindowLongW(web, GWL_STYLE) & SS_NOTIFY, 0) << "not clickable";
}

TEST_F(DateTimeWindow, ZoneRowsAsTheSystemReportsTheZone) {
  TIME_ZONE_INFORMATION zone{};
  const DWORD status = GetTimeZoneInformation(&zone);
  ASSERT_NE(status, TIME_ZONE_ID_INVALID);
  EXPECT_EQ(Text(ids::kIdEdit2), zone.StandardName);
  EXPECT_EQ(Text(ids::kIdEdit8), zone.DaylightName);
  EXPECT_EQ(Text(ids::kIdEdit10), std::to_wstring(zone.DaylightBias) + L" minutes");
  EXPECT_EQ(Text(ids::kIdEdit14), std::to_wstring(zone.Bias) + L" minutes");
  const wchar_t* const statuses[] = {L"Current daylight status is unknown",
                                     L"Not currently in the daylight savings time period",
                                     L"Are currently in the daylight savings time period"};
  ASSERT_LT(status, 3u);
  EXPECT_EQ(Text(ids::kIdEdit12), statuses[status]);
  if (zone.DaylightDate.wMonth == 0) {
    // No daylight saving: no transition dates, and the rows after them filled all the same.
    EXPECT_EQ(Text(ids::kIdEdit4), L"");
    EXPECT_EQ(Text(ids::kIdEdit6), L"");
  } else {
    EXPECT_FALSE(Text(ids::kIdEdit4).empty());
    EXPECT_FALSE(Text(ids::kIdEdit6).empty());
  }
}

TEST_F(DateTimeWindow, TheTimeTicksShownAndHidden) {
  EXPECT_TRUE(TimeChanges(2500ms)) << "the Time row stood still while shown";
  Close();
  EXPECT_TRUE(TimeChanges(2500ms)) << "the clock stood still while the window was hidden";
  ASSERT_TRUE(Open());
  EXPECT_FALSE(Text(ids::kIdInfo1).empty());
  EXPECT_TRUE(TimeChanges(2500ms)) << "after showing it again";
}

}  // namespace
}  // namespace corvane::e2e
