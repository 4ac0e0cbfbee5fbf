// WQL string literals built from text the program did not write itself: a
// drive letter typed by the user, a caption or label a driver reported.
#pragma once
#include <string>
#include <string_view>

namespace corvane::platform {

// `text` as a double-quoted WQL string literal: every backslash and double
// quote inside is escaped with a backslash, so the text can neither end the
// literal early nor leave a stray escape that swallows the closing quote.
std::wstring WqlQuoted(std::wstring_view text);

}  // namespace corvane::platform
