// The user's number, date and time formatting, read from the locale.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace corvane::platform {

// The user's decimal separator; "." when the locale cannot say.
std::wstring ReadDecimalSeparator();
// The user's digit-grouping symbol ("," when the locale gives none).
std::wstring ReadThousandsSeparator();

// The user's date separator ("/" when the locale gives none) and time
// separator (":" when it gives none), for dates written with a fixed pattern.
std::wstring ReadDateSeparator();
std::wstring ReadTimeSeparator();

// The user's long month names, January first; a name the locale cannot
// give is its English name.
std::array<std::wstring, 12> ReadLongMonthNames();

// A time of day in the user's long time format ("14:05:09", "2:05:09 PM");
// the date part is not used. Empty when the time cannot be formatted.
std::wstring LongTimeText(const SYSTEMTIME& time);
// A date in the user's short date format; the time part is not used. Empty
// when the date cannot be formatted.
std::wstring ShortDateText(const SYSTEMTIME& date);

// The user locale's case-aware comparison, as lstrcmpW answers: below, at or
// above zero. Lists sorted by it come out in the order the user expects
// ("apple" before "Banana", accents beside their letters).
int CompareUserLocale(std::wstring_view a, std::wstring_view b);

}  // namespace corvane::platform
