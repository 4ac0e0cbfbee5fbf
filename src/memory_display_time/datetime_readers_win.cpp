#include "memory_display_time/datetime_readers_win.h"

#include "platform/locale_win.h"

namespace corvane::memory_display_time {
namespace {

ZoneDate ZoneDateOf(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

ClockReading ReadClock() {
  ClockReading clock;
  GetLocalTime(&clock.now);
  clock.ticks = GetTickCount();
  return clock;
}

ZoneReading ReadTimeZone() {
  TIME_ZONE_INFORMATION info{};
  ZoneReading zone;
  zone.status = GetTimeZoneInformation(&info);
  if (zone.status == TIME_ZONE_ID_INVALID) return zone;
  zone.record.bias = info.Bias;
  zone.record.standard_name = NameUpToZero(info.StandardName);
  zone.record.standard_date = ZoneDateOf(info.StandardDate);
  zone.record.standard_bias = info.StandardBias;
  zone.record.daylight_name = NameUpToZero(info.DaylightName);
  zone.record.daylight_date = ZoneDateOf(info.DaylightDate);
  zone.record.daylight_bias = info.DaylightBias;
  return zone;
}

void ApplyClock(DateTimeModel& model, const ClockReading& clock) {
  model.up_time = UptimeText(clock.ticks);
  model.time = platform::LongTimeText(clock.now);
}

std::wstring BootTimeText(const ClockReading& clock) {
  const SYSTEMTIME& now = clock.now;
  const TimeOfDay boot = BootTimeOfDay({now.wHour, now.wMinute, now.wSecond, now.wMilliseconds}, clock.ticks);
  SYSTEMTIME at = now;  // only the time of day is shown
  at.wHour = static_cast<WORD>(boot.hour);
  at.wMinute = static_cast<WORD>(boot.minute);
  at.wSecond = static_cast<WORD>(boot.second);
  at.wMilliseconds = static_cast<WORD>(boot.milliseconds);
  return platform::LongTimeText(at);
}

void ApplyShowing(DateTimeModel& model, const ClockReading& clock, const ZoneReading& zone) {
  model.boot_time = BootTimeText(clock);
  model.date = platform::ShortDateText(clock.now);
  ApplyTimeZone(model, zone.record, zone.status, clock.now.wYear, platform::ReadLongMonthNames());
  ApplyClock(model, clock);
}

}  // namespace corvane::memory_display_time
