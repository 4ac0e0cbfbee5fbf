// Processor identification from the identification instruction alone: vendor,
// signature, feature flags, cache descriptors, model table, brand and serial
// texts. Everything here is a pure function of what a CpuidSource answers,
// except HasFDIVBug, which divides on the floating-point unit we run on.
// Texts are UTF-16 (the micro sign is U+00B5).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cpuid_source.h"

namespace corvane::cpu {

inline constexpr std::uint32_t kLeafVendor = 0;
inline constexpr std::uint32_t kLeafSignature = 1;
inline constexpr std::uint32_t kLeafCache = 2;
inline constexpr std::uint32_t kLeafSerial = 3;
inline constexpr std::uint32_t kLeafExtendedMax = 0x80000000;
inline constexpr std::uint32_t kLeafExtendedFeatures = 0x80000001;
inline constexpr std::uint32_t kLeafBrandFirst = 0x80000002;
inline constexpr std::uint32_t kLeafBrandLast = 0x80000004;

// ---- Vendor ---------------------------------------------------------------

struct VendorEntry {
  std::wstring_view id;    // identification text of leaf 0
  std::wstring_view name;  // shown name
};
// Position + 1 is the vendor index; index 0 means "not in the table".
extern const std::array<VendorEntry, 7> kVendors;

// The four bytes of a register, lowest first, each as one character; a zero
// byte stays a character of code 0.
std::wstring RegToChars(std::uint32_t value);

// Twelve characters: EBX, EDX, ECX of leaf 0.
std::wstring VendorIdText(const CpuidRegs& leaf0);

// 1..7, or 0 when the text is not in the table. Blanks and zero characters at
// the end of the text are not significant (the UMC parts pad to twelve).
int VendorIndex(std::wstring_view id_text);

// Empty for index 0 or out of range.
std::wstring VendorName(int vendor_index);

// ---- Signature ------------------------------------------------------------

struct Signature {
  int stepping = 0;        // EAX bits 0-3
  int model = 0;           // EAX bits 4-7 (extended model not used)
  int family = 0;          // EAX bits 8-11 (extended family not used)
  int processor_type = 0;  // EAX bits 12-13; 1 is an OverDrive part
  int brand_index = 0;     // EBX bits 0-7
  friend bool operator==(const Signature&, const Signature&) = default;
};

Signature DecodeSignature(const CpuidRegs& leaf1);

// ---- Features -------------------------------------------------------------

struct TCPUFeatures {
  bool SEP = false, MTRR = false, MSR = false, PSE = false, TSC = false, MCE = false;
  bool MMX = false, PAT = false, PAE = false, XSR = false, VME = false, PGE = false;
  bool CMOV = false, FPU = false, CX8 = false, SIMD = false, MCA = false, APIC = false;
  bool DE = false, PSE36 = false, SERIAL = false, _3DNOW = false, EX_3DNOW = false, EX_MMX = false;
  friend bool operator==(const TCPUFeatures&, const TCPUFeatures&) = default;
};

// From EDX of leaf 1 and EDX of leaf 0x80000001.
TCPUFeatures DecodeFeatures(std::uint32_t leaf1_edx, std::uint32_t extended_edx);

// Leaf 1, and leaf 0x80000001 only when the processor reports it: on parts
// without extended leaves that leaf answers with the highest basic leaf
// (on a Pentium III the serial-number words), which are no feature bits.
TCPUFeatures GetCPUFeatures(CpuidSource& source);

// The 24 "label: Yes|No" lines, in the fixed order; the list is cleared first
// when clear_first is set.
void GetFeatureList(const TCPUFeatures& features, bool clear_first, std::vector<std::wstring>& list);

struct FeatureLabel {
  std::wstring_view label;  // ends in ": "
  bool TCPUFeatures::*flag;
};
extern const std::array<FeatureLabel, 24> kFeatureLabels;

// ---- Cache ----------------------------------------------------------------

// Sizes in KB.
struct TCPUCache {
  std::int32_t Level2 = 0, Level1 = 0, L1Data = 0, L1Code = 0;
  friend bool operator==(const TCPUCache&, const TCPUCache&) = default;
};

// The descriptor bytes of one leaf-2 execution. The count byte (low byte of
// EAX) and registers with bit 31 set carry no descriptors and are skipped.
// Later descriptors override earlier ones, except that 0x40 ("no level-2
// cache, or no level-3 cache when a level-2 descriptor is present") does not
// erase a level-2 size already found.
TCPUCache DecodeCacheBytes(const CpuidRegs& leaf2);

// Executes leaf 2 as many times as the count byte of its first execution asks
// and returns the last execution.
CpuidRegs ReadCacheLeaf(CpuidSource& source);

// Decodes ReadCacheLeaf. A processor whose highest basic leaf is below 2 has
// no descriptors (it would answer with leaf 1); the cache then stays zero.
void DecodeCacheDescriptors(CpuidSource& source, TCPUCache& cache);

// ---- Model table ----------------------------------------------------------

struct CPUModel {
  std::wstring name;
  std::wstring code_name;
  std::int32_t figure = 0;
  friend bool operator==(const CPUModel&, const CPUModel&) = default;
};

// The model-table entry; empty texts and 0 when no entry matches.
CPUModel GetCPUModel(int vendor_index, int family, int model, int brand_index, int processor_type,
                     std::int32_t level2);

// ---- Texts ----------------------------------------------------------------

// Eight upper-case hexadecimal digits with "-" after the fourth.
std::wstring SplitHex8(std::uint32_t value);

// Six groups of four hexadecimal digits. The first two are EAX of leaf 1.
// When the processor serial number is present and enabled (SERIAL flag,
// highest basic leaf 3 or more) the other four are its low 64 bits, EDX then
// ECX of leaf 3; otherwise EDX then ECX of leaf 1 stand in.
std::wstring GetCPUSerial(CpuidSource& source);

// The 48 brand bytes of leaves 0x80000002..4 up to the first zero byte,
// untrimmed; empty when the instruction or the brand leaves are missing.
// Bytes are read as ISO 8859-1.
std::wstring GetCPUBrand(CpuidSource& source);

// True when the highest extended leaf is reported and reaches `leaf`.
bool HasExtendedLeaf(CpuidSource& source, std::uint32_t leaf);

// Runs the division test on this machine's floating-point unit.
bool HasFDIVBug();

// ---- Everything at once ---------------------------------------------------

// The identification the CPU window shows, read from one source.
struct CpuIdentity {
  std::wstring vendor_id;  // twelve characters of leaf 0, zero characters kept
  int vendor_index = 0;
  std::wstring vendor_name;
  Signature signature;
  TCPUFeatures features;
  TCPUCache cache;
  CPUModel model;
  std::wstring brand;   // untrimmed
  std::wstring serial;
  friend bool operator==(const CpuIdentity&, const CpuIdentity&) = default;
};

CpuIdentity IdentifyCpu(CpuidSource& source);

}  // namespace corvane::cpu
