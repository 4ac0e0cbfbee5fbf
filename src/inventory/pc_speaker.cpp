#include "inventory/pc_speaker.h"

namespace corvane::inventory {

void TestPcSpeaker(Speaker& speaker) {
  for (const std::uint32_t frequency : {500u, 700u, 900u}) speaker.Tone(frequency, 1000);
  speaker.Off();
}

bool ProgramsSpeakerPorts(const platform::VersionRecord& version) {
  return version.platform == platform::kPlatformWindows;
}

std::optional<std::uint16_t> SpeakerDivisor(std::uint32_t frequency) {
  if (frequency < 19) return std::nullopt;
  return static_cast<std::uint16_t>(kTimerClock / frequency);
}

void PortSpeaker::Tone(std::uint32_t frequency, std::uint32_t duration_ms) {
  if (const std::optional<std::uint16_t> divisor = SpeakerDivisor(frequency)) {
    const std::uint8_t control = ports_.In(kSystemControlPort);
    if ((control & kSpeakerBits) == 0) {
      ports_.Out(kSystemControlPort, static_cast<std::uint8_t>(control | kSpeakerBits));
      ports_.Out(kTimerControlPort, kTimer2SquareWave);
    }
    ports_.Out(kTimer2Port, static_cast<std::uint8_t>(*divisor & 0xFF));
    ports_.Out(kTimer2Port, static_cast<std::uint8_t>(*divisor >> 8));
  }
  ports_.Wait(duration_ms);
}

void PortSpeaker::Off() {
  const std::uint8_t control = ports_.In(kSystemControlPort);
  ports_.Out(kSystemControlPort, static_cast<std::uint8_t>(control & ~kSpeakerBits));
}

}  // namespace corvane::inventory
