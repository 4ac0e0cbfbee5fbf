#pragma once
#include <string>
#include <string_view>

namespace corvane::app {

// Collectors build lists as items each followed by " | ". Tidying trims spaces
// and control characters at both ends, drops one trailing "|" and trims again:
// "a | b | " becomes "a | b".
std::wstring TidyList(std::wstring_view text);

// Removes spaces and control characters at both ends.
std::wstring Trim(std::wstring_view text);

}  // namespace corvane::app
