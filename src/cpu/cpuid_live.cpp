// The identification instruction of the processor we run on. Compiler
// intrinsics only, so this builds in the native tree as well as for Windows.
#include "cpu/cpuid_live.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#define CORVANE_HAVE_X86_CPUID 1
#endif

namespace corvane::cpu {

#if defined(CORVANE_HAVE_X86_CPUID)

namespace {

constexpr unsigned kIdFlag = 1u << 21;

// The flag-register builtins keep the compiler aware of the stack use of
// pushf/popf (hand-written pushes would trample the x86-64 red zone).
#if defined(__x86_64__)
unsigned long long ReadFlags() { return __builtin_ia32_readeflags_u64(); }
void WriteFlags(unsigned long long flags) { __builtin_ia32_writeeflags_u64(flags); }
#else
unsigned ReadFlags() { return __builtin_ia32_readeflags_u32(); }
void WriteFlags(unsigned flags) { __builtin_ia32_writeeflags_u32(flags); }
#endif

}  // namespace

bool LiveCpuid::CPUIDAvailable() const {
  const auto before = ReadFlags();
  WriteFlags(before ^ kIdFlag);
  const auto after = ReadFlags();
  WriteFlags(before);  // leave the flags as they were found
  return ((before ^ after) & kIdFlag) != 0;
}

CpuidRegs LiveCpuid::ExecCPUID(std::uint32_t leaf) {
  CpuidRegs r;
  if (!CPUIDAvailable()) return r;
  unsigned a = 0, b = 0, c = 0, d = 0;
  __cpuid_count(leaf, 0, a, b, c, d);
  r.eax = a;
  r.ebx = b;
  r.ecx = c;
  r.edx = d;
  return r;
}

std::uint64_t ReadCycleCounter() { return __rdtsc(); }

#else

bool LiveCpuid::CPUIDAvailable() const { return false; }
CpuidRegs LiveCpuid::ExecCPUID(std::uint32_t) { return {}; }
std::uint64_t ReadCycleCounter() { return 0; }

#endif

bool HasTimeStampCounter(CpuidSource& source) {
  constexpr std::uint32_t kTscBit = 1u << 4;
  return source.CPUIDAvailable() && source.ExecCPUID(0).eax >= 1 && (source.ExecCPUID(1).edx & kTscBit) != 0;
}

}  // namespace corvane::cpu
