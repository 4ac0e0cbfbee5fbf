// Register sets for the decoder tests, built from readable parts.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cpuid_dump.h"

namespace corvane::cpu::fixtures {

// Four characters as a register, first character in the lowest byte.
inline std::uint32_t Chars(std::string_view four) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4 && i < four.size(); ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(four[i])) << (8 * i);
  }
  return v;
}

// Leaf 0 for a twelve-character vendor text (EBX, EDX, ECX order).
inline CpuidRegs VendorLeaf(std::string_view id, std::uint32_t highest_leaf) {
  return {highest_leaf, Chars(id.substr(0, 4)), Chars(id.substr(8, 4)), Chars(id.substr(4, 4))};
}

// A processor as the model table sees it.
struct Machine {
  std::string_view vendor = "GenuineIntel";
  std::uint32_t signature = 0;         // leaf 1 EAX
  std::uint32_t brand_index = 0;       // leaf 1 EBX
  std::uint32_t descriptors = 0;       // leaf 2 EDX; leaf 2 EAX is a count of 1
  std::uint32_t highest_leaf = 2;
};

inline CpuidDump Build(const Machine& m) {
  CpuidDump d;
  d.Set(0, VendorLeaf(m.vendor, m.highest_leaf));
  d.Set(1, {m.signature, m.brand_index, 0, 0});
  d.Set(2, {0x00000001, 0, 0, m.descriptors});
  return d;
}

// A source that answers leaf 2 from a script, one entry per execution (the
// last entry repeats), counts executions, and can deny the instruction.
class ScriptedCpuid final : public CpuidSource {
 public:
  explicit ScriptedCpuid(CpuidDump base, std::vector<CpuidRegs> leaf2 = {}, bool available = true)
      : base_(std::move(base)), leaf2_(std::move(leaf2)), available_(available) {}
  bool CPUIDAvailable() const override { return available_; }
  CpuidRegs ExecCPUID(std::uint32_t leaf) override {
    ++executions_[leaf];
    if (leaf == 2 && !leaf2_.empty()) {
      const std::size_t i = std::min(leaf2_calls_++, leaf2_.size() - 1);
      return leaf2_[i];
    }
    return base_.ExecCPUID(leaf);
  }
  int Executions(std::uint32_t leaf) const {
    const auto it = executions_.find(leaf);
    return it == executions_.end() ? 0 : it->second;
  }

 private:
  CpuidDump base_;
  std::vector<CpuidRegs> leaf2_;
  std::size_t leaf2_calls_ = 0;
  bool available_;
  std::map<std::uint32_t, int> executions_;
};

}  // namespace corvane::cpu::fixtures
