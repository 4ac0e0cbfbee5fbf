#include "inventory/speaker_ports_win.h"

#include <windows.h>

namespace corvane::inventory {

std::uint8_t HardwareSpeakerPorts::In(std::uint16_t port) {
  std::uint8_t value;
  __asm__ __volatile__("inb %w1, %b0" : "=a"(value) : "Nd"(port));
  return value;
}

void HardwareSpeakerPorts::Out(std::uint16_t port, std::uint8_t value) {
  __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "Nd"(port));
}

void HardwareSpeakerPorts::Wait(std::uint32_t duration_ms) {
  // Unsigned differences stay right across the tick count's wrap.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < duration_ms) Sleep(1);
}

}  // namespace corvane::inventory
