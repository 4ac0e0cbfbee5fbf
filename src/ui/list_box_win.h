// A list box that shows lines of a model: one call replaces them all.
#pragma once
#include <windows.h>

#include <span>
#include <string>

namespace corvane::ui {

// Empties the list box and adds `lines` in order (an empty line stays an
// empty entry); painted once, at the end.
void ShowLines(HWND list_box, std::span<const std::wstring> lines);

}  // namespace corvane::ui
