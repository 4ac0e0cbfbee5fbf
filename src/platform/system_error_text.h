// How a failed system call is worded for the user.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::platform {

// "System Error.  Code: 5." and, on the next line, the system's own text for
// that code. The code is shown as a signed number, as the system's error
// dialogs word it, so an HRESULT comes out negative.
std::wstring SystemErrorText(std::uint32_t code, std::wstring_view system_text);

}  // namespace corvane::platform
