#pragma once
#include <windows.h>

namespace corvane::ui {

// Prints an image of the window's client area as one page on the default
// printer, at the page's top left corner and at its on-screen size. Returns
// 0 or the Win32 error of the step that failed.
DWORD PrintWindowImage(HWND window, const wchar_t* job_title);

}  // namespace corvane::ui
