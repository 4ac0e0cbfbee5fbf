#include "memory_display_time/datetime_view.h"

#include "ui/report_section_build.h"

namespace corvane::memory_display_time {
namespace {

using namespace datetime_ids;

constexpr std::uint32_t kSecondsPerDay = 24 * 60 * 60;
constexpr std::int64_t kMillisecondsPerDay = std::int64_t{kSecondsPerDay} * 1000;

std::wstring TwoDigits(int value) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < 2) text.insert(0, 2 - text.size(), L'0');
  return text;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

const std::array<ui::SheetField<DateTimeModel>, 11> kDateTimeFields{{
    {L"Time", L"Info1", kIdInfo1, [](const DateTimeModel& m) { return m.time; }},
    {L"Date", L"Info2", kIdInfo2, [](const DateTimeModel& m) { return m.date; }},
    {L"Time Zone", L"Edit2", kIdEdit2, [](const DateTimeModel& m) { return m.time_zone; }},
    {L"Daylight saving starts", L"Edit4", kIdEdit4, [](const DateTimeModel& m) { return m.daylight_starts; }},
    {L"Daylight saving ends", L"Edit6", kIdEdit6, [](const DateTimeModel& m) { return m.daylight_ends; }},
    {L"Daylight savings name", L"Edit8", kIdEdit8, [](const DateTimeModel& m) { return m.daylight_name; }},
    {L"Daylight savings bias", L"Edit10", kIdEdit10, [](const DateTimeModel& m) { return m.daylight_bias; }},
    {L"Daylight savings status", L"Edit12", kIdEdit12, [](const DateTimeModel& m) { return m.daylight_status; }},
    {L"Current bias from local to UTC", L"Edit14", kIdEdit14, [](const DateTimeModel& m) { return m.bias; }},
    {L"System Up Time", L"Edit16", kIdEdit16, [](const DateTimeModel& m) { return m.up_time; }},
    {L"System Boot Up Time", L"Edit18", kIdEdit18, [](const DateTimeModel& m) { return m.boot_time; }},
}};

std::wstring NameUpToZero(std::span<const wchar_t> chars) {
  std::size_t n = 0;
  while (n < chars.size() && chars[n] != L'\0') ++n;
  return std::wstring(chars.data(), n);
}

std::wstring TransitionDateText(const ZoneDate& d, int year, const MonthNames& months) {
  if (d.month < 1 || d.month > 12 || year < 1 || year > 9999) return {};
  if (d.day < 1 || d.day > DaysInMonth(year, d.month)) return {};
  if (d.hour > 23 || d.minute > 59 || d.second > 59 || d.milliseconds > 999) return {};
  const int hour12 = d.hour % 12 == 0 ? 12 : d.hour % 12;
  return months[d.month - 1] + L" " + TwoDigits(d.day) + L" " + TwoDigits(hour12) + L":" + TwoDigits(d.minute) +
         (d.hour < 12 ? L" am" : L" pm");
}

std::wstring MinutesText(std::int32_t minutes) { return std::to_wstring(minutes) + L" minutes"; }

std::optional<std::wstring> DaylightStatusText(std::uint32_t status) {
  switch (status) {
    case 0:
      return L"Current daylight status is unknown";
    case 1:
      return L"Not currently in the daylight savings time period";
    case 2:
      return L"Are currently in the daylight savings time period";
    default:
      return std::nullopt;
  }
}

std::uint32_t UptimeSeconds(std::uint32_t ticks) {
  return static_cast<std::uint32_t>((std::uint64_t{ticks} + 500) / 1000);
}

std::wstring UptimeText(std::uint32_t ticks) {
  const std::uint32_t within_day = UptimeSeconds(ticks) % kSecondsPerDay;
  return TwoDigits(static_cast<int>(within_day / 3600)) + L":" + TwoDigits(static_cast<int>(within_day / 60 % 60)) +
         L":" + TwoDigits(static_cast<int>(within_day % 60));
}

TimeOfDay BootTimeOfDay(const TimeOfDay& now, std::uint32_t ticks) {
  const std::int64_t now_ms =
      ((std::int64_t{now.hour} * 60 + now.minute) * 60 + now.second) * 1000 + now.milliseconds;
  std::int64_t boot_ms = (now_ms - std::int64_t{UptimeSeconds(ticks)} * 1000) % kMillisecondsPerDay;
  if (boot_ms < 0) boot_ms += kMillisecondsPerDay;
  TimeOfDay boot;
  boot.milliseconds = static_cast<int>(boot_ms % 1000);
  const auto seconds = static_cast<int>(boot_ms / 1000);
  boot.second = seconds % 60;
  boot.minute = seconds / 60 % 60;
  boot.hour = seconds / 3600;
  return boot;
}

void ApplyTimeZone(DateTimeModel& m, const TimeZoneRecord& zone, std::uint32_t status, int year,
                   const MonthNames& months) {
  m.bias = MinutesText(zone.bias);
  m.time_zone = zone.standard_name;
  // A zone without daylight saving has no transition dates: those two rows
  // stay empty and the rest are filled as for any other zone.
  m.daylight_starts = TransitionDateText(zone.daylight_date, year, months);
  m.daylight_ends = TransitionDateText(zone.standard_date, year, months);
  m.daylight_name = zone.daylight_name;
  m.daylight_bias = MinutesText(zone.daylight_bias);
  if (std::optional<std::wstring> text = DaylightStatusText(status)) m.daylight_status = std::move(*text);
}

ui::ReportSection DateTimeSection(const DateTimeModel& model) {
  static constexpr std::wstring_view kClockRows[] = {L"Time", L"Date", L"System Up Time", L"System Boot Up Time"};
  return {L"TfrmDateTime", kDateTimeCaption, ui::SheetSectionRows<DateTimeModel>(kDateTimeFields, model, kClockRows),
          {}, {}};
}

}  // namespace corvane::memory_display_time
