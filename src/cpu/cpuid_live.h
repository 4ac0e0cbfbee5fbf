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
// on a processor without it the instruction faults.
std::uint64_t ReadTimeStampCounter();
bool HasTimeStampCounter(CpuidSource& source);

}  // namespace corvane::cpu
