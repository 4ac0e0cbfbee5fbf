#include "platform/number_text.h"

#include <charconv>
#include <system_error>

namespace corvane::platform {

std::optional<std::wstring> OneDecimal(double value, std::wstring_view decimal, std::size_t width) {
  // to_chars formats as the "C" locale would, whatever the process locale is.
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 1);
  if (ec != std::errc()) return std::nullopt;
  std::wstring out;
  for (const char* p = buf; p != end; ++p) {
    if (*p == '.') {
      out += decimal;
    } else {
      out += static_cast<wchar_t>(*p);
    }
  }
  if (out.size() < width) out.insert(0, width - out.size(), L' ');
  return out;
}

std::wstring GroupDigits(std::wstring_view digits, std::wstring_view separator) {
  std::wstring out;
  out.reserve(digits.size() + digits.size() / 3 * separator.size());
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace corvane::platform
