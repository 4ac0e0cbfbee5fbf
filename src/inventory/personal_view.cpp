#include "inventory/personal_view.h"

#include "ui/report_section_build.h"

#include <array>

namespace corvane::inventory {
namespace {

struct CivilDate {
  long long year;
  unsigned month, day;
};

// The calendar date of a day count from 1 January 1970 (proleptic Gregorian).
CivilDate DateOfDay(long long days) {
  days += 719468;  // from 1 March of year 0
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto day_of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned mp = (5 * day_of_year + 2) / 153;
  const unsigned day = day_of_year - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = static_cast<long long>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

std::wstring Digits(long long value, int width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < static_cast<std::size_t>(width)) text.insert(0, static_cast<std::size_t>(width) - text.size(), L'0');
  return text;
}

bool IsBlank(wchar_t c) { return c <= L' '; }

}  // namespace

bool IsRepaintedRow(PersonalRow row) {
  switch (row) {
    case PersonalRow::kRegisteredOwner:
    case PersonalRow::kRegisteredOrganization:
    case PersonalRow::kInstallationType:
    case PersonalRow::kCurrentBuildNumber:
    case PersonalRow::kProductId:
    case PersonalRow::kHdSerial:
    case PersonalRow::kDefaultPrinter:
      return true;
    default:
      return false;
  }
}

std::wstring InstallDateText(std::uint32_t seconds, std::wstring_view date_separator,
                             std::wstring_view time_separator) {
  const CivilDate date = DateOfDay(seconds / 86400);
  const std::uint32_t time = seconds % 86400;
  std::wstring text;
  text += Digits(date.month, 2);
  text += date_separator;
  text += Digits(date.day, 2);
  text += date_separator;
  text += Digits(date.year, 4);
  text += L' ';
  text += Digits(time / 3600, 2);
  text += time_separator;
  text += Digits(time / 60 % 60, 2);
  text += time_separator;
  text += Digits(time % 60, 2);
  return text;
}

std::wstring TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::wstring(text);
}

std::wstring DecodeProductKey(std::span<const std::byte> digital_product_id) {
  if (digital_product_id.size() <= kProductKeyFlagByte) return {};
  std::array<unsigned, kProductKeyBytes> number{};  // little-endian, one byte a place
  for (std::size_t i = 0; i < kProductKeyBytes; ++i) {
    number[i] = std::to_integer<unsigned>(digital_product_id[kProductKeyOffset + i]);
  }
  // The flag lies above the largest 25-digit number (24^25 < 2^115), so
  // clearing it leaves the key itself untouched.
  const bool marks_n = ((number.back() >> 3) & 1) != 0;
  number.back() &= ~0x08u;

  constexpr std::size_t kDigits = 25;
  std::wstring key(kDigits, L' ');
  unsigned last = 0;
  for (std::size_t place = kDigits; place-- > 0;) {
    unsigned remainder = 0;
    for (std::size_t j = kProductKeyBytes; j-- > 0;) {
      const unsigned current = remainder * 256 + number[j];
      number[j] = current / 24;
      remainder = current % 24;
    }
    key[place] = kProductKeyDigits[remainder];
    last = remainder;
  }
  if (marks_n) {
    // The first digit is no part of the key: it tells how many of the
    // remaining 24 characters come before the "N" (a digit is at most 23).
    key = key.substr(1, last) + L'N' + key.substr(1 + last);
  }
  std::wstring grouped;
  for (std::size_t i = 0; i < kDigits; ++i) {
    if (i > 0 && i % 5 == 0) grouped += L'-';
    grouped += key[i];
  }
  return grouped;
}

ui::ReportSection PersonalSection(const PersonalModel& model) {
  return {L"TfrmPersonal", kPersonalCaption, ui::SheetSectionRows<PersonalModel>(kPersonalFields, model), {}, {}};
}

}  // namespace corvane::inventory
