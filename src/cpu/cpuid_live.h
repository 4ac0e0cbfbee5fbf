// The processor this program runs on, as a register source.
#pragma once
#include <cstdint>

#include "cpu/cpuid_source.h"

namespace corvane::cpu {

class LiveCpuid final : public CpuidSource {
 public:
  // The flag-register ID test (bit 21 can be toggled). Always false on
  // builds for processors other than x86.
  bool CPUIDAvailable() const override;

  // Four zeros when CPUIDAvailable() is false: executing the instruction on
  // a processor without it would raise an invalid-opcode fault.
  CpuidRegs ExecCPUID(std::uint32_t leaf) override;
};

// The processor's time-stamp counter (RDTSC). Only when HasTimeStampCounter:
// on a processor without it the instruction faults. (Not ReadTimeStampCounter:
// the 64-bit winnt.h takes that name for a macro.)
std::uint64_t ReadCycleCounter();
bool HasTimeStampCounter(CpuidSource& source);

}  // namespace corvane::cpu
