#include "cpu/cpuid_dump.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <istream>
#include <ostream>
#include <vector>

#include "cpu/cpuid_decode.h"

namespace corvane::cpu {

std::optional<CpuidRegs> CpuidDump::Find(std::uint32_t leaf) const {
  const auto it = leaves_.find(leaf);
  if (it == leaves_.end()) return std::nullopt;
  return it->second;
}

CpuidRegs CpuidDump::ExecCPUID(std::uint32_t leaf) { return Find(leaf).value_or(CpuidRegs{}); }

DumpFormatError::DumpFormatError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem), line_(line) {}

namespace {

constexpr const char* kFieldNames[] = {"leaf", "eax", "ebx", "ecx", "edx"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::optional<std::uint32_t> ParseHex8(const std::string& text) {
  if (text.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::string Quoted(const std::string& text) {
  // Enough of the offending text to recognise it, printable bytes only.
  std::string q = "\"";
  for (std::size_t i = 0; i < text.size() && i < 24; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    q += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  if (text.size() > 24) q += "...";
  return q + "\"";
}

}  // namespace

CpuidDump ParseCpuidDump(std::istream& in) {
  CpuidDump dump;
  std::map<std::uint32_t, int> first_seen;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.size() != 5) {
      throw DumpFormatError(number, "expected 5 fields (leaf eax ebx ecx edx), found " +
                                        std::to_string(fields.size()));
    }
    std::array<std::uint32_t, 5> v{};
    for (std::size_t i = 0; i < 5; ++i) {
      const auto parsed = ParseHex8(fields[i]);
      if (!parsed) {
        throw DumpFormatError(number, std::string(kFieldNames[i]) + " " + Quoted(fields[i]) +
                                          " is not 8 hexadecimal digits");
      }
      v[i] = *parsed;
    }
    if (const auto [it, inserted] = first_seen.emplace(v[0], number); !inserted) {
      throw DumpFormatError(number, "leaf " + fields[0] + " already given on line " +
                                        std::to_string(it->second));
    }
    dump.Set(v[0], CpuidRegs{v[1], v[2], v[3], v[4]});
  }
  if (in.bad()) throw DumpFormatError(number + 1, "read error");
  return dump;
}

void WriteCpuidDump(const CpuidDump& dump, std::ostream& out) {
  out << "# leaf    eax      ebx      ecx      edx\n";
  char buf[64];
  for (const auto& [leaf, r] : dump.Leaves()) {
    std::snprintf(buf, sizeof buf, "%08x %08x %08x %08x %08x\n", static_cast<unsigned>(leaf),
                  static_cast<unsigned>(r.eax), static_cast<unsigned>(r.ebx), static_cast<unsigned>(r.ecx),
                  static_cast<unsigned>(r.edx));
    out << buf;
  }
}

CpuidDump RecordCpuid(CpuidSource& source) {
  CpuidDump dump;
  if (!source.CPUIDAvailable()) return dump;
  const CpuidRegs leaf0 = source.ExecCPUID(kLeafVendor);
  dump.Set(kLeafVendor, leaf0);
  dump.Set(kLeafSignature, source.ExecCPUID(kLeafSignature));
  if (leaf0.eax >= kLeafCache) dump.Set(kLeafCache, ReadCacheLeaf(source));
  if (leaf0.eax >= kLeafSerial) dump.Set(kLeafSerial, source.ExecCPUID(kLeafSerial));
  const CpuidRegs ext = source.ExecCPUID(kLeafExtendedMax);
  dump.Set(kLeafExtendedMax, ext);
  for (std::uint32_t leaf = kLeafExtendedFeatures; leaf <= kLeafBrandLast; ++leaf) {
    if (!HasExtendedLeaf(source, leaf)) break;
    dump.Set(leaf, source.ExecCPUID(leaf));
  }
  return dump;
}

}  // namespace corvane::cpu
