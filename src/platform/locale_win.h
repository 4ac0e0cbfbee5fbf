// The user's number formatting, read from the locale.
#pragma once
#include <string>

namespace corvane::platform {

// The user's decimal separator; "." when the locale cannot say.
std::wstring ReadDecimalSeparator();
// The user's digit-grouping symbol ("," when the locale gives none).
std::wstring ReadThousandsSeparator();

}  // namespace corvane::platform
