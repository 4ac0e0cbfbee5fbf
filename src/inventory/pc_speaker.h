// The three-tone test of the PC speaker, and the two ways a tone is made:
// through the system's beep on the NT family, and on the 9x family (where a
// program may reach the hardware) by programming the interval timer's
// channel 2 and the system control port directly. The port programming is
// pure over SpeakerPorts; its Win32 part (speaker_ports_win.h) only moves
// the bytes and waits.
#pragma once
#include <cstdint>
#include <optional>

#include "inventory/sound_system.h"
#include "platform/os_version.h"

namespace corvane::inventory {

class Speaker {
 public:
  virtual ~Speaker() = default;
  // Sounds `frequency` hertz and returns after `duration_ms`.
  virtual void Tone(std::uint32_t frequency, std::uint32_t duration_ms) = 0;
  virtual void Off() = 0;
};

// 500, 700 and 900 Hz for a second each, then the speaker off.
void TestPcSpeaker(Speaker& speaker);

// Whether tones are made by port programming: the 9x family only.
bool ProgramsSpeakerPorts(const platform::VersionRecord& version);

// The NT family's speaker: the system's beep; switching off does nothing.
class BeepSpeaker : public Speaker {
 public:
  explicit BeepSpeaker(SoundSystem& system) : system_(system) {}
  void Tone(std::uint32_t frequency, std::uint32_t duration_ms) override { system_.Tone(frequency, duration_ms); }
  void Off() override {}

 private:
  SoundSystem& system_;
};

// ---- the 9x family: the hardware itself ----------------------------------

inline constexpr std::uint32_t kTimerClock = 1193181;  // the interval timer's input, in hertz
inline constexpr std::uint16_t kTimer2Port = 0x42;
inline constexpr std::uint16_t kTimerControlPort = 0x43;
inline constexpr std::uint16_t kSystemControlPort = 0x61;
// Channel 2, low byte then high byte, mode 3 (square wave), binary counting.
inline constexpr std::uint8_t kTimer2SquareWave = 0xB6;
// The system control port's two low bits: timer 2 gated to the speaker, speaker data on.
inline constexpr std::uint8_t kSpeakerBits = 0x03;

// The timer divisor for a frequency; nullopt below 19 Hz, whose divisor
// would not fit in 16 bits (and for 0, which has none).
std::optional<std::uint16_t> SpeakerDivisor(std::uint32_t frequency);

// Byte-wide port input and output, and a wait that lets the time pass.
class SpeakerPorts {
 public:
  virtual ~SpeakerPorts() = default;
  virtual std::uint8_t In(std::uint16_t port) = 0;
  virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
  virtual void Wait(std::uint32_t duration_ms) = 0;
};

// A tone sets the divisor (enabling the speaker and the square wave only
// when the speaker was off, so a run of tones is one sound whose pitch
// changes) and waits its duration; a frequency without a divisor starts
// nothing but still waits. Off clears the two speaker bits.
class PortSpeaker : public Speaker {
 public:
  explicit PortSpeaker(SpeakerPorts& ports) : ports_(ports) {}
  void Tone(std::uint32_t frequency, std::uint32_t duration_ms) override;
  void Off() override;

 private:
  SpeakerPorts& ports_;
};

}  // namespace corvane::inventory
