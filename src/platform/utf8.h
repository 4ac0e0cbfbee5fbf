// Text leaving the program as UTF-8 (JSON, console output of the decoders).
#pragma once
#include <string>
#include <string_view>

namespace corvane::platform {

// UTF-16 (Windows) or UTF-32 (elsewhere) to UTF-8; an unpaired surrogate
// becomes U+FFFD, so the result is always valid UTF-8.
std::string ToUtf8(std::wstring_view text);

}  // namespace corvane::platform
