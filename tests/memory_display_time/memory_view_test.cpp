#include "memory_display_time/memory_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::memory_display_time {
namespace {

TEST(MemoryView, BytesTextGroupsTheDigitsAndAddsWholeMegabytesPlusOne) {
  const struct {
    std::uint64_t bytes;
    const wchar_t* separator;
    const wchar_t* text;
  } cases[] = {
      {536346624, L",", L"536,346,624 bytes   (512 MB)"},
      {536870912, L",", L"536,870,912 bytes   (513 MB)"},  // exactly 512 MB still adds one
      {0, L",", L" bytes   (1 MB)"},                        // "#,##" shows no digit for zero
      {1048575, L".", L"1.048.575 bytes   (1 MB)"},
      {999, L",", L"999 bytes   (1 MB)"},
      {8589934592, L"\u00A0", L"8\u00A0589\u00A0934\u00A0592 bytes   (8193 MB)"},  // beyond 32 bits
      {~std::uint64_t{0}, L",", L"18,446,744,073,709,551,615 bytes   (17592186044416 MB)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(BytesText(c.bytes, c.separator), c.text);
  }
}

TEST(MemoryView, GranularityAndPageSizeHaveNoMegabytes) {
  EXPECT_EQ(GroupedBytesText(65536, L","), L"65,536 bytes");
  EXPECT_EQ(GroupedBytesText(4096, L","), L"4,096 bytes");
  EXPECT_EQ(GroupedBytesText(0, L","), L" bytes");
}

TEST(MemoryView, AddressRangeHasAtLeastEightUpperCaseDigitsEach) {
  EXPECT_EQ(AddressRangeText(0x10000, 0x7FFEFFFF), L"00010000 - 7FFEFFFF");
  EXPECT_EQ(AddressRangeText(0, 0xFFFFFFFF), L"00000000 - FFFFFFFF");
  // A 64-bit program's range keeps every digit.
  EXPECT_EQ(AddressRangeText(0x10000, 0x7FFFFFFEFFFF), L"00010000 - 7FFFFFFEFFFF");
}

// A table as the query gives it: row 0 the names, then one row per instance.
ModuleTable Table(platform::T2DimStrArray grid) {
  ModuleTable t;
  t.instances = static_cast<int>(grid.size()) - 1;
  t.properties = grid.empty() ? 0 : static_cast<int>(grid[0].size()) - 1;
  t.grid = std::move(grid);
  return t;
}

TEST(MemoryView, ModuleRowsAreLookedUpByNameWhateverTheColumnOrder) {
  // Wine's nine properties: no data width, speed or manufacturer.
  const ModuleTable wine = Table({
      {L"Instance", L"BankLabel", L"Capacity", L"Caption", L"ConfiguredClockSpeed", L"DeviceLocator", L"FormFactor",
       L"MemoryType", L"PartNumber", L"SerialNumber"},
      {L"1", L"BANK 0", L"4294967296", L"Physical Memory", L"1600", L"DIMM 0", L"8", L"0", L"", L""},
  });
  EXPECT_EQ(ModuleRows(wine), (std::vector<ModuleRow>{{L"BANK 0", L"DIMM 0", L"", L"4294967296", L"", L""}}));

  // The same properties in another order give the same cells.
  const ModuleTable shuffled = Table({
      {L"Instance", L"Speed", L"Manufacturer", L"Capacity", L"DataWidth", L"DeviceLocator", L"BankLabel"},
      {L"1", L"800", L"Acme", L"536870912", L"64", L"DIMM1", L"BANK1"},
  });
  EXPECT_EQ(ModuleRows(shuffled), (std::vector<ModuleRow>{{L"BANK1", L"DIMM1", L"64", L"536870912", L"800", L"Acme"}}));
}

TEST(MemoryView, NullSpeedOrManufacturerLeavesItsOwnCellEmpty) {
  const ModuleTable table = Table({
      {L"Instance", L"BankLabel", L"Capacity", L"DataWidth", L"DeviceLocator", L"Manufacturer", L"Speed"},
      {L"1", L"BANK0", L"268435456", L"64", L"DIMM0", L"Acme", L"NULL"},
      {L"2", L"BANK1", L"268435456", L"64", L"DIMM1", L"NULL", L"667"},
      {L"3", L"NULL", L"268435456", L"NULL", L"DIMM2", L"NULL", L"NULL"},
  });
  EXPECT_EQ(ModuleRows(table), (std::vector<ModuleRow>{
                                   {L"BANK0", L"DIMM0", L"64", L"268435456", L"", L"Acme"},
                                   {L"BANK1", L"DIMM1", L"64", L"268435456", L"667", L""},
                                   // Only speed and manufacturer are tidied; the others show what WMI said.
                                   {L"NULL", L"DIMM2", L"NULL", L"268435456", L"", L""},
                               }));
}

TEST(MemoryView, EveryInstanceIsListed) {
  platform::T2DimStrArray grid = {{L"Instance", L"BankLabel", L"Capacity"}};
  for (int i = 1; i <= 8; ++i) grid.push_back({std::to_wstring(i), L"BANK" + std::to_wstring(i), L"1073741824"});
  const MemoryWindowModel m = BuildMemoryModel({}, Table(grid), L",");
  ASSERT_EQ(m.modules.size(), 8u);
  EXPECT_EQ(m.modules[5][0], L"BANK6");
  EXPECT_EQ(m.modules[7][0], L"BANK8");
  EXPECT_EQ(m.total, L"8589934592 (8 GB)") << "the total covers every module";
}

TEST(MemoryView, FailedOrEmptyQueryGivesNoRowsAndAZeroTotal) {
  ModuleTable failed = Table({{L"Instance", L"BankLabel", L"Capacity"}, {L"1", L"BANK0", L"1024"}});
  failed.properties = -1;  // what was filled before the failure is not shown
  ModuleTable none;
  none.properties = 0;
  for (const ModuleTable& table : {failed, none}) {
    const MemoryWindowModel m = BuildMemoryModel({}, table, L",");
    EXPECT_TRUE(m.modules.empty());
    EXPECT_EQ(m.total, L"0 (0 GB)");
  }
}

TEST(MemoryView, TotalOfTheCapacityColumn) {
  const auto rows = [](std::vector<std::wstring> capacities) {
    std::vector<ModuleRow> r;
    for (auto& c : capacities) r.push_back({L"", L"", L"", std::move(c), L"", L""});
    return r;
  };
  const struct {
    std::vector<std::wstring> capacities;
    const wchar_t* text;
  } cases[] = {
      {{L"268435456", L"268435456"}, L"536870912 (0 GB)"},
      {{L"536870912", L"536870912", L"536870912", L"536870912"}, L"2147483648 (2 GB)"},
      {{L" 1073741824\t", L"+1073741824"}, L"2147483648 (2 GB)"},  // trimmed; a plus sign is a number
      {{}, L"0 (0 GB)"},
      {{L"536870912", L"NULL"}, L""},  // one capacity that is no number empties the total
      {{L"536870912", L""}, L""},      // nor is an absent one
      {{L"12abc"}, L""},
      {{L"0x400"}, L""},
      {{L"9223372036854775807", L"1"}, L""},  // a sum past 64 bits is no total either
      {{L"9223372036854775808"}, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.capacities));
    EXPECT_EQ(TotalText(TotalCapacity(rows(c.capacities))), c.text);
  }
}

TEST(MemoryView, ModelFromTheFigures) {
  MemoryFigures f;
  f.total_phys = 536346624;
  f.avail_phys = 0;
  f.total_page_file = 1073741824;
  f.avail_page_file = 1048576;
  f.total_virtual = 2147352576;
  f.avail_virtual = 2100000000;
  f.memory_load = 42;
  f.allocation_granularity = 65536;
  f.min_app_address = 0x10000;
  f.max_app_address = 0x7FFEFFFF;
  f.page_size = 4096;
  const MemoryWindowModel m = BuildMemoryModel(f, {}, L",");
  const std::vector<std::wstring> texts = ui::SheetTexts<MemoryWindowModel>(kMemoryFields, m);
  EXPECT_EQ(texts, (std::vector<std::wstring>{
                       L"536,346,624 bytes   (512 MB)", L" bytes   (1 MB)", L"1,073,741,824 bytes   (1025 MB)",
                       L"1,048,576 bytes   (2 MB)", L"2,147,352,576 bytes   (2048 MB)",
                       L"2,100,000,000 bytes   (2003 MB)", L"", L"65,536 bytes", L"00010000 - 7FFEFFFF",
                       L"4,096 bytes"}));
  EXPECT_EQ(kMemoryFields[kMemoryLoadRow].label, L"Memory Utilization");
  EXPECT_EQ(m.memory_load, 42);
  EXPECT_EQ(m.total, L"0 (0 GB)");
}

}  // namespace
}  // namespace corvane::memory_display_time
