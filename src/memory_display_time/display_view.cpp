#include "memory_display_time/display_view.h"

#include <algorithm>

#include "memory_display_time/display_text.h"
#include "ui/report_section_build.h"

namespace corvane::memory_display_time {
namespace {

using namespace display_ids;

// Entry `k` of a list; empty when it has none.
std::wstring At(const std::vector<std::wstring>& list, int k) {
  return k >= 0 && static_cast<std::size_t>(k) < list.size() ? list[static_cast<std::size_t>(k)] : std::wstring();
}

}  // namespace

std::array<bool, 5> StateFlagChecks(std::uint32_t state_flags) {
  std::array<bool, 5> checks{};
  for (std::size_t i = 0; i < checks.size(); ++i) checks[i] = (state_flags & kStateFlagBits[i]) != 0;
  return checks;
}

DisplayWindowModel BuildDisplayModel(DisplayReading reading) {
  DisplayWindowModel m;
  m.adapters = std::move(reading.adapters);
  for (const DisplayAdapter& adapter : m.adapters) {
    m.adapter_names.push_back(adapter.device_name);
    m.entries.push_back(adapter.device_string);
  }
  m.entries.insert(m.entries.end(), reading.driver_descriptions.begin(), reading.driver_descriptions.end());
  m.chips = std::move(reading.video.chips);
  m.dacs = std::move(reading.video.dacs);
  m.memories = std::move(reading.video.memories);

  const ScreenCaps& caps = reading.caps;
  m.bios = BiosText(reading.bios.version, reading.bios.date);
  m.technology = TechnologyText(caps.technology);
  m.metrics = MetricsText(caps.width, caps.height, caps.bits_per_pixel);
  m.font_resolution = DpiText(caps.logical_pixels_y);
  m.pixel_width = std::to_wstring(caps.aspect_x);
  m.pixel_height = std::to_wstring(caps.aspect_y);
  m.pixel_diagonal = std::to_wstring(caps.aspect_xy);
  m.monitor_frequency = RefreshRateText(caps.refresh_rate, reading.nt_platform);
  m.monitor_count = MonitorCountText(reading.monitor_count);
  std::vector<std::optional<std::wstring>> monitors;
  for (const DisplayAdapter& adapter : m.adapters) monitors.push_back(adapter.monitor);
  m.monitors = MonitorNamesText(monitors);
  m.driver_version = DriverVersionText(caps.driver_version, reading.nt_platform);

  SelectEntry(m, m.entries.empty() ? -1 : 0);
  return m;
}

void SelectEntry(DisplayWindowModel& m, int k) {
  m.selected = k >= 0 && static_cast<std::size_t>(k) < m.entries.size() ? k : -1;
  m.chipset = At(m.chips, k);
  m.dac = At(m.dacs, k);
  const std::wstring memory = At(m.memories, k);
  m.memory = memory.empty() ? std::wstring() : memory + L" bytes";
  m.device = At(m.adapter_names, k);
  m.state_flags = {};
  const std::wstring name = At(m.adapter_names, k);
  if (name.empty()) return;
  const auto adapter =
      std::ranges::find_if(m.adapters, [&](const DisplayAdapter& a) { return a.device_name == name; });
  if (adapter != m.adapters.end()) m.state_flags = StateFlagChecks(adapter->state_flags);
}

const std::array<ui::SheetField<DisplayWindowModel>, 16> kDisplayFields{{
    {L"Adapters", L"Adapters", kIdAdapters, nullptr},
    {L"Device", L"info16", kIdDevice, [](const DisplayWindowModel& m) { return m.device; }},
    {L"Chipset", L"Info3", kIdChipset, [](const DisplayWindowModel& m) { return m.chipset; }},
    {L"DAC", L"Info4", kIdDac, [](const DisplayWindowModel& m) { return m.dac; }},
    {L"Memory", L"Info5", kIdMemory, [](const DisplayWindowModel& m) { return m.memory; }},
    {L"BIOS", L"Info6", kIdBios, [](const DisplayWindowModel& m) { return m.bios; }},
    {L"Technology", L"Info7", kIdTechnology, [](const DisplayWindowModel& m) { return m.technology; }},
    {L"Metrics", L"Info8", kIdMetrics, [](const DisplayWindowModel& m) { return m.metrics; }},
    {L"Font Resolution", L"Info9", kIdFontResolution, [](const DisplayWindowModel& m) { return m.font_resolution; }},
    {L"Pixel Width", L"Info10", kIdPixelWidth, [](const DisplayWindowModel& m) { return m.pixel_width; }},
    {L"Pixel Height", L"Info11", kIdPixelHeight, [](const DisplayWindowModel& m) { return m.pixel_height; }},
    {L"Pixel Diagonal", L"Info12", kIdPixelDiagonal, [](const DisplayWindowModel& m) { return m.pixel_diagonal; }},
    {L"Monitor frequency", L"info13", kIdMonitorFrequency,
     [](const DisplayWindowModel& m) { return m.monitor_frequency; }},
    {L"Number of Monitors", L"Edit2", kIdMonitorCount, [](const DisplayWindowModel& m) { return m.monitor_count; }},
    {L"Monitor(s)", L"Info17", kIdMonitors, [](const DisplayWindowModel& m) { return m.monitors; }},
    {L"Driver Version", L"Info15", kIdDriverVersion, [](const DisplayWindowModel& m) { return m.driver_version; }},
}};

namespace {
// Rows 2 to 5: they follow the entry chosen.
constexpr std::wstring_view kEntryRows[] = {L"Device", L"Chipset", L"DAC", L"Memory"};
}  // namespace

ui::ReportSection DisplaySection(const DisplayWindowModel& model) {
  ui::ReportSection section{L"TfrmDisplay", kDisplayCaption, {}, {}, {}};
  const std::span<const ui::SheetField<DisplayWindowModel>> fields(kDisplayFields);
  // The first column names the entry, as the drop-down list does.
  ui::SectionList entries{std::wstring(kDisplayFields[0].label), {std::wstring(kDisplayFields[0].label)}, {}, false};
  for (auto& caption : ui::SheetColumnCaptions(fields, ui::LabelPick::kOnly, kEntryRows)) {
    entries.columns.push_back(std::move(caption));
  }
  entries.columns.emplace_back(kStateFlagsCaption);
  DisplayWindowModel chosen = model;
  for (std::size_t k = 0; k < model.entries.size(); ++k) {
    SelectEntry(chosen, static_cast<int>(k));
    std::vector<std::wstring> row{model.entries[k]};
    for (auto& cell : ui::SheetCellTexts(fields, chosen, ui::LabelPick::kOnly, kEntryRows)) row.push_back(cell);
    row.push_back(ui::CheckedItemsText(kStateFlagTexts, chosen.state_flags));
    entries.rows.push_back(std::move(row));
  }
  section.lists.push_back(std::move(entries));
  const auto captions = ui::SheetColumnCaptions(fields, ui::LabelPick::kAllBut, kEntryRows);
  const auto texts = ui::SheetCellTexts(fields, model, ui::LabelPick::kAllBut, kEntryRows);
  for (std::size_t i = 0; i < captions.size(); ++i) section.rows.push_back({captions[i], texts[i], false});
  return section;
}

}  // namespace corvane::memory_display_time
