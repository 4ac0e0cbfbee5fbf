// The sound window's model and what it is made of: the first wave-output
// device, the mixer count, the driver version and the beeper setting as
// texts, the list of system sound events, and the checks of a tone typed
// into the window.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/sound_system.h"
#include "inventory/sound_window_ids.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::inventory {

inline constexpr wchar_t kSoundCaption[] = L"Sound";
inline constexpr wchar_t kSelectAnItem[] = L"Select an item from the list";
inline constexpr wchar_t kWavFilter[] = L"WAV Sound File|*.WAV";
inline constexpr char kSoundSettingsCommand[] = "rundll32.exe shell32.dll, Control_RunDLL Mmsys.cpl";
inline constexpr char kMixerCommand[] = "sndvol32.exe";
inline constexpr wchar_t kDefaultToneText[] = L"1000";

// What the window reads from the system when it opens.
struct SoundReadings {
  unsigned wave_out_count = 0;
  std::optional<WaveOutDevice> first_device;  // device 0, when there is one and it answered
  unsigned mixer_count = 0;
  bool beeper_on = false;
};
// Asks the system in the window's order; device 0 only when there is a device.
SoundReadings TakeSoundReadings(SoundSystem& system);

struct SoundWindowModel {
  std::wstring sound_card;     // "Sound card"
  std::wstring mixer_devices;  // "Mixer Devices"
  std::wstring version;        // "Version"
  std::wstring speakers;       // "Speakers"
  std::vector<std::wstring> events;  // the system's sound event names, in registry order
  friend bool operator==(const SoundWindowModel&, const SoundWindowModel&) = default;
};

// The device's product name, "Not detected" without a device, empty when
// device 0 did not answer; the mixer count's low byte; the driver version
// of device 0 (VersionText), empty without it; "Present" while the beeper
// is on, else "NOT Present".
SoundWindowModel BuildSoundModel(const SoundReadings& readings, std::vector<std::wstring> events);
// The low word of a version as "major.minor": its high byte, then its low byte.
std::wstring VersionText(std::uint32_t version);

// The window's rows, under the headings "Item" and "Details".
inline constexpr ui::SheetField<SoundWindowModel> kSoundFields[] = {
    {L"Sound card", L"SoundCard", sound_ids::kIdSoundCard, [](const SoundWindowModel& m) { return m.sound_card; }},
    {L"Mixer Devices", L"MixerDevices", sound_ids::kIdMixerDevices,
     [](const SoundWindowModel& m) { return m.mixer_devices; }},
    {L"Version", L"Version", sound_ids::kIdVersion, [](const SoundWindowModel& m) { return m.version; }},
    {L"Speakers", L"Speakers", sound_ids::kIdSpeakers, [](const SoundWindowModel& m) { return m.speakers; }},
};

// The window's part of the inventory report: its rows as shown, and the
// sound events as a list of one column.
ui::ReportSection SoundSection(const SoundWindowModel& model);

// A typed integer as the toolkit reads one: leading blanks, an optional
// sign, then decimal digits or "$" and hexadecimal digits, nothing after,
// within 32 bits. nullopt for anything else (an empty text too).
std::optional<std::int32_t> ParseInteger(std::wstring_view text);
// "'<text>' is not a valid integer value"
std::wstring NotAnIntegerMessage(std::wstring_view text);

struct ToneRequest {
  std::uint32_t frequency = 0;  // hertz
  std::uint32_t duration = 0;   // milliseconds
  friend bool operator==(const ToneRequest&, const ToneRequest&) = default;
};
// What the tone fields ask for: a tone, or the message about the first
// field (frequency, then duration) that holds no integer. A negative
// frequency or duration asks for nothing: taken as unsigned it would be a
// beep of some 49 days, holding the window all that time.
struct ToneChoice {
  std::optional<ToneRequest> tone;
  std::wstring message;  // empty unless a field is no integer
};
ToneChoice ChooseTone(std::wstring_view frequency, std::wstring_view duration);

}  // namespace corvane::inventory
