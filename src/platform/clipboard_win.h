#pragma once
#include <windows.h>

#include <string_view>

namespace corvane::platform {

// Replaces the clipboard's contents with the text; false when the clipboard
// could not be opened or the text not placed.
bool SetClipboardText(HWND owner, std::wstring_view text);

}  // namespace corvane::platform
