#include "cpu/cpuid_decode.h"

#include <gtest/gtest.h>

#include "cpu/cpuid_fixtures.h"

namespace corvane::cpu {
namespace {

using fixtures::Build;
using fixtures::Chars;
using fixtures::Machine;
using fixtures::ScriptedCpuid;
using fixtures::VendorLeaf;

constexpr wchar_t kMicro = L'\u00B5';

TEST(CpuidVendor, IdentificationTextsAndNames) {
  const struct {
    std::string id;  // twelve bytes as the processor answers
    int index;
    const wchar_t* name;
  } cases[] = {
      {"GenuineIntel", 1, L"Intel Corporation"},
      {"AuthenticAMD", 2, L"Advanced Micro Devices"},
      {"CyrixInstead", 3, L"Cyrix Corporation"},
      {"CentaurHauls", 4, L"IDT/Centaur"},
      {"NexGenDriven", 5, L"NexGen Inc."},
      {"UMC UMC UMC ", 6, L"United Microelectronics Corp"},  // as the parts pad it
      {std::string("UMC UMC UMC\0", 12), 6, L"United Microelectronics Corp"},
      {"RiseRiseRise", 7, L"Rise Technology"},
      {"genuineintel", 0, L""},  // case matters
      {"GenuineIntex", 0, L""},
      {" UMC UMC UMC", 0, L""},  // only trailing padding is insignificant
      {"HygonGenuine", 0, L""},
      {std::string(12, '\0'), 0, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const std::wstring text = VendorIdText(VendorLeaf(c.id, 1));
    ASSERT_EQ(text.size(), 12u);
    EXPECT_EQ(VendorIndex(text), c.index);
    EXPECT_EQ(VendorName(c.index), c.name);
  }
  EXPECT_EQ(VendorName(8), L"");
  EXPECT_EQ(VendorName(-1), L"");
}

TEST(CpuidVendor, RegToCharsKeepsZeroBytesInPlace) {
  EXPECT_EQ(RegToChars(0x00424100), std::wstring(L"\0AB\0", 4));
  EXPECT_EQ(RegToChars(0xB5000000), std::wstring(L"\0\0\0\u00B5", 4));
}

TEST(CpuidSignature, FieldsComeFromTheBaseBitsOnly) {
  const struct {
    CpuidRegs leaf1;
    Signature expected;  // stepping, model, family, type, brand index
  } cases[] = {
      {{0x00000683, 0x00000002, 0, 0}, {3, 8, 6, 0, 2}},
      {{0x00000F29, 0x00010809, 0, 0}, {9, 2, 15, 0, 9}},    // extended fields are zero here
      {{0x0FF00F29, 0, 0, 0}, {9, 2, 15, 0, 0}},             // and ignored when they are not
      {{0x000306A9, 0x12345678, 0, 0}, {9, 10, 6, 0, 0x78}},  // extended model 3 ignored
      {{0x00001632, 0, 0, 0}, {2, 3, 6, 1, 0}},               // OverDrive type
      {{0x0000F000, 0, 0, 0}, {0, 0, 0, 3, 0}},               // type is two bits only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.leaf1.eax);
    EXPECT_EQ(DecodeSignature(c.leaf1), c.expected);
  }
}

TEST(CpuidFeatures, EachBitSetsItsOwnProperty) {
  const struct {
    bool TCPUFeatures::*flag;
    int leaf1_bit;     // -1: not from leaf 1
    int extended_bit;  // -1: not from leaf 0x80000001
  } cases[] = {
      {&TCPUFeatures::FPU, 0, -1},    {&TCPUFeatures::VME, 1, -1},    {&TCPUFeatures::DE, 2, -1},
      {&TCPUFeatures::PSE, 3, -1},    {&TCPUFeatures::TSC, 4, -1},    {&TCPUFeatures::MSR, 5, -1},
      {&TCPUFeatures::PAE, 6, -1},    {&TCPUFeatures::MCE, 7, -1},    {&TCPUFeatures::CX8, 8, -1},
      {&TCPUFeatures::APIC, 9, -1},   {&TCPUFeatures::SEP, 11, -1},   {&TCPUFeatures::MTRR, 12, -1},
      {&TCPUFeatures::PGE, 13, -1},   {&TCPUFeatures::MCA, 14, -1},   {&TCPUFeatures::CMOV, 15, -1},
      {&TCPUFeatures::PAT, 16, -1},   {&TCPUFeatures::PSE36, 17, -1}, {&TCPUFeatures::SERIAL, 18, -1},
      {&TCPUFeatures::MMX, 23, -1},   {&TCPUFeatures::XSR, 24, -1},   {&TCPUFeatures::SIMD, 25, -1},
      {&TCPUFeatures::EX_MMX, -1, 22}, {&TCPUFeatures::EX_MMX, -1, 24},
      {&TCPUFeatures::EX_3DNOW, -1, 30}, {&TCPUFeatures::_3DNOW, -1, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "leaf 1 bit " << c.leaf1_bit << ", extended bit " << c.extended_bit);
    const std::uint32_t edx = c.leaf1_bit < 0 ? 0 : 1u << c.leaf1_bit;
    const std::uint32_t ext = c.extended_bit < 0 ? 0 : 1u << c.extended_bit;
    TCPUFeatures expected;
    expected.*c.flag = true;
    EXPECT_EQ(DecodeFeatures(edx, ext), expected);
  }
  // Bits that name nothing here stay unread, in both registers.
  EXPECT_EQ(DecodeFeatures(1u << 10 | 1u << 19 | 1u << 26, 1u << 23 | 1u << 0), TCPUFeatures{});
}

TEST(CpuidFeatures, ExtendedLeafIsReadOnlyWhenReported) {
  // Without extended leaves, 0x80000001 echoes the highest basic leaf; here
  // words with bits 24 and 31 set, which are no feature bits.
  CpuidDump without = Build({.signature = 0x672});
  without.Set(1, {0x672, 0, 0, 0x0387FBFF});
  without.Set(0x80000000, {0x00000000, 0, 0x1B2C3D4E, 0x9F8E7D6C});
  without.Set(0x80000001, {0x00000000, 0, 0x1B2C3D4E, 0x9F8E7D6C});
  const TCPUFeatures f = GetCPUFeatures(without);
  EXPECT_FALSE(f._3DNOW);
  EXPECT_FALSE(f.EX_MMX);
  EXPECT_TRUE(f.SERIAL);
  EXPECT_TRUE(f.SIMD);

  CpuidDump with = without;
  with.Set(0x80000000, {0x80000001, 0, 0, 0});
  EXPECT_TRUE(GetCPUFeatures(with)._3DNOW);
  EXPECT_TRUE(GetCPUFeatures(with).EX_MMX);
}

TEST(CpuidFeatures, ListHasTheLabelsInOrder) {
  TCPUFeatures f;
  f._3DNOW = f.EX_MMX = f.XSR = f.SERIAL = f.CMOV = f.SEP = f.MCE = f.TSC = f.VME = f.FPU = true;
  std::vector<std::wstring> list = {L"left over"};
  GetFeatureList(f, true, list);
  const std::vector<std::wstring> expected = {
      L"3D Now! extensions: Yes",
      L"Enhanced 3D Now! extensions: No",
      L"Enhanced MMX extensions: Yes",
      L"SIMD instructions: No",
      L"FXSAVE/FXRSTOR instruction: Yes",
      L"MMX extensions: No",
      L"Serial number: Yes",
      L"36bit Page Size Extension: No",
      L"Page Attribute Table: No",
      L"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: Yes",
      L"Machine Check Architecture: No",
      L"Page Global Extension: No",
      L"Memory Type Range Registers: No",
      L"SYSENTER/SYSEXIT extension: Yes",
      L"Processor contains an enabled APIC: No",
      L"CMPXCHG8B instruction: No",
      L"Machine Check Exception: Yes",
      L"Physical Address Extension: No",
      L"Model Specific Registers: No",
      L"Time Stamp Counter: Yes",
      L"Page Size Extension: No",
      L"Debugging Extension: No",
      L"Virtual Mode Extension: Yes",
      L"Built-In FPU: Yes",
  };
  EXPECT_EQ(list, expected);

  GetFeatureList(TCPUFeatures{}, false, list);  // appends
  ASSERT_EQ(list.size(), 48u);
  EXPECT_EQ(list[24], L"3D Now! extensions: No");
}

TEST(CpuidCache, DescriptorBytes) {
  const struct {
    const char* what;
    CpuidRegs leaf2;
    TCPUCache expected;  // Level2, Level1, L1Data, L1Code
  } cases[] = {
      {"Katmai", {0x03020101, 0, 0, 0x0C040843}, {512, 0, 16, 16}},
      {"Coppermine", {0x03020101, 0, 0, 0x0C040882}, {256, 0, 16, 16}},
      {"Mendocino", {0x03020101, 0, 0, 0x0C040841}, {128, 0, 16, 16}},
      {"Covington", {0x03020101, 0, 0, 0x0C040840}, {0, 0, 16, 16}},
      {"small level 1", {0x00000001, 0, 0, 0x0006080A}, {0, 0, 8, 8}},  // 0x06 then 0x08: 16
      {"unified level 1", {0x00000001, 0x00000080, 0, 0}, {0, 16, 0, 0}},
      {"0x42 0x44 0x45", {0x00000001, 0x00454442, 0, 0}, {2048, 0, 0, 0}},
      {"0x84", {0x00000001, 0, 0x00000084, 0}, {1024, 0, 0, 0}},
      {"0x83 0x85", {0x00000001, 0, 0x00008583, 0}, {2048, 0, 0, 0}},
      {"last wins: 0x41 then 0x43", {0x00004101, 0, 0, 0x00000043}, {512, 0, 0, 0}},
      {"last wins: 0x43 then 0x41", {0x00004301, 0, 0, 0x00000041}, {128, 0, 0, 0}},
      {"0x40 after a level 2 means no level 3", {0x00000001, 0x00000043, 0, 0x00000040}, {512, 0, 0, 0}},
      {"the count byte is no descriptor", {0x00000043, 0, 0, 0}, {0, 0, 0, 0}},
      {"a register with bit 31 set holds none", {0x00000001, 0x80000043, 0, 0x0000000C}, {0, 0, 16, 0}},
      {"unknown bytes change nothing", {0x665B5001, 0, 0, 0x007B7040}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodeCacheBytes(c.leaf2), c.expected);
  }
}

TEST(CpuidCache, LeafTwoRunsAsOftenAsItsCountAsksAndTheLastRunCounts) {
  const std::vector<CpuidRegs> runs = {
      {0x00000003, 0, 0, 0x00000041}, {0x00000003, 0, 0, 0x00000042}, {0x00000003, 0, 0, 0x00000044}};
  ScriptedCpuid source(Build({.signature = 0x652}), runs);
  TCPUCache cache{1, 1, 1, 1};
  DecodeCacheDescriptors(source, cache);
  EXPECT_EQ(source.Executions(2), 3);
  EXPECT_EQ(cache, (TCPUCache{1024, 0, 0, 0}));
}

TEST(CpuidCache, NoDescriptorsBelowHighestLeafTwo) {
  // A Pentium MMX (highest leaf 1) answers leaf 2 with leaf 1: its feature
  // byte 0x80 (MMX) would read as a unified level-1 descriptor.
  CpuidDump d = Build({.signature = 0x543, .highest_leaf = 1});
  d.Set(2, {0x00000543, 0, 0, 0x008001BF});
  TCPUCache cache{9, 9, 9, 9};
  DecodeCacheDescriptors(d, cache);
  EXPECT_EQ(cache, TCPUCache{});
}

TEST(CpuidModel, EdgeCasesThroughTheWholeIdentification) {
  const struct {
    const char* what;
    Machine machine;
    int vendor_index, family, model, stepping;
    std::int32_t level2;
    CPUModel expected;
  } cases[] = {
      {"Pentium III E", {.signature = 0x683, .descriptors = 0x0C040882}, 1, 6, 8, 3, 256,
       {L"Pentium III E", L"Coppermine (0.18 \u00B5m)", 28100000}},
      {"Deschutes 512 KB", {.signature = 0x652, .descriptors = 0x0C040843}, 1, 6, 5, 2, 512,
       {L"Pentium II", L"Deschutes (0,25\u00B5m)", 7500000}},
      {"Deschutes 1 MB", {.signature = 0x652, .descriptors = 0x0C040844}, 1, 6, 5, 2, 1024,
       {L"Pentium II Xeon", L"Deschutes (0.25 \u00B5m)", 7500000}},
      {"Deschutes 1 MB (0x84)", {.signature = 0x652, .descriptors = 0x0C040884}, 1, 6, 5, 2, 1024,
       {L"Pentium II Xeon", L"Deschutes (0.25 \u00B5m)", 7500000}},
      {"Covington, no level 2", {.signature = 0x650, .descriptors = 0x0C040840}, 1, 6, 5, 0, 0,
       {L"Celeron", L"Covington (0,25\u00B5m)", 7500000}},
      {"Covington, no descriptors at all", {.signature = 0x650}, 1, 6, 5, 0, 0,
       {L"Celeron", L"Covington (0,25\u00B5m)", 7500000}},
      {"family 15 whatever the brand index", {.signature = 0xF29, .brand_index = 1}, 1, 15, 2, 9, 0,
       {L"Pentium 4", L"Northwood", 0}},
      {"family 15 model 0", {.signature = 0xF07, .brand_index = 4}, 1, 15, 0, 7, 0,
       {L"Pentium 4", L"Northwood", 0}},
      {"OverDrive", {.signature = 0x1632}, 1, 6, 3, 2, 0,
       {L"Pentium II OverDrive", L"Klamath (0.35 \u00B5m)", 7500000}},
      {"Klamath as a dual-processor part", {.signature = 0x2633}, 1, 6, 3, 3, 0,
       {L"Pentium II", L"Klamath (0.35 \u00B5m)", 7500000}},
      {"UMC family 4 model 7", {.vendor = "UMC UMC UMC ", .signature = 0x473}, 6, 4, 7, 3, 0,
       {L"", L"U5D and U5S", 12000000}},
      {"unknown vendor", {.vendor = "VIA VIA VIA ", .signature = 0x683}, 0, 6, 8, 3, 0, {}},
      {"extended model ignored", {.signature = 0x306A9}, 1, 6, 10, 9, 0, {L"Pentium II", L"", 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CpuidDump d = Build(c.machine);
    const CpuIdentity id = IdentifyCpu(d);
    EXPECT_EQ(id.vendor_index, c.vendor_index);
    EXPECT_EQ(id.signature.family, c.family);
    EXPECT_EQ(id.signature.model, c.model);
    EXPECT_EQ(id.signature.stepping, c.stepping);
    EXPECT_EQ(id.cache.Level2, c.level2);
    EXPECT_EQ(id.model, c.expected);
  }
}

TEST(CpuidModel, TableSpotChecks) {
  const struct {
    int vendor, family, model, brand, type, level2;
    CPUModel expected;
  } cases[] = {
      // Intel: first rows, conditions, fallbacks, holes.
      {1, 4, 0, 0, 0, 0, {L"i80486DX", L"P4", 1250000}},
      {1, 4, 1, 0, 0, 0, {L"i80486DX", L"P4", 1250000}},
      {1, 4, 9, 0, 0, 0, {L"i80486DX4WB", L"P24C", 1600000}},
      {1, 4, 6, 0, 0, 0, {}},
      {1, 4, 10, 0, 0, 0, {}},
      {1, 5, 0, 0, 0, 0, {L"Pentium", L"P5 (0,80\u00B5m)", 3100000}},
      {1, 5, 8, 0, 0, 0, {L"Pentium MMX (mobile)", L"Tillamook (0,25\u00B5m)", 4500000}},
      {1, 5, 5, 0, 0, 0, {L"DX4", L"", 0}},
      {1, 5, 12, 0, 0, 0, {L"Pentium", L"", 0}},
      {1, 6, 0, 0, 0, 0, {L"Pentium Pro", L"P6 (0.50 \u00B5m)", 5500000}},
      {1, 6, 6, 0, 0, 128, {L"Celeron A", L"Mendocino (0.25 \u00B5m)", 19000000}},
      {1, 6, 6, 0, 0, 256, {L"Pentium II PE (mobile)", L"Dixon (0.25 \u00B5m)", 27400000}},
      {1, 6, 7, 0, 0, 512, {L"Pentium III", L"Katmai (0.25 \u00B5m)", 9500000}},
      {1, 6, 7, 0, 0, 0, {L"Pentium III", L"Katmai (0.25 \u00B5m)", 9500000}},
      {1, 6, 7, 0, 0, 1024, {L"Pentium III Xeon", L"Tanner (0.25 \u00B5m)", 9500000}},
      {1, 6, 5, 0, 0, 2048, {L"Pentium II Xeon", L"Deschutes (0.25 \u00B5m)", 7500000}},
      {1, 6, 15, 0, 0, 0, {L"Pentium II", L"", 0}},
      {1, 7, 3, 1, 0, 2048, {L"Celeron", L"", 0}},  // brand index decides before size
      {1, 8, 0, 3, 0, 0, {L"Pentium III Xeon", L"", 0}},
      {1, 8, 15, 4, 0, 0, {L"Pentium IV", L"", 0}},
      {1, 7, 0, 2, 0, 1024, {L"Pentium III Xeon", L"", 0}},
      {1, 7, 0, 2, 0, 1023, {L"Pentium III", L"", 0}},
      {1, 10, 4, 0, 0, 0, {L"Pentium III Xeon", L"", 0}},
      {1, 0, 0, 0, 0, 0, {L"INTEL", L"", 0}},
      {1, 9, 3, 0, 0, 0, {L"INTEL", L"", 0}},
      {1, 14, 15, 0, 0, 0, {L"INTEL", L"", 0}},
      // AMD
      {2, 4, 0, 0, 0, 0, {L"Am486DX", L"P4", 1250000}},
      {2, 4, 7, 0, 0, 0, {L"Am486DX2", L"P24", 1250000}},
      {2, 4, 15, 0, 0, 0, {L"Am5x86", L"X5", 1600000}},
      {2, 4, 12, 0, 0, 0, {}},
      {2, 5, 2, 0, 0, 0, {L"K5-5k86 (PR120, PR133)", L"5k86 (0.35 \u00B5m)", 4300000}},
      {2, 5, 9, 0, 0, 0, {L"K6-III", L"Slarptooth (0.25 \u00B5m)", 21300000}},
      {2, 5, 13, 0, 0, 0, {L"K6-II+/K6-III+", L"", 0}},
      {2, 5, 10, 0, 0, 0, {}},
      {2, 6, 10, 0, 0, 0, {L"K7", L"Athlon (0.25-0.18 \u00B5m)", 22000000}},
      {2, 15, 15, 0, 0, 0, {L"Athlon 64", L"", 0}},
      {2, 15, 1, 0, 0, 0, {}},
      {2, 7, 0, 0, 0, 0, {L"AMD", L"", 0}},
      {2, 3, 0, 0, 0, 0, {L"AMD", L"", 0}},
      // Cyrix
      {3, 4, 4, 0, 0, 0, {L"Media GX", L"Gx86", 24000000}},
      {3, 5, 2, 0, 0, 0, {L"6x86 and 6x86L", L"M1 (0.65 \u00B5m) and M1L (0.35 \u00B5m)", 30000000}},
      {3, 6, 5, 0, 0, 0, {L"VIA Cyrix III", L"", 0}},
      {3, 6, 1, 0, 0, 0, {}},
      {3, 15, 0, 0, 0, 0, {L"CYRIX", L"", 0}},
      // IDT/Centaur
      {4, 5, 4, 0, 0, 0, {L"WinChip", L"C6 (0.35 \u00B5m)", 54000000}},
      {4, 5, 8, 0, 0, 0, {L"WinChip 2x", L"W2x (0.35-0.25 \u00B5m)", 59000000}},
      {4, 5, 9, 0, 0, 0, {L"WinChip 3", L"W3 (0.25 \u00B5m)", 90000000}},
      {4, 5, 5, 0, 0, 0, {}},
      {4, 6, 9, 0, 0, 0, {L"IDT", L"", 0}},
      {4, 4, 0, 0, 0, 0, {L"IDT", L"", 0}},
      // NexGen
      {5, 5, 0, 0, 0, 0, {L"Nx586", L"Nx5x86 (0.50-0.44 \u00B5m)", 35000000}},
      {5, 5, 6, 0, 0, 0, {L"Nx686", L"HA (0,50\u00B5m)", 60000000}},
      {5, 5, 1, 0, 0, 0, {}},
      {5, 4, 0, 0, 0, 0, {L"NEXGEN", L"", 0}},
      // UMC
      {6, 4, 1, 0, 0, 0, {L"U5D", L"U5D and U5S", 12000000}},
      {6, 4, 4, 0, 0, 0, {L"U486SX2", L"U5D and U5S", 12000000}},
      {6, 4, 0, 0, 0, 0, {L"", L"U5D and U5S", 12000000}},
      {6, 5, 1, 0, 0, 0, {L"UMC", L"", 0}},
      // Rise
      {7, 4, 0, 0, 0, 0, {L"mP6", L"mP6 (0.25-0.18 \u00B5m)", 36000000}},
      {7, 4, 2, 0, 0, 0, {L"mP6", L"mP6 (0.25-0.18 \u00B5m)", 36000000}},
      {7, 4, 1, 0, 0, 0, {}},
      {7, 5, 0, 0, 0, 0, {L"RISE", L"", 0}},
      // Not in the vendor table.
      {0, 6, 8, 0, 0, 0, {}},
      {8, 6, 8, 0, 0, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "vendor " << c.vendor << " family " << c.family << " model " << c.model
                                    << " brand " << c.brand << " level2 " << c.level2);
    EXPECT_EQ(GetCPUModel(c.vendor, c.family, c.model, c.brand, c.type, c.level2), c.expected);
  }
}

TEST(CpuidModel, EveryTextWithAMicroSignUsesU00B5) {
  // Walk every family and model of every vendor: a micro sign, where one
  // appears, is the one character U+00B5 (never U+03BC or a byte pair).
  for (int vendor = 1; vendor <= 7; ++vendor) {
    for (int family = 0; family < 16; ++family) {
      for (int model = 0; model < 16; ++model) {
        const CPUModel m = GetCPUModel(vendor, family, model, 0, 0, 256);
        const auto micro = m.code_name.find(kMicro);
        if (micro == std::wstring::npos) {
          EXPECT_EQ(m.code_name.find(L"m)"), std::wstring::npos) << m.code_name;
        } else {
          EXPECT_EQ(m.code_name[micro + 1], L'm') << m.code_name;
        }
        EXPECT_EQ(m.code_name.find(L'\u03BC'), std::wstring::npos);
      }
    }
  }
}

TEST(CpuidSerial, SixGroupsFromLeafOneOrFromTheSerialLeaf) {
  EXPECT_EQ(SplitHex8(0x0383FBFF), L"0383-FBFF");
  EXPECT_EQ(SplitHex8(0xDEADBEEF), L"DEAD-BEEF");

  CpuidDump plain = Build({.signature = 0x683});
  plain.Set(1, {0x683, 0, 0, 0x0383FBFF});
  EXPECT_EQ(GetCPUSerial(plain), L"0000-0683-0383-FBFF-0000-0000");

  CpuidDump psn = Build({.signature = 0x672, .highest_leaf = 3});
  psn.Set(1, {0x672, 0, 0, 0x0387FBFF});
  psn.Set(3, {0, 0, 0x1B2C3D4E, 0x9F8E7D6C});
  EXPECT_EQ(GetCPUSerial(psn), L"0000-0672-9F8E-7D6C-1B2C-3D4E");

  // The flag without a serial leaf to read: leaf 1 stands in.
  CpuidDump flag_only = psn;
  flag_only.Set(0, VendorLeaf("GenuineIntel", 2));
  EXPECT_EQ(GetCPUSerial(flag_only), L"0000-0672-0387-FBFF-0000-0000");
}

CpuidDump WithBrand(std::string_view text, std::uint32_t highest_extended = 0x80000004) {
  std::string bytes(text);
  bytes.resize(48, '\0');
  CpuidDump d = Build({.signature = 0xF29});
  d.Set(0x80000000, {highest_extended, 0, 0, 0});
  for (std::uint32_t leaf = 0; leaf < 3; ++leaf) {
    const std::string_view part = std::string_view(bytes).substr(16 * leaf, 16);
    d.Set(0x80000002 + leaf, {Chars(part.substr(0, 4)), Chars(part.substr(4, 4)), Chars(part.substr(8, 4)),
                              Chars(part.substr(12, 4))});
  }
  return d;
}

TEST(CpuidBrand, TextOfTheBrandLeaves) {
  const std::string full48(48, 'x');
  const struct {
    const char* what;
    CpuidDump dump;
    std::wstring expected;
  } cases[] = {
      {"untrimmed", WithBrand("   Intel(R) Pentium(R) 4 CPU 2.40GHz  "),
       L"   Intel(R) Pentium(R) 4 CPU 2.40GHz  "},
      {"a zero byte ends it", WithBrand(std::string("AMD Athlon\0(tm) XP", 18)), L"AMD Athlon"},
      {"all 48 bytes", WithBrand(full48), std::wstring(48, L'x')},
      {"bytes above 127", WithBrand("5\xB5m"), L"5\u00B5m"},
      {"brand leaves not reported", WithBrand("Hidden", 0x80000003), L""},
      {"no extended leaves", WithBrand("Hidden", 0x00000002), L""},
      {"out-of-range highest leaf", WithBrand("Hidden", 0x8FFF0004), L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CpuidDump d = c.dump;
    EXPECT_EQ(GetCPUBrand(d), c.expected);
  }
}

TEST(CpuidBrand, EmptyWithoutTheInstruction) {
  ScriptedCpuid source(WithBrand("Answered anyway"), {}, /*available=*/false);
  EXPECT_EQ(GetCPUBrand(source), L"");
}

TEST(CpuidFdiv, ThisMachineDividesCorrectly) { EXPECT_FALSE(HasFDIVBug()); }

}  // namespace
}  // namespace corvane::cpu
