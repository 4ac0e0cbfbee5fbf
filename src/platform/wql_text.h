// WQL string literals built from text the program did not write itself: a
// drive letter typed by the user, a caption or label a driver reported.
#pragma once
#include <string>
#include <string_view>

namespace corvane::platform {

// `text` as one WQL string literal: every backslash inside is escaped with
// a backslash, so none can swallow the closing quote. The literal is
// double-quoted, or single-quoted when the text holds a double quote and no
// single one, so the quote needs no escape (Wine's WQL reads no escaped
// quote); a text with both kinds has its double quotes escaped.
std::wstring WqlQuoted(std::wstring_view text);

}  // namespace corvane::platform
