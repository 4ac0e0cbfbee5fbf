#pragma once
#include <windows.h>

#include <string_view>

namespace corvane::ui {

// Prints an image of the window's client area as one page on the
// application's printer, at the page's top left corner and at its on-screen
// size. Throws the printer's failures (no printer among them).
void PrintWindowImage(HWND window, std::wstring_view job_title);

}  // namespace corvane::ui
