#include "memory_display_time/display_text.h"

#include <algorithm>
#include <array>

namespace corvane::memory_display_time {
namespace {

// Indexed by the capability's value.
constexpr std::array<std::wstring_view, 7> kTechnologies = {
    L"Vector Plotter", L"Raster Display", L"Raster Printer", L"Raster Camera",
    L"Character Stream", L"Metafile", L"Display File",
};

wchar_t Lower(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<wchar_t>(c + 0x20);
  return c;
}

wchar_t Upper(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<wchar_t>(c - 0x20);
  return c;
}

bool SameLetter(wchar_t a, wchar_t b) { return Lower(a) == Lower(b); }

}  // namespace

std::wstring_view TechnologyText(int technology) {
  if (technology < 0 || static_cast<std::size_t>(technology) >= kTechnologies.size()) return {};
  return kTechnologies[static_cast<std::size_t>(technology)];
}

std::wstring MetricsText(int width, int height, int bits_per_pixel) {
  return std::to_wstring(width) + L" x " + std::to_wstring(height) + L" - " + std::to_wstring(bits_per_pixel) +
         L" bit";
}

std::wstring DpiText(int pixels_per_inch) { return std::to_wstring(pixels_per_inch) + L" dpi"; }

std::wstring RefreshRateText(int hertz, bool nt_platform) {
  return nt_platform ? std::to_wstring(hertz) + L" Hz" : std::wstring();
}

std::wstring DriverVersionText(int version, bool nt_platform) {
  return nt_platform ? std::to_wstring(version) : std::wstring();
}

std::wstring MonitorCountText(int count) { return std::to_wstring(static_cast<unsigned>(count) % 256u); }

std::wstring BiosText(std::wstring_view version, std::wstring_view date) {
  return std::wstring(version) + L" (" + std::wstring(date) + L")";
}

std::wstring MonitorNamesText(std::span<const std::optional<std::wstring>> monitors) {
  std::wstring names;
  for (const auto& monitor : monitors) {
    if (monitor && !Trimmed(*monitor).empty()) names += *monitor + L" | ";
  }
  return names;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::ranges::equal(a, b, SameLetter);
}

std::size_t FindIgnoringCase(std::wstring_view text, std::wstring_view part) {
  // The iterator form: clang 14 cannot instantiate the subrange that the
  // ranges form returns with this standard library.
  const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(), SameLetter);
  return found == text.end() && !part.empty() ? std::wstring_view::npos
                                              : static_cast<std::size_t>(found - text.begin());
}

std::wstring UpperCase(std::wstring_view text) {
  std::wstring upper(text);
  std::ranges::transform(upper, upper.begin(), Upper);
  return upper;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && text.front() <= L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= L' ') text.remove_suffix(1);
  return text;
}

}  // namespace corvane::memory_display_time
