// The text a caught failure shows the user.
#pragma once
#include <exception>
#include <string>

namespace corvane::platform {

// A WMI failure's own wide message; any other failure's what() read as
// Latin-1, byte for byte (the program's own messages are ASCII).
std::wstring FailureText(const std::exception& e);

}  // namespace corvane::platform
