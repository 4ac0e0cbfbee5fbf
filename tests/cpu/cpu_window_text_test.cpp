#include "cpu/cpu_window_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane::cpu {
namespace {

TEST(CpuWindowText, SignatureTexts) {
  const struct {
    int family, model, stepping;
    const wchar_t* id;
  } ids[] = {{6, 8, 3, L"0683"}, {15, 2, 9, L"0F29"}, {4, 0, 0, L"0400"}, {6, 10, 11, L"06AB"}};
  for (const auto& c : ids) {
    Signature s;
    s.family = c.family;
    s.model = c.model;
    s.stepping = c.stepping;
    EXPECT_EQ(ProcessorIdText(s), c.id);
  }
  Signature s;
  s.family = 6;
  s.model = 8;
  s.stepping = 3;
  EXPECT_EQ(FamilyLineText(s), L"Model ID: Family 6  Model 8  Stepping 3");

  EXPECT_EQ(CpuChipText(1, L""), L"1 x ");
  EXPECT_EQ(CpuChipText(2, L"  Pentium III\t"), L"2 x Pentium III");
}

TEST(CpuWindowText, IdentificationFillsItsRows) {
  CpuIdentity id;
  id.vendor_name = L"Intel Corporation";
  id.signature.family = 15;
  id.signature.model = 2;
  id.signature.stepping = 9;
  id.model = {L"Pentium 4", L"Northwood", 42};
  id.brand = std::wstring(L"   Intel(R) Pentium(R) 4 CPU 2.40GHz") + L'\0' + L'\x1f';
  id.serial = L"0000-0F29-BFEB-FBFF-0000-0000";
  CpuRowTexts rows;
  rows[kRowDescription] = L"kept";
  ApplyIdentification(rows, 2, id);
  EXPECT_EQ(rows[kRowBrand], L"Intel(R) Pentium(R) 4 CPU 2.40GHz");
  EXPECT_EQ(rows[kRowChip], L"2 x Pentium 4");
  EXPECT_EQ(rows[kRowFamily], L"Model ID: Family 15  Model 2  Stepping 9");
  EXPECT_EQ(rows[kRowCodeName], L"Northwood");
  EXPECT_EQ(rows[kRowVendor], L"Intel Corporation");
  EXPECT_EQ(rows[kRowSerial], L"0000-0F29-BFEB-FBFF-0000-0000");
  EXPECT_EQ(rows[kRowProcessorId], L"0F29");
  EXPECT_EQ(rows[kRowStatus], L"42");
  EXPECT_EQ(rows[kRowDescription], L"kept");
}

TEST(CpuWindowText, FeatureItemsTakeTheTextBeforeTheColon) {
  const struct {
    const wchar_t* line;
    FeatureItem item;
  } cases[] = {
      {L"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: Yes", {L"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes", true}},
      {L"3D Now! extensions: No", {L"3D Now! extensions", false}},
      {L"FDIV Bug: Yes", {L"FDIV Bug", true}},
      {L"Odd:Yes", {L"Odd", false}},          // the answer starts two characters after the colon
      {L"Odd: Yesterday", {L"Odd", false}},   // the whole rest must be "Yes"
      {L"Odd: yes", {L"Odd", false}},
      {L"Two: colons: Yes", {L"Two", false}},  // only the first colon counts
      {L"Short:", {L"Short", false}},
      {L"No colon at all", {L"No colon at all", false}},
  };
  for (const auto& c : cases) EXPECT_EQ(FeatureItemFromLine(c.line), c.item) << c.line;
}

TEST(CpuWindowText, FeatureListEndsWithTheDivisionTest) {
  TCPUFeatures all;
  for (const auto& f : kFeatureLabels) all.*f.flag = true;
  for (bool fdiv : {false, true}) {
    const auto items = FeatureItems(FeatureLines(all, fdiv));
    ASSERT_EQ(items.size(), 25u);
    for (std::size_t i = 0; i < 24; ++i) {
      EXPECT_TRUE(items[i].checked) << i;
      EXPECT_EQ(items[i].text + L": ", kFeatureLabels[i].label) << i;
    }
    EXPECT_EQ(items[24], (FeatureItem{L"FDIV Bug", fdiv}));
  }
  const auto none = FeatureItems(FeatureLines(TCPUFeatures{}, false));
  for (const auto& item : none) EXPECT_FALSE(item.checked) << item.text;
}

platform::T2DimStrArray ProcessorGrid(int instances) {
  platform::T2DimStrArray grid{{L"Instance", L"ExtClock", L"MaxClockSpeed", L"Name", L"extclock", L"L2CacheSize"}};
  for (int i = 1; i <= instances; ++i) {
    grid.push_back({std::to_wstring(i), L"133", L"2394", L"Intel(R) Core(TM)2", L"wrong case", L"4096"});
  }
  return grid;
}

TEST(CpuWindowText, WmiRecordOnlyFromASingleProcessor) {
  const Tcpuinfo one = CpuInfoFromWmiTable(1, 5, ProcessorGrid(1));
  EXPECT_EQ(one.ExtClock, L"133") << "names match exactly, case included";
  EXPECT_EQ(one.MaxClockSpeed, L"2394");
  EXPECT_EQ(one.Name, L"Intel(R) Core(TM)2");
  EXPECT_EQ(one.L2CacheSize, L"4096");
  EXPECT_EQ(one.SocketDesignation, L"") << "absent from the table";

  EXPECT_EQ(CpuInfoFromWmiTable(2, 5, ProcessorGrid(2)), Tcpuinfo{}) << "two processors";
  EXPECT_EQ(CpuInfoFromWmiTable(1, 1, ProcessorGrid(1)), Tcpuinfo{}) << "a single property";
  EXPECT_EQ(CpuInfoFromWmiTable(0, 0, {}), Tcpuinfo{}) << "a failed query";
}

TEST(CpuWindowText, WmiRecordIntoTheRows) {
  CpuRowTexts rows;
  ApplyWmiRecord(rows, Tcpuinfo{});
  EXPECT_EQ(rows[kRowExtClock], L" MHz");
  EXPECT_EQ(rows[kRowMaxClock], L" MHz");
  EXPECT_EQ(rows[kRowL2Speed], L" MHz");
  EXPECT_EQ(rows[kRowL2Size], L"");

  Tcpuinfo info;
  info.ExtClock = L"133";
  info.CurrentVoltage = L"15";
  info.Manufacturer = L"GenuineIntel";
  info.Name = L"From WMI";
  ApplyWmiRecord(rows, info);
  EXPECT_EQ(rows[kRowExtClock], L"133 MHz");
  EXPECT_EQ(rows[kRowVoltage], L"15");
  EXPECT_EQ(rows[kRowManufacturer], L"GenuineIntel");
  EXPECT_EQ(rows[kRowBrand], L"From WMI") << "an empty brand takes the WMI name";
  rows[kRowBrand] = L"From the processor";
  ApplyWmiRecord(rows, info);
  EXPECT_EQ(rows[kRowBrand], L"From the processor");
}

TEST(CpuWindowText, DigitDisplays) {
  EXPECT_EQ(SpeedDigits(2394.7), L"02394");
  EXPECT_EQ(SpeedDigits(0.4), L"00000");
  EXPECT_EQ(SpeedDigits(123456.0), L"12345") << "the first five characters";
  EXPECT_EQ(SpeedDigits(-1.0), L"00000");
  EXPECT_EQ(SpeedDigits(std::numeric_limits<double>::quiet_NaN()), L"00000");
  EXPECT_EQ(SpeedDigits(std::numeric_limits<double>::infinity()), L"00000");

  EXPECT_EQ(CounterDigits(123), L"0000000000000123");
  EXPECT_EQ(CounterDigits(999'999'999'999'999), L"0999999999999999");
  EXPECT_EQ(CounterDigits(1'234'567'890'123'456'789ull), L"1234567890123456");
  EXPECT_EQ(CounterDigits(std::numeric_limits<std::uint64_t>::max()), L"1844674407370955")
      << "unsigned: no sign among the digits";
  EXPECT_EQ(CounterDigits(std::nullopt), std::wstring(16, L'0'));
}

TEST(CpuWindowText, UsageBlock) {
  CpuDisplays d;
  ApplyUsage(d, std::nullopt, L".");
  EXPECT_EQ(d.usage_label, L"0 %") << "the first tick shows nothing";
  EXPECT_EQ(d.usage_bar, 0);
  ApplyUsage(d, 50.5, L",");
  EXPECT_EQ(d.usage_label, L"50,5 %");
  EXPECT_EQ(d.usage_bar, 50);
  ApplyUsage(d, std::nullopt, L".");
  EXPECT_EQ(d.usage_label, L"50,5 %") << "a tick without a usage leaves the last one";

  EXPECT_EQ(UsageErrorText(L"Access denied.", L"support@x"), L"Access denied.\rPlease report this error to support@x");
}

TEST(CpuWindowText, EachSheetRowShowsItsOwnTextUnderItsLabel) {
  CpuRowTexts rows;
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = L"row " + std::to_wstring(r);
  const auto texts = ui::SheetTexts<CpuRowTexts>(kCpuRows, rows);
  ASSERT_EQ(texts.size(), rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(texts[r], rows[r]) << kCpuRows[r].label.data();
  EXPECT_EQ(kCpuRows[kRowBrand].label, L"CPU Brand");
  EXPECT_EQ(kCpuRows[kRowL2Speed].label, L"L2 Cache Speed");
  EXPECT_EQ(kCpuRows[kRowStatus].label, L"Status");
}

}  // namespace
}  // namespace corvane::cpu
