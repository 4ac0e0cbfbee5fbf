// Command and control IDs of the sound window (TfrmSound); the end-to-end
// suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::inventory::sound_ids {

inline constexpr int kFirst = ui::kSoundWindowIds.first;

enum : int {
  // Menu commands
  kCmdExit = kFirst,  // File, Exit (F12)
  // Controls: the sheet and its value cells (each label cell is its value's ID + 50)
  kIdSheet = kFirst + 10,
  kIdSoundCard,     // "Sound card"
  kIdMixerDevices,  // "Mixer Devices"
  kIdVersion,       // "Version"
  kIdSpeakers,      // "Speakers"
  kIdSoundTest = kFirst + 100,  // "Sound Test"
  kIdPlayWav,                   // "Play WAV File"
  kIdTestSpeaker,               // "Test PC Speaker"
  kIdEventList,                 // the system's sound events
  kIdPlay,                      // "Play"
  kIdSettings,                  // "Settings"
  kIdMixerSettings,             // "Mixer settings"
  kIdToneGroup,                 // "Tone"
  kIdFrequencyLabel,            // "Frequency"
  kIdFrequency,                 // in hertz
  kIdDurationLabel,             // "Duration"
  kIdDuration,                  // in milliseconds
  kIdToneTest,                  // "Test"
  kIdLinkLabel,                 // the web address; opens the web page
};

static_assert(ui::AllIn(ui::kSoundWindowIds, {kCmdExit, kIdSpeakers + 50, kIdLinkLabel}));

}  // namespace corvane::inventory::sound_ids
