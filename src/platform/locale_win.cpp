#include "platform/locale_win.h"

#include <windows.h>

#include <iterator>

namespace corvane::platform {

std::wstring ReadDecimalSeparator() {
  wchar_t sep[8] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, static_cast<int>(std::size(sep)));
  if (n <= 1) return L".";
  return std::wstring(sep, static_cast<std::size_t>(n - 1));
}

std::wstring ReadThousandsSeparator() {
  wchar_t sep[8] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, static_cast<int>(std::size(sep)));
  if (n <= 1) return L",";
  return std::wstring(sep, static_cast<std::size_t>(n - 1));
}

}  // namespace corvane::platform
