// Numbers as the user reads them, independent of the C library's locale.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// printf's "%<width>.1f" with `decimal` in place of the point (the user's
// decimal separator); nullopt for a value that has no such form.
std::optional<std::wstring> OneDecimal(double value, std::wstring_view decimal, std::size_t width = 0);

// Decimal digits grouped in threes from the right, `separator` between the
// groups ("1234567" and "," give "1,234,567").
std::wstring GroupDigits(std::wstring_view digits, std::wstring_view separator);

}  // namespace corvane::platform
