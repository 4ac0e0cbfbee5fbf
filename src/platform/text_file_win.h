#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace corvane::platform {

// UTF-16 to the system's ANSI code page (characters it lacks become "?").
std::string ToAnsi(std::wstring_view text);
// Text in the system's ANSI code page to UTF-16, as ANSI system calls give it.
std::wstring FromAnsi(std::string_view text);

// Writes the text in the ANSI code page to a temporary file beside the target,
// then puts it in the target's place, so a failed write never leaves a
// half-written file where a good one was. Returns 0 or the Win32 error code.
DWORD ReplaceFileWithAnsiText(const std::wstring& path, std::wstring_view text);
// The same for bytes written as they are (UTF-8 text, say).
DWORD ReplaceFileWithBytes(const std::wstring& path, std::string_view bytes);

// The system's message for a Win32 error code.
std::wstring SystemMessage(DWORD code);

}  // namespace corvane::platform
