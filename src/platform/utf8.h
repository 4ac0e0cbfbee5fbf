// Text leaving the program as UTF-8 (JSON, console output of the decoders).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// UTF-16 (Windows) or UTF-32 (elsewhere) to UTF-8; an unpaired surrogate
// becomes U+FFFD, so the result is always valid UTF-8.
std::string ToUtf8(std::wstring_view text);

// UTF-8 to UTF-16 (Windows) or UTF-32 (elsewhere); nullopt for bytes that
// are not UTF-8 (a stray continuation byte, a sequence cut short, an overlong
// form, an encoded surrogate), so a reader can name the input as malformed.
std::optional<std::wstring> FromUtf8(std::string_view text);

// Cutting UTF-16 text by a count of units may split a surrogate pair, which
// leaves half a character on each side. These count whole characters: a
// high surrogate followed by a low one is one character of two units.
// (Elsewhere the same units may stand in a std::wstring and are treated alike.)
//
// The units of the character starting at `at` (1 or 2; 0 at the end).
std::size_t CharacterUnits(std::wstring_view text, std::size_t at);
// The length of the longest start of `text` of at most `max_units` units that
// ends between characters.
std::size_t WholeCharactersIn(std::wstring_view text, std::size_t max_units);

}  // namespace corvane::platform
