// A recording of the identification registers, one set per leaf, and its
// text form:
//
//   # comment
//   leaf     eax      ebx      ecx      edx
//   00000001 00000683 00000002 00000000 0383fbff
//
// Each line holds five numbers of exactly eight hexadecimal digits (either
// case, no prefix) separated by blanks or tabs. Blank lines and lines whose
// first non-blank character is '#' are ignored; a trailing carriage return is
// tolerated. A leaf given twice is an error. Leaf 2 holds the registers of its
// last execution.
#pragma once
#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "cpu/cpuid_source.h"

namespace corvane::cpu {

class CpuidDump final : public CpuidSource {
 public:
  void Set(std::uint32_t leaf, const CpuidRegs& regs) { leaves_[leaf] = regs; }
  std::optional<CpuidRegs> Find(std::uint32_t leaf) const;
  const std::map<std::uint32_t, CpuidRegs>& Leaves() const { return leaves_; }

  // A recording of a processor with the instruction holds at least leaf 0.
  bool CPUIDAvailable() const override { return !leaves_.empty(); }

  // A leaf absent from the recording reads as four zeros.
  CpuidRegs ExecCPUID(std::uint32_t leaf) override;

 private:
  std::map<std::uint32_t, CpuidRegs> leaves_;
};

// Malformed dump text; what() names the line ("line 3: ...").
class DumpFormatError : public std::runtime_error {
 public:
  DumpFormatError(int line, const std::string& problem);
  int line() const { return line_; }

 private:
  int line_;
};

// Throws DumpFormatError.
CpuidDump ParseCpuidDump(std::istream& in);

// One line per leaf in ascending order, lower-case digits, after a comment
// header naming the columns.
void WriteCpuidDump(const CpuidDump& dump, std::ostream& out);

// Executes every leaf the decoder reads, as the decoder reads it: leaves 0
// and 1; leaf 2 (executed as often as its count byte asks) and leaf 3 when
// the highest basic leaf reaches them; leaf 0x80000000, and 0x80000001 to
// 0x80000004 as far as it reports them. Decoding the recording gives what
// decoding the source gives. Empty when the source has no instruction.
CpuidDump RecordCpuid(CpuidSource& source);

}  // namespace corvane::cpu
