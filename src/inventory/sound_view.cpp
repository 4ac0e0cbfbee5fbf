#include "inventory/sound_view.h"

#include <limits>

#include "ui/report_section_build.h"

namespace corvane::inventory {

SoundReadings TakeSoundReadings(SoundSystem& system) {
  SoundReadings r;
  r.wave_out_count = system.WaveOutCount();
  if (r.wave_out_count != 0) r.first_device = system.WaveOut(0);
  r.mixer_count = system.MixerCount();
  r.beeper_on = system.BeeperOn();
  return r;
}

ui::ReportSection SoundSection(const SoundWindowModel& model) {
  ui::ReportSection section{L"TfrmSound", kSoundCaption, {}, {}, {}};
  section.rows = ui::SheetSectionRows<SoundWindowModel>(kSoundFields, model);
  section.lists.push_back(ui::LinesSection(L"Sound Events", L"Event", model.events));
  return section;
}

std::wstring VersionText(std::uint32_t version) {
  return std::to_wstring((version >> 8) & 0xFF) + L"." + std::to_wstring(version & 0xFF);
}

SoundWindowModel BuildSoundModel(const SoundReadings& readings, std::vector<std::wstring> events) {
  SoundWindowModel m;
  if (readings.wave_out_count == 0) {
    m.sound_card = L"Not detected";
  } else if (readings.first_device) {
    m.sound_card = readings.first_device->product;
    m.version = VersionText(readings.first_device->driver_version);
  }
  m.mixer_devices = std::to_wstring(readings.mixer_count & 0xFF);
  m.speakers = readings.beeper_on ? L"Present" : L"NOT Present";
  m.events = std::move(events);
  return m;
}

std::optional<std::int32_t> ParseInteger(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  unsigned base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  // The magnitude may reach 2^31 for the most negative value.
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    unsigned digit;
    if (c >= L'0' && c <= L'9') {
      digit = static_cast<unsigned>(c - L'0');
    } else if (base == 16 && c >= L'a' && c <= L'f') {
      digit = static_cast<unsigned>(c - L'a' + 10);
    } else if (base == 16 && c >= L'A' && c <= L'F') {
      digit = static_cast<unsigned>(c - L'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value));
}

std::wstring NotAnIntegerMessage(std::wstring_view text) {
  return L"'" + std::wstring(text) + L"' is not a valid integer value";
}

ToneChoice ChooseTone(std::wstring_view frequency, std::wstring_view duration) {
  ToneChoice choice;
  const std::optional<std::int32_t> hz = ParseInteger(frequency);
  if (!hz) {
    choice.message = NotAnIntegerMessage(frequency);
    return choice;
  }
  const std::optional<std::int32_t> ms = ParseInteger(duration);
  if (!ms) {
    choice.message = NotAnIntegerMessage(duration);
    return choice;
  }
  if (*hz >= 0 && *ms >= 0) choice.tone = ToneRequest{static_cast<std::uint32_t>(*hz), static_cast<std::uint32_t>(*ms)};
  return choice;
}

}  // namespace corvane::inventory
