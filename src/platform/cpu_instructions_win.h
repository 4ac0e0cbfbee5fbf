// The processor's own identification and time-stamp instructions, as raw
// registers. Nothing here decodes: callers (the summary's brand and clock,
// a fuller CPU identification) interpret what comes back.
#pragma once
#include <cstdint>

namespace corvane::platform {

struct CpuidRegisters {
  std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

// True when bit 21 (ID) of the flag register can be toggled, which is how a
// processor says it has the identification instruction.
bool CpuidAvailable() noexcept;

// Runs CPUID for `leaf` (and `subleaf` in ECX). Only when CpuidAvailable().
CpuidRegisters ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf = 0) noexcept;

// RDTSC. Only when leaf 1 reports the time-stamp counter (EDX bit 4).
std::uint64_t ReadTimeStampCounter() noexcept;

}  // namespace corvane::platform
