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

}  // namespace corvane::platform
