// Command and control IDs of the date and time window (TfrmDateTime); the
// end-to-end suite finds the controls by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::memory_display_time::datetime_ids {

inline constexpr int kFirst = ui::kDateTimeWindowIds.first;

enum : int {
  kIdTimer1 = kFirst,  // the one-second timer
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdInfo1,   // "Time"
  kIdInfo2,   // "Date"
  kIdEdit2,   // "Time Zone"
  kIdEdit4,   // "Daylight saving starts"
  kIdEdit6,   // "Daylight saving ends"
  kIdEdit8,   // "Daylight savings name"
  kIdEdit10,  // "Daylight savings bias"
  kIdEdit12,  // "Daylight savings status"
  kIdEdit14,  // "Current bias from local to UTC"
  kIdEdit16,  // "System Up Time"
  kIdEdit18,  // "System Boot Up Time"
  kIdWebAddress = kFirst + 100,  // the product's web address, plain text
};

static_assert(ui::AllIn(ui::kDateTimeWindowIds, {kIdTimer1, kIdEdit18 + 50, kIdWebAddress}));

}  // namespace corvane::memory_display_time::datetime_ids
