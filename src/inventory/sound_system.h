// What the sound window asks of the system's multimedia and shell: the
// readings it takes when it opens, and the sounds and programs its buttons
// start. The Win32 answers are in sound_readers_win.h; tests give others.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace corvane::inventory {

// The capabilities of one wave-output device.
struct WaveOutDevice {
  std::wstring product;              // its product name, up to the first zero
  std::uint32_t driver_version = 0;  // major in the high byte, minor in the low byte of the low word
  friend bool operator==(const WaveOutDevice&, const WaveOutDevice&) = default;
};

class SoundSystem {
 public:
  virtual ~SoundSystem() = default;

  // --- Readings ---
  virtual unsigned WaveOutCount() = 0;
  // nullopt when the device's capabilities cannot be read.
  virtual std::optional<WaveOutDevice> WaveOut(unsigned device) = 0;
  virtual unsigned MixerCount() = 0;
  // Whether the system's warning beeper is on.
  virtual bool BeeperOn() = 0;

  // --- Sounds and programs; their failures are ignored ---
  // The default beep.
  virtual void DefaultBeep() = 0;
  // Starts playing a sound file and returns at once.
  virtual void PlayFile(const std::wstring& path) = 0;
  // Starts playing the sound of a system event (its alias) and returns at once.
  virtual void PlayEvent(const std::wstring& name) = 0;
  // A tone through the system's beep; returns when it has been played.
  virtual void Tone(std::uint32_t frequency, std::uint32_t duration_ms) = 0;
  // Starts a program from a command line, shown normally.
  virtual void Run(const char* command_line) = 0;
};

}  // namespace corvane::inventory
