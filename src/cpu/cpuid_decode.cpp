#include "cpu/cpuid_decode.h"

#include <algorithm>
#include <limits>

namespace corvane::cpu {

// ---- Vendor ---------------------------------------------------------------

const std::array<VendorEntry, 7> kVendors = {{
    {L"GenuineIntel", L"Intel Corporation"},
    {L"AuthenticAMD", L"Advanced Micro Devices"},
    {L"CyrixInstead", L"Cyrix Corporation"},
    {L"CentaurHauls", L"IDT/Centaur"},
    {L"NexGenDriven", L"NexGen Inc."},
    {L"UMC UMC UMC", L"United Microelectronics Corp"},
    {L"RiseRiseRise", L"Rise Technology"},
}};

namespace {
enum VendorIndexes : int { kIntel = 1, kAmd, kCyrix, kIdt, kNexGen, kUmc, kRise };
}  // namespace

std::wstring RegToChars(std::uint32_t value) {
  std::wstring s(4, L'\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<wchar_t>((value >> (8 * i)) & 0xFF);
  return s;
}

std::wstring VendorIdText(const CpuidRegs& leaf0) {
  return RegToChars(leaf0.ebx) + RegToChars(leaf0.edx) + RegToChars(leaf0.ecx);
}

int VendorIndex(std::wstring_view id_text) {
  // The UMC parts answer "UMC UMC UMC " (twelve bytes, one trailing blank);
  // the table holds the eleven significant characters.
  const auto end = id_text.find_last_not_of(std::wstring_view(L" \0", 2));
  id_text = id_text.substr(0, end == std::wstring_view::npos ? 0 : end + 1);
  for (std::size_t i = 0; i < kVendors.size(); ++i) {
    if (kVendors[i].id == id_text) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::wstring VendorName(int vendor_index) {
  if (vendor_index < 1 || vendor_index > static_cast<int>(kVendors.size())) return {};
  return std::wstring(kVendors[vendor_index - 1].name);
}

// ---- Signature ------------------------------------------------------------

Signature DecodeSignature(const CpuidRegs& leaf1) {
  Signature s;
  s.stepping = static_cast<int>(leaf1.eax & 0xF);
  s.model = static_cast<int>((leaf1.eax >> 4) & 0xF);
  s.family = static_cast<int>((leaf1.eax >> 8) & 0xF);
  s.processor_type = static_cast<int>((leaf1.eax >> 12) & 0x3);
  s.brand_index = static_cast<int>(leaf1.ebx & 0xFF);
  return s;
}

// ---- Features -------------------------------------------------------------

namespace {

constexpr bool Bit(std::uint32_t value, int bit) { return ((value >> bit) & 1u) != 0; }

bool ExtendedLeafReported(std::uint32_t highest, std::uint32_t leaf) {
  // A processor without extended leaves answers leaf 0x80000000 with its
  // highest basic leaf, whose EAX is far below this range.
  return (highest & 0xFFFF0000u) == kLeafExtendedMax && highest >= leaf;
}

}  // namespace

bool HasExtendedLeaf(CpuidSource& source, std::uint32_t leaf) {
  return ExtendedLeafReported(source.ExecCPUID(kLeafExtendedMax).eax, leaf);
}

TCPUFeatures DecodeFeatures(std::uint32_t edx, std::uint32_t ext) {
  TCPUFeatures f;
  f.FPU = Bit(edx, 0);
  f.VME = Bit(edx, 1);
  f.DE = Bit(edx, 2);
  f.PSE = Bit(edx, 3);
  f.TSC = Bit(edx, 4);
  f.MSR = Bit(edx, 5);
  f.PAE = Bit(edx, 6);
  f.MCE = Bit(edx, 7);
  f.CX8 = Bit(edx, 8);
  f.APIC = Bit(edx, 9);
  f.SEP = Bit(edx, 11);
  f.MTRR = Bit(edx, 12);
  f.PGE = Bit(edx, 13);
  f.MCA = Bit(edx, 14);
  f.CMOV = Bit(edx, 15);
  f.PAT = Bit(edx, 16);
  f.PSE36 = Bit(edx, 17);
  f.SERIAL = Bit(edx, 18);
  f.MMX = Bit(edx, 23);
  f.XSR = Bit(edx, 24);
  f.SIMD = Bit(edx, 25);
  f.EX_MMX = Bit(ext, 22) || Bit(ext, 24);
  f.EX_3DNOW = Bit(ext, 30);
  f._3DNOW = Bit(ext, 31);
  return f;
}

TCPUFeatures GetCPUFeatures(CpuidSource& source) {
  const std::uint32_t edx = source.ExecCPUID(kLeafSignature).edx;
  const std::uint32_t ext =
      HasExtendedLeaf(source, kLeafExtendedFeatures) ? source.ExecCPUID(kLeafExtendedFeatures).edx : 0;
  return DecodeFeatures(edx, ext);
}

const std::array<FeatureLabel, 24> kFeatureLabels = {{
    {L"3D Now! extensions: ", &TCPUFeatures::_3DNOW},
    {L"Enhanced 3D Now! extensions: ", &TCPUFeatures::EX_3DNOW},
    {L"Enhanced MMX extensions: ", &TCPUFeatures::EX_MMX},
    {L"SIMD instructions: ", &TCPUFeatures::SIMD},
    {L"FXSAVE/FXRSTOR instruction: ", &TCPUFeatures::XSR},
    {L"MMX extensions: ", &TCPUFeatures::MMX},
    {L"Serial number: ", &TCPUFeatures::SERIAL},
    {L"36bit Page Size Extension: ", &TCPUFeatures::PSE36},
    {L"Page Attribute Table: ", &TCPUFeatures::PAT},
    {L"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: ", &TCPUFeatures::CMOV},
    {L"Machine Check Architecture: ", &TCPUFeatures::MCA},
    {L"Page Global Extension: ", &TCPUFeatures::PGE},
    {L"Memory Type Range Registers: ", &TCPUFeatures::MTRR},
    {L"SYSENTER/SYSEXIT extension: ", &TCPUFeatures::SEP},
    {L"Processor contains an enabled APIC: ", &TCPUFeatures::APIC},
    {L"CMPXCHG8B instruction: ", &TCPUFeatures::CX8},
    {L"Machine Check Exception: ", &TCPUFeatures::MCE},
    {L"Physical Address Extension: ", &TCPUFeatures::PAE},
    {L"Model Specific Registers: ", &TCPUFeatures::MSR},
    {L"Time Stamp Counter: ", &TCPUFeatures::TSC},
    {L"Page Size Extension: ", &TCPUFeatures::PSE},
    {L"Debugging Extension: ", &TCPUFeatures::DE},
    {L"Virtual Mode Extension: ", &TCPUFeatures::VME},
    {L"Built-In FPU: ", &TCPUFeatures::FPU},
}};

void GetFeatureList(const TCPUFeatures& features, bool clear_first, std::vector<std::wstring>& list) {
  if (clear_first) list.clear();
  for (const auto& row : kFeatureLabels) {
    list.push_back(std::wstring(row.label) + (features.*row.flag ? L"Yes" : L"No"));
  }
}

// ---- Cache ----------------------------------------------------------------

namespace {

struct CacheDescriptor {
  std::uint8_t code;
  std::int32_t TCPUCache::*size;
  std::int32_t kb;
};

// 0x40 is absent on purpose: it means "no level-2 cache" (the starting 0) or,
// after a level-2 descriptor, "no level-3 cache", which must not erase it.
constexpr CacheDescriptor kCacheDescriptors[] = {
    {0x06, &TCPUCache::L1Code, 8},    {0x08, &TCPUCache::L1Code, 16},   {0x0A, &TCPUCache::L1Data, 8},
    {0x0C, &TCPUCache::L1Data, 16},   {0x41, &TCPUCache::Level2, 128},  {0x42, &TCPUCache::Level2, 256},
    {0x43, &TCPUCache::Level2, 512},  {0x44, &TCPUCache::Level2, 1024}, {0x45, &TCPUCache::Level2, 2048},
    {0x80, &TCPUCache::Level1, 16},   {0x82, &TCPUCache::Level2, 256},  {0x83, &TCPUCache::Level2, 512},
    {0x84, &TCPUCache::Level2, 1024}, {0x85, &TCPUCache::Level2, 2048},
};
static_assert(std::ranges::is_sorted(kCacheDescriptors, {}, &CacheDescriptor::code));

const CacheDescriptor* FindCacheDescriptor(std::uint8_t code) {
  const auto it = std::ranges::lower_bound(kCacheDescriptors, code, {}, &CacheDescriptor::code);
  return it != std::end(kCacheDescriptors) && it->code == code ? &*it : nullptr;
}

}  // namespace

TCPUCache DecodeCacheBytes(const CpuidRegs& leaf2) {
  TCPUCache cache;
  const std::uint32_t regs[4] = {leaf2.eax, leaf2.ebx, leaf2.ecx, leaf2.edx};
  for (int r = 0; r < 4; ++r) {
    if (Bit(regs[r], 31)) continue;  // register holds no descriptors
    for (int b = (r == 0 ? 1 : 0); b < 4; ++b) {  // EAX byte 0 is the count
      const auto code = static_cast<std::uint8_t>(regs[r] >> (8 * b));
      if (const CacheDescriptor* d = FindCacheDescriptor(code)) cache.*(d->size) = d->kb;
    }
  }
  return cache;
}

CpuidRegs ReadCacheLeaf(CpuidSource& source) {
  CpuidRegs regs = source.ExecCPUID(kLeafCache);
  const unsigned count = regs.eax & 0xFF;
  for (unsigned i = 1; i < count; ++i) regs = source.ExecCPUID(kLeafCache);
  return regs;
}

void DecodeCacheDescriptors(CpuidSource& source, TCPUCache& cache) {
  cache = TCPUCache{};
  if (source.ExecCPUID(kLeafVendor).eax < kLeafCache) return;
  cache = DecodeCacheBytes(ReadCacheLeaf(source));
}

// ---- Model table ----------------------------------------------------------

namespace {

struct Range {
  std::int32_t lo, hi;
  constexpr bool Holds(std::int32_t v) const { return lo <= v && v <= hi; }
  constexpr bool Covers(Range r) const { return lo <= r.lo && r.hi <= hi; }
};
constexpr Range Is(std::int32_t v) { return {v, v}; }
constexpr Range kAny{0, 15};
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

enum class On : std::uint8_t { Always, Level2, ProcessorType, BrandIndex };

struct When {
  On on = On::Always;
  Range range{0, 0};
};
constexpr When Level2(std::int32_t lo, std::int32_t hi) { return {On::Level2, {lo, hi}}; }
constexpr When Type(std::int32_t t) { return {On::ProcessorType, Is(t)}; }
constexpr When Brand(std::int32_t b) { return {On::BrandIndex, Is(b)}; }

struct ModelRow {
  int vendor;
  Range family;
  Range model;
  When when;
  std::wstring_view name;
  std::wstring_view code_name;
  std::int32_t figure;
};

// Searched in order; the first row that matches wins, so a conditional row
// precedes the rows that catch the remaining cases of its family and model.
// Family and model combinations no row covers have no entry.
constexpr ModelRow kModelTable[] = {
    {kIntel, {0, 3}, kAny, {}, L"INTEL", L"", 0},
    {kIntel, Is(4), {0, 1}, {}, L"i80486DX", L"P4", 1250000},
    {kIntel, Is(4), Is(2), {}, L"i80486SX", L"P23", 900000},
    {kIntel, Is(4), Is(3), {}, L"i80486DX2", L"P24", 1250000},
    {kIntel, Is(4), Is(4), {}, L"i80486SL", L"P23", 900000},
    {kIntel, Is(4), Is(5), {}, L"i80486SX2", L"P23", 900000},
    {kIntel, Is(4), Is(7), {}, L"i80486DX2WB", L"P24", 1250000},
    {kIntel, Is(4), Is(8), {}, L"i80486DX4", L"P24C", 1600000},
    {kIntel, Is(4), Is(9), {}, L"i80486DX4WB", L"P24C", 1600000},
    {kIntel, Is(5), Is(0), {}, L"Pentium", L"P5 (0,80\u00B5m)", 3100000},
    {kIntel, Is(5), {1, 2}, {}, L"Pentium", L"P54C (0,50\u00B5m)", 3100000},
    {kIntel, Is(5), Is(3), {}, L"Pentium", L"P24T", 0},
    {kIntel, Is(5), Is(4), {}, L"Pentium MMX", L"P55C (0,28\u00B5m)", 4500000},
    {kIntel, Is(5), Is(5), {}, L"DX4", L"", 0},
    {kIntel, Is(5), Is(6), {}, L"Pentium", L"P5", 0},
    {kIntel, Is(5), Is(7), {}, L"Pentium", L"P54C (0,35\u00B5m)", 3100000},
    {kIntel, Is(5), Is(8), {}, L"Pentium MMX (mobile)", L"Tillamook (0,25\u00B5m)", 4500000},
    {kIntel, Is(5), {9, 15}, {}, L"Pentium", L"", 0},
    {kIntel, Is(6), Is(0), {}, L"Pentium Pro", L"P6 (0.50 \u00B5m)", 5500000},
    {kIntel, Is(6), Is(1), {}, L"Pentium Pro", L"P6 (0.35 \u00B5m)", 5500000},
    {kIntel, Is(6), Is(2), {}, L"Pentium II", L"", 0},
    {kIntel, Is(6), Is(3), Type(1), L"Pentium II OverDrive", L"Klamath (0.35 \u00B5m)", 7500000},
    {kIntel, Is(6), Is(3), {}, L"Pentium II", L"Klamath (0.35 \u00B5m)", 7500000},
    {kIntel, Is(6), Is(4), {}, L"Pentium II", L"P55CT (P54 OverDrive)", 3100000},
    {kIntel, Is(6), Is(5), Level2(kMin, 0), L"Celeron", L"Covington (0,25\u00B5m)", 7500000},
    {kIntel, Is(6), Is(5), Level2(1, 512), L"Pentium II", L"Deschutes (0,25\u00B5m)", 7500000},
    {kIntel, Is(6), Is(5), Level2(513, kMax), L"Pentium II Xeon", L"Deschutes (0.25 \u00B5m)", 7500000},
    {kIntel, Is(6), Is(6), Level2(kMin, 255), L"Celeron A", L"Mendocino (0.25 \u00B5m)", 19000000},
    {kIntel, Is(6), Is(6), Level2(256, kMax), L"Pentium II PE (mobile)", L"Dixon (0.25 \u00B5m)", 27400000},
    {kIntel, Is(6), Is(7), Level2(kMin, 512), L"Pentium III", L"Katmai (0.25 \u00B5m)", 9500000},
    {kIntel, Is(6), Is(7), Level2(513, kMax), L"Pentium III Xeon", L"Tanner (0.25 \u00B5m)", 9500000},
    {kIntel, Is(6), Is(8), {}, L"Pentium III E", L"Coppermine (0.18 \u00B5m)", 28100000},
    {kIntel, Is(6), {9, 15}, {}, L"Pentium II", L"", 0},
    {kIntel, {7, 8}, kAny, Brand(1), L"Celeron", L"", 0},
    {kIntel, {7, 8}, kAny, Brand(3), L"Pentium III Xeon", L"", 0},
    {kIntel, {7, 8}, kAny, Brand(4), L"Pentium IV", L"", 0},
    {kIntel, {7, 8}, kAny, Level2(1024, kMax), L"Pentium III Xeon", L"", 0},
    {kIntel, {7, 8}, kAny, Level2(kMin, 1023), L"Pentium III", L"", 0},
    {kIntel, Is(9), kAny, {}, L"INTEL", L"", 0},
    {kIntel, Is(10), kAny, {}, L"Pentium III Xeon", L"", 0},
    {kIntel, {11, 14}, kAny, {}, L"INTEL", L"", 0},
    {kIntel, Is(15), kAny, {}, L"Pentium 4", L"Northwood", 0},

    {kAmd, {0, 3}, kAny, {}, L"AMD", L"", 0},
    {kAmd, Is(4), Is(0), {}, L"Am486DX", L"P4", 1250000},
    {kAmd, Is(4), Is(3), {}, L"Am486DX2", L"P24", 1250000},
    {kAmd, Is(4), Is(7), {}, L"Am486DX2", L"P24", 1250000},
    {kAmd, Is(4), {8, 9}, {}, L"Am486DX4", L"P24C", 1250000},
    {kAmd, Is(4), {14, 15}, {}, L"Am5x86", L"X5", 1600000},
    {kAmd, Is(5), Is(0), {}, L"K5", L"SSA5 (0.50-0.35 \u00B5m)", 4300000},
    {kAmd, Is(5), {1, 3}, {}, L"K5-5k86 (PR120, PR133)", L"5k86 (0.35 \u00B5m)", 4300000},
    {kAmd, Is(5), Is(6), {}, L"K6", L"K6 (0.30 \u00B5m)", 8800000},
    {kAmd, Is(5), Is(7), {}, L"K6", L"Little Foot (0.25 \u00B5m)", 8800000},
    {kAmd, Is(5), Is(8), {}, L"K6-II", L"Chomper (0.25 \u00B5m)", 9300000},
    {kAmd, Is(5), Is(9), {}, L"K6-III", L"Slarptooth (0.25 \u00B5m)", 21300000},
    {kAmd, Is(5), Is(13), {}, L"K6-II+/K6-III+", L"", 0},
    {kAmd, Is(6), kAny, {}, L"K7", L"Athlon (0.25-0.18 \u00B5m)", 22000000},
    {kAmd, {7, 14}, kAny, {}, L"AMD", L"", 0},
    {kAmd, Is(15), Is(15), {}, L"Athlon 64", L"", 0},

    {kCyrix, {0, 3}, kAny, {}, L"CYRIX", L"", 0},
    {kCyrix, Is(4), Is(4), {}, L"Media GX", L"Gx86", 24000000},
    {kCyrix, Is(4), Is(9), {}, L"5x86", L"M0.9 or M1sc (0.65 \u00B5m)", 20000000},
    {kCyrix, Is(5), Is(2), {}, L"6x86 and 6x86L", L"M1 (0.65 \u00B5m) and M1L (0.35 \u00B5m)", 30000000},
    {kCyrix, Is(5), Is(4), {}, L"MediaGXm", L"GXm", 24000000},
    {kCyrix, Is(6), Is(0), {}, L"6x86MX (PR166-266)", L"M2 (0.35 \u00B5m)", 65000000},
    {kCyrix, Is(6), Is(5), {}, L"VIA Cyrix III", L"", 0},
    {kCyrix, {7, 15}, kAny, {}, L"CYRIX", L"", 0},

    {kIdt, {0, 4}, kAny, {}, L"IDT", L"", 0},
    {kIdt, Is(5), Is(4), {}, L"WinChip", L"C6 (0.35 \u00B5m)", 54000000},
    {kIdt, Is(5), Is(8), {}, L"WinChip 2x", L"W2x (0.35-0.25 \u00B5m)", 59000000},
    {kIdt, Is(5), Is(9), {}, L"WinChip 3", L"W3 (0.25 \u00B5m)", 90000000},
    {kIdt, {6, 15}, kAny, {}, L"IDT", L"", 0},

    {kNexGen, {0, 4}, kAny, {}, L"NEXGEN", L"", 0},
    {kNexGen, Is(5), Is(0), {}, L"Nx586", L"Nx5x86 (0.50-0.44 \u00B5m)", 35000000},
    {kNexGen, Is(5), Is(6), {}, L"Nx686", L"HA (0,50\u00B5m)", 60000000},
    {kNexGen, {6, 15}, kAny, {}, L"NEXGEN", L"", 0},

    {kUmc, {0, 3}, kAny, {}, L"UMC", L"", 0},
    {kUmc, Is(4), Is(0), {}, L"", L"U5D and U5S", 12000000},
    {kUmc, Is(4), Is(1), {}, L"U5D", L"U5D and U5S", 12000000},
    {kUmc, Is(4), Is(2), {}, L"U5S", L"U5D and U5S", 12000000},
    {kUmc, Is(4), Is(3), {}, L"U486DX2", L"U5D and U5S", 12000000},
    {kUmc, Is(4), Is(4), {}, L"U486SX2", L"U5D and U5S", 12000000},
    {kUmc, Is(4), {5, 15}, {}, L"", L"U5D and U5S", 12000000},
    {kUmc, {5, 15}, kAny, {}, L"UMC", L"", 0},

    {kRise, {0, 3}, kAny, {}, L"RISE", L"", 0},
    {kRise, Is(4), Is(0), {}, L"mP6", L"mP6 (0.25-0.18 \u00B5m)", 36000000},
    {kRise, Is(4), Is(2), {}, L"mP6", L"mP6 (0.25-0.18 \u00B5m)", 36000000},
    {kRise, {5, 15}, kAny, {}, L"RISE", L"", 0},
};

// The table is kept in (vendor, family, model) order, every range is well
// formed, and no row hides behind an earlier unconditional row.
constexpr bool ModelTableIsSound() {
  const auto n = std::size(kModelTable);
  for (std::size_t i = 0; i < n; ++i) {
    const ModelRow& r = kModelTable[i];
    if (r.vendor < kIntel || r.vendor > kRise) return false;
    if (r.family.lo > r.family.hi || !kAny.Covers(r.family)) return false;
    if (r.model.lo > r.model.hi || !kAny.Covers(r.model)) return false;
    if (r.when.range.lo > r.when.range.hi) return false;
    if (i == 0) continue;
    const ModelRow& p = kModelTable[i - 1];
    if (p.vendor > r.vendor) return false;
    if (p.vendor == r.vendor && (p.family.lo > r.family.lo ||
                                 (p.family.lo == r.family.lo && p.model.lo > r.model.lo)))
      return false;
    for (std::size_t j = 0; j < i; ++j) {
      const ModelRow& e = kModelTable[j];
      if (e.vendor == r.vendor && e.when.on == On::Always && e.family.Covers(r.family) &&
          e.model.Covers(r.model))
        return false;
    }
  }
  return true;
}
static_assert(ModelTableIsSound());

bool Matches(const When& when, std::int32_t level2, int processor_type, int brand_index) {
  switch (when.on) {
    case On::Always: return true;
    case On::Level2: return when.range.Holds(level2);
    case On::ProcessorType: return when.range.Holds(processor_type);
    case On::BrandIndex: return when.range.Holds(brand_index);
  }
  return false;
}

}  // namespace

CPUModel GetCPUModel(int vendor_index, int family, int model, int brand_index, int processor_type,
                     std::int32_t level2) {
  for (const ModelRow& row : kModelTable) {
    if (row.vendor == vendor_index && row.family.Holds(family) && row.model.Holds(model) &&
        Matches(row.when, level2, processor_type, brand_index)) {
      return {std::wstring(row.name), std::wstring(row.code_name), row.figure};
    }
  }
  return {};
}

// ---- Texts ----------------------------------------------------------------

std::wstring SplitHex8(std::uint32_t value) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring s;
  for (int shift = 28; shift >= 0; shift -= 4) {
    s += kDigits[(value >> shift) & 0xF];
    if (shift == 16) s += L'-';
  }
  return s;
}

std::wstring GetCPUSerial(CpuidSource& source) {
  const CpuidRegs leaf1 = source.ExecCPUID(kLeafSignature);
  std::uint32_t middle = leaf1.edx, low = leaf1.ecx;
  if (Bit(leaf1.edx, 18) && source.ExecCPUID(kLeafVendor).eax >= kLeafSerial) {
    const CpuidRegs leaf3 = source.ExecCPUID(kLeafSerial);
    middle = leaf3.edx;
    low = leaf3.ecx;
  }
  return SplitHex8(leaf1.eax) + L"-" + SplitHex8(middle) + L"-" + SplitHex8(low);
}

std::wstring GetCPUBrand(CpuidSource& source) {
  if (!source.CPUIDAvailable() || !HasExtendedLeaf(source, kLeafBrandLast)) return {};
  std::wstring brand;
  for (std::uint32_t leaf = kLeafBrandFirst; leaf <= kLeafBrandLast; ++leaf) {
    const CpuidRegs r = source.ExecCPUID(leaf);
    for (std::uint32_t reg : {r.eax, r.ebx, r.ecx, r.edx}) {
      for (int b = 0; b < 4; ++b) {
        const auto byte = static_cast<unsigned char>(reg >> (8 * b));
        if (byte == 0) return brand;
        brand += static_cast<wchar_t>(byte);
      }
    }
  }
  return brand;
}

bool HasFDIVBug() {
  // volatile keeps the compiler from folding the test away and rounds each
  // step to double precision, also on the x87 stack.
  volatile double x = 4195835.0;
  volatile double y = 3145727.0;
  volatile double quotient = x / y;
  volatile double product = quotient * y;
  volatile double residue = product - x;
  return residue != 0.0;
}

// ---- Everything at once ---------------------------------------------------

CpuIdentity IdentifyCpu(CpuidSource& source) {
  CpuIdentity id;
  id.signature = DecodeSignature(source.ExecCPUID(kLeafSignature));
  id.vendor_id = VendorIdText(source.ExecCPUID(kLeafVendor));
  id.vendor_index = VendorIndex(id.vendor_id);
  id.vendor_name = VendorName(id.vendor_index);
  id.features = GetCPUFeatures(source);
  id.serial = GetCPUSerial(source);
  DecodeCacheDescriptors(source, id.cache);
  id.model = GetCPUModel(id.vendor_index, id.signature.family, id.signature.model, id.signature.brand_index,
                         id.signature.processor_type, id.cache.Level2);
  id.brand = GetCPUBrand(source);
  return id;
}

}  // namespace corvane::cpu
