// What the date and time window reads from the system (the clock, the
// millisecond count since start, the time-zone record) and the rows it
// words in the user's own time and date formats.
#pragma once
#include <windows.h>

#include <cstdint>

#include "memory_display_time/datetime_view.h"

namespace corvane::memory_display_time {

// The local time and the millisecond count, read together.
struct ClockReading {
  SYSTEMTIME now{};
  std::uint32_t ticks = 0;
};
ClockReading ReadClock();

// GetTimeZoneInformation: the record and the call's result (0, 1, 2, or
// TIME_ZONE_ID_INVALID, with an empty record, when it fails).
struct ZoneReading {
  TimeZoneRecord record;
  std::uint32_t status = 0;
};
ZoneReading ReadTimeZone();

// One timer tick's rows: the time (long time format) and the uptime.
void ApplyClock(DateTimeModel& model, const ClockReading& clock);
// The time of day the system started, in the long time format.
std::wstring BootTimeText(const ClockReading& clock);

// Everything a showing fills: the boot time, the date, the zone rows, and
// the tick's rows too, so a showing never waits up to a second for them.
void ApplyShowing(DateTimeModel& model, const ClockReading& clock, const ZoneReading& zone);

}  // namespace corvane::memory_display_time
