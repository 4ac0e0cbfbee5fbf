#include "platform/cpu_instructions_win.h"

#include <cpuid.h>
#include <x86intrin.h>

namespace corvane::platform {

bool CpuidAvailable() noexcept {
#if defined(__i386__)
  constexpr std::uint32_t kIdBit = 1u << 21;
  std::uint32_t original = 0, toggled = 0;
  // Flip the ID bit, read the flags back, and put the original flags back.
  asm volatile(
      "pushfl\n\t"
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl %2, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      "popfl\n\t"
      : "=&r"(original), "=&r"(toggled)
      : "i"(kIdBit)
      : "cc");
  return ((original ^ toggled) & kIdBit) != 0;
#else
  return true;  // every x86-64 processor has it
#endif
}

CpuidRegisters ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf) noexcept {
  CpuidRegisters r;
  __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

std::uint64_t ReadTimeStampCounter() noexcept { return __rdtsc(); }

}  // namespace corvane::platform
