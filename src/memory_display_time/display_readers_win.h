// The display window's readings: the screen's device capabilities, the
// display adapters and their first monitors, the monitor count, the
// version record and the registry routes of display_registry.h.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "memory_display_time/display_view.h"

namespace corvane::memory_display_time {

// The eight capabilities of the screen, and the refresh rate and driver
// version of `main_window`'s device context (the screen's without one).
ScreenCaps ReadScreenCaps(HWND main_window);

// The adapters (EnumDisplayDevices without a device name, 0, 1, ... until it
// fails), each with its monitor 0. Adds to `adapters` as it goes, so what was
// listed before a failure stays. None where the system lacks the call.
void ReadDisplayAdapters(std::vector<DisplayAdapter>& adapters);

struct DisplayRefreshReading {
  DisplayReading reading;
  // Why listing the adapters failed, for the error box; the rest was read.
  std::optional<std::wstring> adapter_failure;
};

// Everything one refresh reads.
DisplayRefreshReading ReadDisplay(HWND main_window);

}  // namespace corvane::memory_display_time
