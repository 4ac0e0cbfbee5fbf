// The display window's model: the lists a refresh fills, the rows they are
// shown in, and the adapter update that shows one entry of the drop-down
// list. Built from plain readings (display_readers_win.h gathers them), so
// everything the window shows is decided here and tested natively.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory_display_time/display_registry.h"
#include "memory_display_time/display_window_ids.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::memory_display_time {

inline constexpr wchar_t kDisplayCaption[] = L"Display";
inline constexpr wchar_t kStateFlagsCaption[] = L"State Flags";

// One display adapter as EnumDisplayDevices lists it, with its first monitor.
struct DisplayAdapter {
  std::wstring device_name;    // DeviceName, "\\.\DISPLAY1"
  std::wstring device_string;  // DeviceString, what the adapter calls itself
  std::uint32_t state_flags = 0;
  std::optional<std::wstring> monitor;  // monitor 0's DeviceString; nullopt when the query failed
};

// The eight capabilities of the screen and the two of the main window's
// device context.
struct ScreenCaps {
  int logical_pixels_y = 0;  // LOGPIXELSY
  int width = 0;             // HORZRES
  int height = 0;            // VERTRES
  int bits_per_pixel = 0;    // BITSPIXEL
  int technology = 0;        // TECHNOLOGY
  int aspect_x = 0, aspect_y = 0, aspect_xy = 0;
  int refresh_rate = 0;    // VREFRESH
  int driver_version = 0;  // DRIVERVERSION
};

// Everything one refresh reads.
struct DisplayReading {
  bool nt_platform = false;  // VER_PLATFORM_WIN32_NT, any version
  ScreenCaps caps;
  int monitor_count = 0;  // SM_CMONITORS as the system gives it
  std::vector<DisplayAdapter> adapters;
  std::vector<std::wstring> driver_descriptions;  // DriverDesc of the display class's drivers
  VideoLists video;
  VideoBios bios;
};

// The state flags shown, in item order, and the bit each stands for.
inline constexpr std::array<std::wstring_view, 5> kStateFlagTexts = {
    L"Display Device Attached To Desktop", L"Display Device Multi Driver", L"Display Device Primary Device",
    L"Display Device Mirroring Driver",    L"Display Device VGA",
};
inline constexpr std::array<std::uint32_t, 5> kStateFlagBits = {1, 2, 4, 8, 16};
std::array<bool, 5> StateFlagChecks(std::uint32_t state_flags);

struct DisplayWindowModel {
  // The lists of the last refresh.
  std::vector<DisplayAdapter> adapters;
  std::vector<std::wstring> adapter_names;  // DeviceName of each adapter
  std::vector<std::wstring> entries;        // the drop-down list: adapters, then driver descriptions
  std::vector<std::wstring> chips, dacs, memories;
  // The chosen entry of the drop-down list; -1 when it is empty.
  int selected = -1;

  // Rows 2 to 5 and the state flags follow the chosen entry.
  std::wstring device, chipset, dac, memory;
  std::array<bool, 5> state_flags{};
  // Rows 6 to 16.
  std::wstring bios, technology, metrics, font_resolution, pixel_width, pixel_height, pixel_diagonal,
      monitor_frequency, monitor_count, monitors, driver_version;
};

// The whole model of a refresh, with the first entry of the drop-down list chosen.
DisplayWindowModel BuildDisplayModel(DisplayReading reading);
// The adapter update: rows 2 to 5 from position `k` of their lists and the
// state flags of adapter `k`. A list without an entry `k` leaves its row
// empty (the positions of the lists need not match, and a row must not keep
// what another entry showed); a position past the adapters checks no flag.
void SelectEntry(DisplayWindowModel& model, int k);

// The window's rows, under the headings "Item" and "Details"; the value
// cells are named as listed ("Info3"...), the first row's value is cbDisplay.
extern const std::array<ui::SheetField<DisplayWindowModel>, 16> kDisplayFields;

// The window's report section. The window shows one entry of the drop-down
// list at a time; the report lists every entry with its rows that follow the
// choice (and its state flags), then the rows that do not follow it.
ui::ReportSection DisplaySection(const DisplayWindowModel& model);

}  // namespace corvane::memory_display_time
