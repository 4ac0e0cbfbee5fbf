#include "memory_display_time/datetime_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::memory_display_time {
namespace {

const MonthNames kEnglish = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                             L"July",    L"August",   L"September", L"October", L"November", L"December"};

ZoneDate At(std::uint16_t month, std::uint16_t day, std::uint16_t hour, std::uint16_t minute = 0) {
  ZoneDate d;
  d.month = month;
  d.day = day;
  d.hour = hour;
  d.minute = minute;
  return d;
}

TEST(DateTimeView, TransitionDateInTwelveHourForm) {
  const struct {
    ZoneDate date;
    const wchar_t* text;
  } cases[] = {
      {At(3, 2, 2), L"March 02 02:00 am"},  // second Sunday of March in the record's own encoding
      {At(11, 1, 2), L"November 01 02:00 am"},
      {At(10, 5, 3), L"October 05 03:00 am"},
      {At(4, 1, 0, 5), L"April 01 12:05 am"},     // the hour after midnight is 12 am
      {At(4, 1, 12, 30), L"April 01 12:30 pm"},   // noon is 12 pm
      {At(4, 1, 13, 0), L"April 01 01:00 pm"},
      {At(12, 31, 23, 59), L"December 31 11:59 pm"},
      {At(1, 15, 11, 59), L"January 15 11:59 am"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(TransitionDateText(c.date, 2024, kEnglish), c.text);
  }
}

TEST(DateTimeView, TransitionMonthNamesComeFromTheCaller) {
  MonthNames german = kEnglish;
  german[2] = L"M\u00E4rz";
  EXPECT_EQ(TransitionDateText(At(3, 2, 2), 2024, german), L"M\u00E4rz 02 02:00 am");
}

TEST(DateTimeView, NoTransitionDateWhereNoneCanBeFormed) {
  const ZoneDate no_daylight_saving{};  // month 0 throughout
  EXPECT_EQ(TransitionDateText(no_daylight_saving, 2024, kEnglish), L"");
  const ZoneDate bad[] = {At(13, 1, 2), At(2, 30, 2), At(4, 0, 2), At(4, 1, 24), At(4, 1, 2, 60)};
  for (const ZoneDate& d : bad) EXPECT_EQ(TransitionDateText(d, 2024, kEnglish), L"") << d.month << "/" << d.day;
  // The 29th of February is a date only in a leap year.
  EXPECT_EQ(TransitionDateText(At(2, 29, 1), 2024, kEnglish), L"February 29 01:00 am");
  EXPECT_EQ(TransitionDateText(At(2, 29, 1), 2023, kEnglish), L"");
}

TEST(DateTimeView, ZoneRowsOfAZoneWithoutDaylightSavingAreStillFilled) {
  TimeZoneRecord utc;
  utc.bias = 0;
  utc.standard_name = L"Coordinated Universal Time";
  utc.daylight_name = L"Coordinated Universal Time";
  DateTimeModel m;
  m.daylight_starts = L"stale";
  ApplyTimeZone(m, utc, 0, 2024, kEnglish);
  EXPECT_EQ(m.time_zone, L"Coordinated Universal Time");
  EXPECT_EQ(m.daylight_starts, L"");
  EXPECT_EQ(m.daylight_ends, L"");
  EXPECT_EQ(m.daylight_name, L"Coordinated Universal Time");
  EXPECT_EQ(m.daylight_bias, L"0 minutes");
  EXPECT_EQ(m.daylight_status, L"Current daylight status is unknown");
  EXPECT_EQ(m.bias, L"0 minutes");
}

TEST(DateTimeView, ZoneRowsOfAZoneWithDaylightSaving) {
  TimeZoneRecord berlin;
  berlin.bias = -60;
  berlin.standard_name = L"W. Europe Standard Time";
  berlin.standard_date = At(10, 5, 3);
  berlin.daylight_name = L"W. Europe Daylight Time";
  berlin.daylight_date = At(3, 5, 2);
  berlin.daylight_bias = -60;
  DateTimeModel m;
  ApplyTimeZone(m, berlin, 2, 2024, kEnglish);
  EXPECT_EQ(m.bias, L"-60 minutes");
  EXPECT_EQ(m.time_zone, L"W. Europe Standard Time");
  EXPECT_EQ(m.daylight_starts, L"March 05 02:00 am");
  EXPECT_EQ(m.daylight_ends, L"October 05 03:00 am");
  EXPECT_EQ(m.daylight_name, L"W. Europe Daylight Time");
  EXPECT_EQ(m.daylight_bias, L"-60 minutes");
  EXPECT_EQ(m.daylight_status, L"Are currently in the daylight savings time period");
}

TEST(DateTimeView, DaylightStatusTexts) {
  EXPECT_EQ(DaylightStatusText(0), L"Current daylight status is unknown");
  EXPECT_EQ(DaylightStatusText(1), L"Not currently in the daylight savings time period");
  EXPECT_EQ(DaylightStatusText(2), L"Are currently in the daylight savings time period");
  EXPECT_EQ(DaylightStatusText(3), std::nullopt);
  EXPECT_EQ(DaylightStatusText(0xFFFFFFFF), std::nullopt);  // the call failed

  // An unknown status leaves the row as the last showing left it.
  DateTimeModel m;
  m.daylight_status = L"Not currently in the daylight savings time period";
  ApplyTimeZone(m, {}, 0xFFFFFFFF, 2024, kEnglish);
  EXPECT_EQ(m.daylight_status, L"Not currently in the daylight savings time period");
}

TEST(DateTimeView, UptimeWithinTheCurrentDay) {
  constexpr std::uint32_t kDay = 86400000;
  const struct {
    std::uint32_t ticks;
    const wchar_t* text;
  } cases[] = {
      {3 * kDay + ((4 * 60 + 5) * 60 + 6) * 1000, L"04:05:06"},
      {0, L"00:00:00"},
      {499, L"00:00:00"},
      {500, L"00:00:01"},  // rounded to the nearest second
      {kDay - 1, L"00:00:00"},  // rounds up into the next day
      {kDay - 501, L"23:59:59"},
      {0xFFFFFFFF, L"17:02:47"},  // the last count before the wrap: 49 days 17:02:47.295
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ticks);
    EXPECT_EQ(UptimeText(c.ticks), c.text);
  }
  // One millisecond later the count has wrapped to 0 and so has the text.
  EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(0xFFFFFFFFu + 1u)), L"00:00:00");
}

TEST(DateTimeView, BootTimeIsNowLessTheUptime) {
  const struct {
    TimeOfDay now;
    std::uint32_t ticks;
    TimeOfDay boot;
  } cases[] = {
      {{10, 30, 0, 0}, 90 * 60 * 1000, {9, 0, 0, 0}},
      {{0, 10, 0, 250}, 20 * 60 * 1000, {23, 50, 0, 250}},  // started before midnight
      {{12, 0, 0, 0}, 3 * 86400000u + 1000, {11, 59, 59, 0}},  // whole days do not matter
      {{12, 0, 0, 0}, 1499, {11, 59, 59, 0}},                  // the uptime in whole seconds
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ticks);
    EXPECT_EQ(BootTimeOfDay(c.now, c.ticks), c.boot);
  }
}

TEST(DateTimeView, BiasTexts) {
  EXPECT_EQ(MinutesText(-60), L"-60 minutes");
  EXPECT_EQ(MinutesText(300), L"300 minutes");
  EXPECT_EQ(MinutesText(0), L"0 minutes");
}

TEST(DateTimeView, NamesEndAtTheirFirstZeroOrAtTheBuffersEnd) {
  const wchar_t terminated[32] = L"Pacific Standard Time";
  EXPECT_EQ(NameUpToZero(terminated), L"Pacific Standard Time");
  wchar_t full[32];
  for (wchar_t& c : full) c = L'x';
  EXPECT_EQ(NameUpToZero(full), std::wstring(32, L'x'));
}

}  // namespace
}  // namespace corvane::memory_display_time
