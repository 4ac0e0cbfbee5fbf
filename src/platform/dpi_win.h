// The resolution a window is drawn at, and the system calls that depend on
// it. Every call newer than Windows XP is looked up at run time, so the
// program still starts where it is missing and falls back to the screen's
// single resolution.
#pragma once
#include <windows.h>

namespace corvane::platform {

// The screen's resolution (LOGPIXELSY of the screen), read once: what a
// system-aware process is drawn at everywhere.
int ScreenDpi();

// The resolution `window` is drawn at: GetDpiForWindow where user32 has it,
// else the screen's. A null window gives the screen's.
int WindowDpi(HWND window);

// AdjustWindowRectEx at `dpi` (AdjustWindowRectExForDpi where user32 has it).
bool AdjustWindowRectForDpi(RECT* rect, DWORD style, bool menu, DWORD ex_style, int dpi);

// Asks the system to scale a top-level window's frame, caption and menu bar
// with its monitor (only needed before the per-monitor v2 mode; harmless
// elsewhere). Call it from WM_NCCREATE.
void EnableFrameScaling(HWND window);

// Makes the process DPI aware where the manifest was not read (a program
// started without it): per-monitor v2, else per-monitor, else system-aware.
// Does nothing where the system has none of these calls.
void DeclareDpiAwareness();

// The message a per-monitor-aware window gets when it moves to a monitor of
// another resolution (wParam: the new DPI in both words; lParam: the
// suggested window rectangle).
inline constexpr UINT kDpiChangedMessage = 0x02E0;

}  // namespace corvane::platform
