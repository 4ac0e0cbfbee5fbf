// Lists inside one line of text, as the summary and the detail windows show
// them: items each followed by kListSeparator, the last separator tidied
// away where the line is shown.
#pragma once
#include <string>
#include <string_view>

namespace corvane::platform {

inline constexpr std::wstring_view kListSeparator = L" | ";

// Trims spaces and control characters at both ends, drops one trailing "|"
// and trims again: "a | b | " becomes "a | b".
std::wstring TidyList(std::wstring_view text);

// Removes spaces and control characters at both ends.
std::wstring Trim(std::wstring_view text);

}  // namespace corvane::platform
