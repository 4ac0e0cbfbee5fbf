// What the date and time window shows, as pure functions of the time-zone
// record, the millisecond count since the system started and the current
// time: the zone's rows, the uptime and the time of day the system started.
// Texts in the user's time and date formats come from the window's reader
// (datetime_readers_win.h); everything else is decided here.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "memory_display_time/datetime_window_ids.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::memory_display_time {

inline constexpr wchar_t kDateTimeCaption[] = L"Time and Date";

// A transition date of a time-zone record, as the record stores it.
struct ZoneDate {
  std::uint16_t year = 0, month = 0, day_of_week = 0, day = 0;
  std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// The time-zone record (GetTimeZoneInformation) without its Windows clothing.
struct TimeZoneRecord {
  std::int32_t bias = 0;
  std::wstring standard_name;
  ZoneDate standard_date;
  std::int32_t standard_bias = 0;
  std::wstring daylight_name;
  ZoneDate daylight_date;
  std::int32_t daylight_bias = 0;
};

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// The long month names, January first.
using MonthNames = std::array<std::wstring, 12>;

struct DateTimeModel {
  std::wstring time;             // Info1: the current time
  std::wstring date;             // Info2: today
  std::wstring time_zone;        // Edit2
  std::wstring daylight_starts;  // Edit4
  std::wstring daylight_ends;    // Edit6
  std::wstring daylight_name;    // Edit8
  std::wstring daylight_bias;    // Edit10
  std::wstring daylight_status;  // Edit12
  std::wstring bias;             // Edit14
  std::wstring up_time;          // Edit16
  std::wstring boot_time;        // Edit18
};

extern const std::array<ui::SheetField<DateTimeModel>, 11> kDateTimeFields;
inline constexpr std::size_t kTimeRow = 0;
inline constexpr std::size_t kUpTimeRow = 9;

// A name of the record: its characters up to the first zero, all of them
// when the buffer has none.
std::wstring NameUpToZero(std::span<const wchar_t> chars);

// "March 02 02:00 am": the transition's month and day in `year` with its
// time, as "mmmm dd hh:nn am/pm" (12-hour clock: 00:xx is 12:xx am, 12:xx is
// 12:xx pm). The record's day counts as the day of the month. Empty when
// no date can be formed: month 0 (a zone without daylight saving) or any
// other field out of range.
std::wstring TransitionDateText(const ZoneDate& date, int year, const MonthNames& months);

// "-60 minutes".
std::wstring MinutesText(std::int32_t minutes);

// The daylight status row for GetTimeZoneInformation's result; nullopt for
// a result that leaves the row as it was.
std::optional<std::wstring> DaylightStatusText(std::uint32_t status);

// Whole seconds since the system started: the millisecond count rounded.
std::uint32_t UptimeSeconds(std::uint32_t ticks);
// "04:05:06": the hours, minutes and seconds of the uptime within its
// current day. The count wraps after about 49.7 days, and so does this.
std::wstring UptimeText(std::uint32_t ticks);
// The time of day at which the system started: `now` less the uptime in
// whole seconds, taken around midnight.
TimeOfDay BootTimeOfDay(const TimeOfDay& now, std::uint32_t ticks);

// The rows FormShow fills from the zone record (3 to 9); `status` is
// GetTimeZoneInformation's result, `year` the current year. Each row is
// filled whatever became of the rows before it.
void ApplyTimeZone(DateTimeModel& model, const TimeZoneRecord& zone, std::uint32_t status, int year,
                   const MonthNames& months);

// The window's report section: its rows. The clock rows and the uptime
// change by themselves; so, by a second now and then, does the boot time,
// worked out from the clock less the rounded uptime: all are volatile.
ui::ReportSection DateTimeSection(const DateTimeModel& model);

}  // namespace corvane::memory_display_time
