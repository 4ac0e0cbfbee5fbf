#include "cpu/cpuid_dump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cpu/cpuid_decode.h"
#include "cpu/cpuid_fixtures.h"
#include "cpu/cpuid_live.h"

namespace corvane::cpu {
namespace {

using fixtures::Build;
using fixtures::ScriptedCpuid;
using fixtures::VendorLeaf;

CpuidDump Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseCpuidDump(in);
}

CpuidDump ParseFile(const std::string& name) {
  std::ifstream in(std::string(CORVANE_TEST_DATA) + "/cpu/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return ParseCpuidDump(in);
}

TEST(CpuidDumpText, CommentsBlankLinesAndLayout) {
  CpuidDump d = Parse(
      "# header\n"
      "\n"
      "   \t\n"
      "  # indented comment\n"
      "00000001 00000683 00000002 00000000 0383FBFF\r\n"  // upper case, CRLF
      "\t80000000   80000004\t00000000 00000000 00000000   \n"
      "00000000 00000002 756e6547 6c65746e 49656e69");  // no final newline
  ASSERT_EQ(d.Leaves().size(), 3u);
  EXPECT_EQ(d.ExecCPUID(1), (CpuidRegs{0x683, 2, 0, 0x0383FBFF}));
  EXPECT_EQ(d.ExecCPUID(0x80000000), (CpuidRegs{0x80000004, 0, 0, 0}));
  EXPECT_EQ(d.ExecCPUID(0).ebx, 0x756E6547u);
  EXPECT_TRUE(d.CPUIDAvailable());
}

TEST(CpuidDumpText, AbsentLeavesReadAsZeros) {
  CpuidDump d = Parse("00000000 00000001 756e6547 6c65746e 49656e69\n");
  EXPECT_EQ(d.ExecCPUID(2), CpuidRegs{});
  EXPECT_EQ(d.ExecCPUID(0x80000004), CpuidRegs{});
  EXPECT_FALSE(d.Find(2).has_value());

  CpuidDump empty = Parse("# nothing recorded\n");
  EXPECT_FALSE(empty.CPUIDAvailable());
  EXPECT_EQ(empty.ExecCPUID(0), CpuidRegs{});
}

TEST(CpuidDumpText, MalformedLinesNameTheLine) {
  const std::string good = "00000000 00000002 756e6547 6c65746e 49656e69\n";
  const struct {
    std::string text;
    int line;
    const char* says;
  } cases[] = {
      {good + "00000001 00000683 00000002 00000000\n", 2, "expected 5 fields"},
      {good + "00000001 00000683 00000002 00000000 0383fbff 00000000\n", 2, "found 6"},
      {"#\n\n" + good + "00000001 0000683 00000002 00000000 0383fbff\n", 4, "eax \"0000683\""},
      {good + "00000001 00000683 00000002 00000000 0383fbff0\n", 2, "edx"},
      {"0x000001 00000683 00000002 00000000 0383fbff\n", 1, "leaf \"0x000001\""},
      {good + "00000001 00000683 0000000g 00000000 0383fbff\n", 2, "ebx"},
      {good + "00000001 00000683 00000002 -0000000 0383fbff\n", 2, "ecx"},
      {good + "00000001 00000683 00000002 00000000 0383fbff # note\n", 2, "found 7"},
      {good + "\n" + good, 3, "already given on line 1"},
      {good + "leaf eax ebx ecx edx\n", 2, "leaf \"leaf\""},
      {good + "00000001 00000683 0000" + std::string(1, '\0') + "002 00000000 0383fbff\n", 2, "\"0000?002\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      Parse(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const DumpFormatError& e) {
      EXPECT_EQ(e.line(), c.line);
      EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

TEST(CpuidDumpText, WriteThenParseGivesTheSameLeaves) {
  CpuidDump d;
  d.Set(0x80000004, {0x00000000, 0xFFFFFFFF, 0x12345678, 0x9ABCDEF0});
  d.Set(0, VendorLeaf("AuthenticAMD", 1));
  d.Set(1, {0x681, 0, 0, 0x0383FBFF});
  std::ostringstream out;
  WriteCpuidDump(d, out);
  const std::string text = out.str();
  EXPECT_EQ(text.rfind("#", 0), 0u);
  EXPECT_NE(text.find("\n00000000 00000001 68747541 444d4163 69746e65\n"), std::string::npos) << text;
  EXPECT_LT(text.find("\n00000001 "), text.find("\n80000004 "));  // ascending leaves
  EXPECT_EQ(Parse(text).Leaves(), d.Leaves());
}

TEST(CpuidRecording, RecordsWhatTheDecoderReads) {
  CpuidDump machine = Build({.signature = 0x672, .highest_leaf = 3});
  machine.Set(3, {0, 0, 0x1B2C3D4E, 0x9F8E7D6C});
  machine.Set(0x80000000, {0x80000002, 0, 0, 0});
  machine.Set(0x80000001, {0, 0, 0, 0xC0000000});
  machine.Set(0x80000002, {0x41414141, 0, 0, 0});
  machine.Set(0x80000003, {0x42424242, 0, 0, 0});  // beyond the reported highest leaf
  const std::vector<CpuidRegs> leaf2 = {{0x00000002, 0, 0, 0x41}, {0x00000002, 0, 0, 0x43}};
  ScriptedCpuid source(machine, leaf2);

  const CpuidDump recorded = RecordCpuid(source);
  EXPECT_EQ(source.Executions(2), 2);
  EXPECT_EQ(recorded.Find(2), (CpuidRegs{0x00000002, 0, 0, 0x43}));  // the last execution
  EXPECT_EQ(recorded.Find(3), machine.Find(3));
  EXPECT_EQ(recorded.Find(0x80000002), machine.Find(0x80000002));
  EXPECT_FALSE(recorded.Find(0x80000003).has_value());

  CpuidDump replay = recorded;
  ScriptedCpuid again(machine, leaf2);
  EXPECT_EQ(IdentifyCpu(replay), IdentifyCpu(again));
}

TEST(CpuidRecording, OmitsLeavesTheProcessorDoesNotReport) {
  CpuidDump pentium = Build({.signature = 0x543, .highest_leaf = 1});
  pentium.Set(0x80000000, {0x00000543, 0, 0, 0x1BF});  // echo of leaf 1
  const CpuidDump recorded = RecordCpuid(pentium);
  std::vector<std::uint32_t> leaves;
  for (const auto& [leaf, regs] : recorded.Leaves()) leaves.push_back(leaf);
  EXPECT_EQ(leaves, (std::vector<std::uint32_t>{0, 1, 0x80000000}));

  ScriptedCpuid absent(pentium, {}, /*available=*/false);
  EXPECT_TRUE(RecordCpuid(absent).Leaves().empty());
}

TEST(CpuidRecording, LiveProcessorRoundTripsThroughTheText) {
  LiveCpuid live;
  if (!live.CPUIDAvailable()) GTEST_SKIP() << "no identification instruction here";
  std::ostringstream out;
  WriteCpuidDump(RecordCpuid(live), out);
  CpuidDump replay = Parse(out.str());
  const CpuIdentity expected = IdentifyCpu(live);
  EXPECT_EQ(IdentifyCpu(replay), expected);
  EXPECT_NE(expected.vendor_id, std::wstring(12, L'\0'));
}

TEST(CpuidRecordedProcessors, DecodeAsTheseProcessorsAre) {
  const struct {
    const char* file;
    int vendor_index;
    std::wstring model_name, code_name;
    std::int32_t level2;
    std::wstring brand, serial;
    bool three_d_now, serial_flag;
  } cases[] = {
      {"intel_pentium3_coppermine.dump", 1, L"Pentium III E", L"Coppermine (0.18 \u00B5m)", 256, L"",
       L"0000-0683-0383-FBFF-0000-0000", false, false},
      {"intel_pentium3_katmai_psn.dump", 1, L"Pentium III", L"Katmai (0.25 \u00B5m)", 512, L"",
       L"0000-0672-9F8E-7D6C-1B2C-3D4E", false, true},
      {"intel_pentium4_northwood.dump", 1, L"Pentium 4", L"Northwood", 0,
       L"              Intel(R) Pentium(R) 4 CPU 2.40GHz", L"0000-0F29-BFEB-FBFF-0000-4400", false, false},
      {"amd_athlon_xp.dump", 2, L"K7", L"Athlon (0.25-0.18 \u00B5m)", 0, L"AMD Athlon(tm) XP 2000+",
       L"0000-0681-0383-FBFF-0000-0000", true, false},
      {"umc_u5s.dump", 6, L"U5S", L"U5D and U5S", 0, L"", L"0000-0423-0000-0000-0000-0000", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    CpuidDump d = ParseFile(c.file);
    const CpuIdentity id = IdentifyCpu(d);
    EXPECT_EQ(id.vendor_index, c.vendor_index);
    EXPECT_EQ(id.model.name, c.model_name);
    EXPECT_EQ(id.model.code_name, c.code_name);
    EXPECT_EQ(id.cache.Level2, c.level2);
    EXPECT_EQ(id.brand, c.brand);
    EXPECT_EQ(id.serial, c.serial);
    EXPECT_EQ(id.features._3DNOW, c.three_d_now);
    EXPECT_EQ(id.features.EX_3DNOW, c.three_d_now);
    EXPECT_EQ(id.features.SERIAL, c.serial_flag);
  }
}

}  // namespace
}  // namespace corvane::cpu
