// The hardware side of the 9x family's speaker: port input and output by
// the processor's own instructions, and a wait by the tick count. Only a
// 9x system lets a program do this (ProgramsSpeakerPorts); on the NT family
// the instructions fault, so nothing there reaches this.
#pragma once
#include "inventory/pc_speaker.h"

namespace corvane::inventory {

class HardwareSpeakerPorts : public SpeakerPorts {
 public:
  std::uint8_t In(std::uint16_t port) override;
  void Out(std::uint16_t port, std::uint8_t value) override;
  // Sleeps a millisecond at a time until at least `duration_ms` have passed.
  void Wait(std::uint32_t duration_ms) override;
};

}  // namespace corvane::inventory
