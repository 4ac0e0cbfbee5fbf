// The memory window's readers against the Wine prefix.
#include "memory_display_time/memory_readers_win.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com_win.h"

namespace corvane::memory_display_time {
namespace {

TEST(MemoryReaders, FiguresOfTheSystem) {
  const MemoryFigures f = ReadMemoryFigures();
  EXPECT_GT(f.total_phys, 0u);
  EXPECT_LE(f.avail_phys, f.total_phys);
  EXPECT_GT(f.total_virtual, 0u);
  EXPECT_LE(f.avail_virtual, f.total_virtual);
  EXPECT_LE(f.memory_load, 100u);
  EXPECT_EQ(f.page_size, 4096u);
  EXPECT_EQ(f.allocation_granularity, 65536u);
  EXPECT_EQ(f.min_app_address, 0x10000u);
  EXPECT_GT(f.max_app_address, f.min_app_address);
}

TEST(MemoryReaders, WinesModulesByName) {
  platform::ComApartment com;
  const ModuleTable table = ReadModuleTable();
  ASSERT_GT(table.properties, 0) << "the query failed or found no module";
  ASSERT_GE(table.instances, 1);
  ASSERT_EQ(table.grid.size(), static_cast<std::size_t>(table.instances) + 1);
  const std::vector<ModuleRow> rows = ModuleRows(table);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(table.instances));
  for (const ModuleRow& row : rows) {
    EXPECT_FALSE(row[0].empty()) << "bank";
    EXPECT_FALSE(row[1].empty()) << "device";
  }
  // Whatever the order of the class's properties, the capacities add up.
  const std::optional<std::int64_t> total = TotalCapacity(rows);
  ASSERT_TRUE(total);
  EXPECT_GT(*total, 0);
}

}  // namespace
}  // namespace corvane::memory_display_time
