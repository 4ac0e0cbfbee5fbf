// A sound system for tests: answers as set, and records what it was asked
// to play or run.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "inventory/sound_system.h"

namespace corvane::inventory {

class FakeSoundSystem : public SoundSystem {
 public:
  std::vector<WaveOutDevice> devices;
  unsigned mixers = 0;
  bool beeper = true;

  std::vector<unsigned> asked_devices;
  int default_beeps = 0;
  std::vector<std::wstring> files, events;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> tones;
  std::vector<std::string> runs;

  unsigned WaveOutCount() override { return static_cast<unsigned>(devices.size()); }
  std::optional<WaveOutDevice> WaveOut(unsigned device) override {
    asked_devices.push_back(device);
    if (device >= devices.size()) return std::nullopt;
    return devices[device];
  }
  unsigned MixerCount() override { return mixers; }
  bool BeeperOn() override { return beeper; }
  void DefaultBeep() override { ++default_beeps; }
  void PlayFile(const std::wstring& path) override { files.push_back(path); }
  void PlayEvent(const std::wstring& name) override { events.push_back(name); }
  void Tone(std::uint32_t frequency, std::uint32_t duration_ms) override { tones.emplace_back(frequency, duration_ms); }
  void Run(const char* command_line) override { runs.emplace_back(command_line); }
};

}  // namespace corvane::inventory
