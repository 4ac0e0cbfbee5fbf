// Where the identification registers come from. The decoder never executes
// the instruction itself: it asks a source, which is either the processor it
// runs on (LiveCpuid) or a recording of another one (CpuidDump), so every
// decoding path runs the same on a dump file as on the machine.
#pragma once
#include <cstdint>

namespace corvane::cpu {

// The four registers one execution of the identification instruction yields.
struct CpuidRegs {
  std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
  friend bool operator==(const CpuidRegs&, const CpuidRegs&) = default;
};

class CpuidSource {
 public:
  virtual ~CpuidSource() = default;

  // True when the processor has the identification instruction at all.
  virtual bool CPUIDAvailable() const = 0;

  // Executes one leaf (EAX input; the ECX input is left at zero). A source
  // without the instruction answers four zeros rather than faulting.
  virtual CpuidRegs ExecCPUID(std::uint32_t leaf) = 0;

 protected:
  CpuidSource() = default;
  CpuidSource(const CpuidSource&) = default;
  CpuidSource& operator=(const CpuidSource&) = default;
};

}  // namespace corvane::cpu
