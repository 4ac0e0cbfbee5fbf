// The date and time window's readers and the locale's time and date texts
// against the Wine prefix.
#include "memory_display_time/datetime_readers_win.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/locale_win.h"

namespace corvane::memory_display_time {
namespace {

bool UserLocaleIsUsEnglish() { return GetUserDefaultLCID() == MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT); }

TEST(LocaleTexts, MonthNamesTimeAndDateInTheUsersFormats) {
  if (!UserLocaleIsUsEnglish()) GTEST_SKIP() << "the texts below are those of US English";
  const std::array<std::wstring, 12> months = platform::ReadLongMonthNames();
  EXPECT_EQ(months[0], L"January");
  EXPECT_EQ(months[2], L"March");
  EXPECT_EQ(months[11], L"December");
  SYSTEMTIME t{};
  t.wYear = 2024;
  t.wMonth = 3;
  t.wDay = 2;
  t.wHour = 14;
  t.wMinute = 5;
  t.wSecond = 9;
  EXPECT_EQ(platform::LongTimeText(t), L"2:05:09 PM");
  EXPECT_EQ(platform::ShortDateText(t), L"3/2/2024");
  t.wHour = 0;
  EXPECT_EQ(platform::LongTimeText(t), L"12:05:09 AM");
}

TEST(LocaleTexts, AnImpossibleTimeOrDateGivesNoText) {
  SYSTEMTIME t{};
  t.wYear = 2024;
  t.wMonth = 13;
  t.wDay = 40;
  t.wHour = 25;
  EXPECT_EQ(platform::LongTimeText(t), L"");
  EXPECT_EQ(platform::ShortDateText(t), L"");
}

TEST(DateTimeReaders, AShowingFillsEveryRowTheZoneGives) {
  const ClockReading clock = ReadClock();
  const ZoneReading zone = ReadTimeZone();
  ASSERT_NE(zone.status, TIME_ZONE_ID_INVALID);
  DateTimeModel m;
  ApplyShowing(m, clock, zone);
  EXPECT_FALSE(m.time.empty());
  EXPECT_FALSE(m.date.empty());
  EXPECT_EQ(m.time_zone, zone.record.standard_name);
  EXPECT_FALSE(m.time_zone.empty());
  EXPECT_EQ(m.daylight_starts.empty(), zone.record.daylight_date.month == 0);
  EXPECT_EQ(m.daylight_ends.empty(), zone.record.standard_date.month == 0);
  EXPECT_EQ(m.daylight_name, zone.record.daylight_name);
  EXPECT_FALSE(m.daylight_bias.empty());
  EXPECT_FALSE(m.daylight_status.empty());
  EXPECT_FALSE(m.bias.empty());
  EXPECT_EQ(m.up_time, UptimeText(clock.ticks));
  EXPECT_FALSE(m.boot_time.empty());
}

}  // namespace
}  // namespace corvane::memory_display_time
