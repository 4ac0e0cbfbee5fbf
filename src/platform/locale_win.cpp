#include "platform/locale_win.h"

#include <iterator>

namespace corvane::platform {
namespace {

std::wstring LocaleText(LCTYPE item) {
  wchar_t text[96] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, static_cast<int>(std::size(text)));
  return n > 1 ? std::wstring(text, static_cast<std::size_t>(n - 1)) : std::wstring();
}

// The formatting functions return the length with the terminating zero, 0 on failure.
template <class Format>
std::wstring Formatted(Format format) {
  wchar_t text[128] = {};
  const int n = format(text, static_cast<int>(std::size(text)));
  return n > 1 ? std::wstring(text, static_cast<std::size_t>(n - 1)) : std::wstring();
}

}  // namespace

std::wstring ReadDecimalSeparator() {
  std::wstring sep = LocaleText(LOCALE_SDECIMAL);
  return sep.empty() ? L"." : sep;
}

std::wstring ReadThousandsSeparator() {
  std::wstring sep = LocaleText(LOCALE_STHOUSAND);
  return sep.empty() ? L"," : sep;
}

std::wstring ReadDateSeparator() {
  std::wstring sep = LocaleText(LOCALE_SDATE);
  return sep.empty() ? L"/" : sep;
}

std::wstring ReadTimeSeparator() {
  std::wstring sep = LocaleText(LOCALE_STIME);
  return sep.empty() ? L":" : sep;
}

std::array<std::wstring, 12> ReadLongMonthNames() {
  static constexpr const wchar_t* kEnglish[12] = {L"January", L"February", L"March",     L"April",
                                                  L"May",     L"June",     L"July",      L"August",
                                                  L"September", L"October", L"November", L"December"};
  // LOCALE_SMONTHNAME1..12 are consecutive except for the thirteenth month.
  static constexpr LCTYPE kItems[12] = {LOCALE_SMONTHNAME1, LOCALE_SMONTHNAME2,  LOCALE_SMONTHNAME3,
                                        LOCALE_SMONTHNAME4, LOCALE_SMONTHNAME5,  LOCALE_SMONTHNAME6,
                                        LOCALE_SMONTHNAME7, LOCALE_SMONTHNAME8,  LOCALE_SMONTHNAME9,
                                        LOCALE_SMONTHNAME10, LOCALE_SMONTHNAME11, LOCALE_SMONTHNAME12};
  std::array<std::wstring, 12> names;
  for (std::size_t m = 0; m < names.size(); ++m) {
    names[m] = LocaleText(kItems[m]);
    if (names[m].empty()) names[m] = kEnglish[m];
  }
  return names;
}

std::wstring LongTimeText(const SYSTEMTIME& time) {
  // No format and no flags: the user's long time format.
  return Formatted([&](wchar_t* text, int size) {
    return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, size);
  });
}

std::wstring ShortDateText(const SYSTEMTIME& date) {
  return Formatted([&](wchar_t* text, int size) {
    return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, size);
  });
}

int CompareUserLocale(std::wstring_view a, std::wstring_view b) {
  // lstrcmpW compares in the thread's locale with no flags; with lengths no
  // copy is needed to add the terminating zero.
  const int result = ::CompareStringW(::GetThreadLocale(), 0, a.data(), static_cast<int>(a.size()), b.data(),
                                      static_cast<int>(b.size()));
  return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

}  // namespace corvane::platform
