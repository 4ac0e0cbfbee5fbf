// The sound window's Win32 side: the multimedia and shell calls behind
// SoundSystem, and the system's sound event names from the registry.
#pragma once
#include <string>
#include <vector>

#include "inventory/sound_system.h"

namespace corvane::inventory {

class SystemSound : public SoundSystem {
 public:
  unsigned WaveOutCount() override;
  std::optional<WaveOutDevice> WaveOut(unsigned device) override;
  unsigned MixerCount() override;
  bool BeeperOn() override;
  void DefaultBeep() override;
  void PlayFile(const std::wstring& path) override;
  void PlayEvent(const std::wstring& name) override;
  void Tone(std::uint32_t frequency, std::uint32_t duration_ms) override;
  void Run(const char* command_line) override;
};

// The subkey names of HKEY_CURRENT_USER\AppEvents\EventLabels in the
// registry's order; empty when the key does not open.
std::vector<std::wstring> ReadSoundEventNames();

}  // namespace corvane::inventory
