// What the memory window shows, as pure functions of what the system
// reported: the memory figures of the operating system as texts, the
// installed memory modules WMI lists, and their total. The window
// (memory_window_win.h) reads, builds a MemoryWindowModel and only shows it.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory_display_time/memory_window_ids.h"
#include "platform/wmi_grid.h"
#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::memory_display_time {

inline constexpr wchar_t kMemoryCaption[] = L"Memory";
inline constexpr wchar_t kModulesCaption[] = L"Installed Memory Modules";
inline constexpr wchar_t kTotalLabel[] = L"Total Installed Memory";
// The class whose instances are the modules (asked by class name, not by a query).
inline constexpr wchar_t kPhysicalMemoryClass[] = L"Win32_PhysicalMemory";

// The operating system's memory figures as read (GlobalMemoryStatusEx and
// GetSystemInfo); zero where the system gave nothing.
struct MemoryFigures {
  std::uint64_t total_phys = 0, avail_phys = 0;
  std::uint64_t total_page_file = 0, avail_page_file = 0;
  std::uint64_t total_virtual = 0, avail_virtual = 0;
  std::uint32_t memory_load = 0;  // percent
  std::uint32_t allocation_granularity = 0;
  std::uint64_t min_app_address = 0, max_app_address = 0;
  std::uint32_t page_size = 0;
};

// What WMI answered for the modules: the table query's result.
struct ModuleTable {
  int properties = -1;  // the query's result: the property count, 0 (no instance) or -1 (failure)
  int instances = 0;
  platform::T2DimStrArray grid;
};

// The properties of one module that the list shows, by name, as their
// texts; empty where the module has no such property.
struct ModuleProperties {
  std::wstring BankLabel, DeviceLocator, DataWidth, Capacity, Speed, Manufacturer;
};
inline constexpr std::array<platform::WmiField<ModuleProperties>, 6> kModuleProperties{{
    {L"BankLabel", &ModuleProperties::BankLabel},
    {L"DeviceLocator", &ModuleProperties::DeviceLocator},
    {L"DataWidth", &ModuleProperties::DataWidth},
    {L"Capacity", &ModuleProperties::Capacity},
    {L"Speed", &ModuleProperties::Speed},
    {L"Manufacturer", &ModuleProperties::Manufacturer},
}};

// The module list's columns: "Bank", "Device", "Data Width", "Capacity",
// "Speed", "Manufacturer".
inline constexpr std::size_t kModuleColumnCount = 6;
inline constexpr std::size_t kCapacityColumn = 3;
using ModuleRow = std::array<std::wstring, kModuleColumnCount>;
std::vector<ui::ReportColumn> ModuleColumns();
// The module list as the window shows it.
ui::ReportList ModuleList(const std::vector<ModuleRow>& rows);

struct MemoryWindowModel {
  std::wstring physical_total, physical_free;    // Info1, Info2
  std::wstring page_file_total, page_file_free;  // Info3, Info4
  std::wstring virtual_total, virtual_free;      // Info5, Info6
  int memory_load = 0;                           // Gauge1, 0 to 100
  std::wstring allocation_granularity;           // Info7
  std::wstring address_range;                    // Info8
  std::wstring page_size;                        // Info9
  std::vector<ModuleRow> modules;                // the module list, in WMI's order
  std::wstring total;                            // Edit2
};

// The sheet's rows; "Memory Utilization" shows a gauge instead of a text.
extern const std::array<ui::SheetField<MemoryWindowModel>, 10> kMemoryFields;
inline constexpr std::size_t kMemoryLoadRow = 6;

// "#,## bytes": the digits grouped by `thousands`, then " bytes"; 0 has no
// digits and gives " bytes".
std::wstring GroupedBytesText(std::uint64_t bytes, std::wstring_view thousands);
// The grouped bytes, then "   (N MB)" with N = whole mebibytes + 1
// ("536,346,624 bytes   (512 MB)"; 0 gives " bytes   (1 MB)").
std::wstring BytesText(std::uint64_t bytes, std::wstring_view thousands);
// "00010000 - 7FFEFFFF": each address in upper-case hexadecimal, at least
// eight digits (more where a 64-bit address needs them).
std::wstring AddressRangeText(std::uint64_t lowest, std::uint64_t highest);

// The list row of one module. Speed and manufacturer reported as "NULL"
// leave their own cells empty.
ModuleRow ModuleRowOf(const ModuleProperties& module);
// One row per instance the query returned, every instance, looked up by
// property name; none when the query failed or found no instance.
std::vector<ModuleRow> ModuleRows(const ModuleTable& table);
// The sum of the capacity cells as a whole number of bytes; nullopt when a
// cell (trimmed) is no 64-bit integer or the sum does not fit.
std::optional<std::int64_t> TotalCapacity(const std::vector<ModuleRow>& rows);
// "536870912 (0 GB)": the sum in decimal and in whole gibibytes; empty when
// there is no sum.
std::wstring TotalText(std::optional<std::int64_t> total);

// The window's report section: the sheet's rows (the gauge as "N %"), the
// module list and the total. What is free, and the load, change by
// themselves and are marked volatile.
ui::ReportSection MemorySection(const MemoryWindowModel& model);

MemoryWindowModel BuildMemoryModel(const MemoryFigures& figures, const ModuleTable& modules,
                                   std::wstring_view thousands);

}  // namespace corvane::memory_display_time
