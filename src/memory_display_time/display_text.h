// The display window's texts, worded from plain readings: the screen's
// capabilities, the monitors, the driver version, and the case rules its
// registry searches compare names by.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::memory_display_time {

// The TECHNOLOGY capability of a device: "Vector Plotter" (0) to "Display
// File" (6); empty for any other value.
std::wstring_view TechnologyText(int technology);

// "1024 x 768 - 32 bit".
std::wstring MetricsText(int width, int height, int bits_per_pixel);
// "96 dpi".
std::wstring DpiText(int pixels_per_inch);
// "75 Hz" on the NT platform, where the refresh rate is reported; empty elsewhere.
std::wstring RefreshRateText(int hertz, bool nt_platform);
// The driver version in decimal on the NT platform; empty elsewhere.
std::wstring DriverVersionText(int version, bool nt_platform);
// The monitor count as the system metric gives it, taken modulo 256.
std::wstring MonitorCountText(int count);
// "%s (%s)" of the video BIOS version and date.
std::wstring BiosText(std::wstring_view version, std::wstring_view date);

// What each adapter's first monitor calls itself (nullopt: the adapter has
// none), joined as "name | name | ": a monitor whose name is blank adds nothing.
std::wstring MonitorNamesText(std::span<const std::optional<std::wstring>> monitors);

// Case rules of registry names: ASCII and Latin-1 letters fold, nothing else.
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);
std::size_t FindIgnoringCase(std::wstring_view text, std::wstring_view part);
std::wstring UpperCase(std::wstring_view text);
// Without leading and trailing spaces and control characters.
std::wstring_view Trimmed(std::wstring_view text);

}  // namespace corvane::memory_display_time
