#include "memory_display_time/memory_view.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>

#include "platform/number_text.h"
#include "ui/report_section_build.h"

namespace corvane::memory_display_time {
namespace {

using namespace memory_ids;

// A list column's width when none is given.
constexpr int kDefaultColumnWidth = 50;

std::wstring Hex(std::uint64_t value, std::size_t min_digits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  if (text.size() < min_digits) text.insert(0, min_digits - text.size(), L'0');
  return text;
}

// A cell's text without the blanks and control characters around it.
std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && text.front() <= L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= L' ') text.remove_suffix(1);
  return text;
}

// A decimal 64-bit integer with an optional sign; nullopt for anything else.
std::optional<std::int64_t> ParseInt64(std::wstring_view text) {
  std::string ascii;
  for (const wchar_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  std::string_view digits = ascii;
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  // from_chars takes one '-' of its own, and no '+'.
  if (digits.empty() || digits.front() == '+' || (plus && digits.front() == '-')) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// WMI gives the text "NULL" for a null value; such a cell stays empty.
std::wstring UnlessNull(const std::wstring& text) { return text == L"NULL" ? std::wstring() : text; }

}  // namespace

std::vector<ui::ReportColumn> ModuleColumns() {
  constexpr auto kRight = ui::ColumnAlign::kRight;
  return {
      {L"Bank", kDefaultColumnWidth}, {L"Device", 60},        {L"Data Width", 75, kRight},
      {L"Capacity", 75, kRight},      {L"Speed", 60},         {L"Manufacturer", 110},
  };
}

ui::ReportList ModuleList(const std::vector<ModuleRow>& rows) {
  ui::ReportList list{ModuleColumns(), {}};
  for (const auto& row : rows) list.rows.emplace_back(row.begin(), row.end());
  return list;
}

const std::array<ui::SheetField<MemoryWindowModel>, 10> kMemoryFields{{
    {L"Physical Total", L"Info1", kIdInfo1, [](const MemoryWindowModel& m) { return m.physical_total; }},
    {L"Physical Free", L"Info2", kIdInfo2, [](const MemoryWindowModel& m) { return m.physical_free; }},
    {L"Page File Total", L"Info3", kIdInfo3, [](const MemoryWindowModel& m) { return m.page_file_total; }},
    {L"Page File Free", L"Info4", kIdInfo4, [](const MemoryWindowModel& m) { return m.page_file_free; }},
    {L"Virtual Total", L"Info5", kIdInfo5, [](const MemoryWindowModel& m) { return m.virtual_total; }},
    {L"Virtual Free", L"Info6", kIdInfo6, [](const MemoryWindowModel& m) { return m.virtual_free; }},
    {L"Memory Utilization", L"MemoryLoad", kIdMemoryLoadRow},
    {L"Allocation Granularity", L"Info7", kIdInfo7,
     [](const MemoryWindowModel& m) { return m.allocation_granularity; }},
    {L"Application Address Range", L"Info8", kIdInfo8, [](const MemoryWindowModel& m) { return m.address_range; }},
    {L"Page Size", L"Info9", kIdInfo9, [](const MemoryWindowModel& m) { return m.page_size; }},
}};

std::wstring GroupedBytesText(std::uint64_t bytes, std::wstring_view thousands) {
  // "#,##" has no compulsory digit: zero shows none.
  const std::wstring digits = bytes == 0 ? std::wstring() : platform::GroupDigits(std::to_wstring(bytes), thousands);
  return digits + L" bytes";
}

std::wstring BytesText(std::uint64_t bytes, std::wstring_view thousands) {
  return GroupedBytesText(bytes, thousands) + L"   (" + std::to_wstring((bytes >> 20) + 1) + L" MB)";
}

std::wstring AddressRangeText(std::uint64_t lowest, std::uint64_t highest) {
  return Hex(lowest, 8) + L" - " + Hex(highest, 8);
}

ModuleRow ModuleRowOf(const ModuleProperties& m) {
  return {m.BankLabel, m.DeviceLocator, m.DataWidth, m.Capacity, UnlessNull(m.Speed), UnlessNull(m.Manufacturer)};
}

std::vector<ModuleRow> ModuleRows(const ModuleTable& table) {
  std::vector<ModuleRow> rows;
  if (table.properties <= 0 || table.instances <= 0 || table.grid.empty()) return rows;
  // Instance rows follow the header row; a grid shorter than the count (never
  // made by the query) ends the list where it ends.
  const std::size_t count = std::min(static_cast<std::size_t>(table.instances), table.grid.size() - 1);
  rows.reserve(count);
  for (std::size_t i = 1; i <= count; ++i) {
    rows.push_back(ModuleRowOf(platform::RecordFromTable(table.grid, kModuleProperties, i)));
  }
  return rows;
}

std::optional<std::int64_t> TotalCapacity(const std::vector<ModuleRow>& rows) {
  std::int64_t sum = 0;
  for (const auto& row : rows) {
    const std::optional<std::int64_t> capacity = ParseInt64(Trimmed(row[kCapacityColumn]));
    if (!capacity) return std::nullopt;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    if ((*capacity > 0 && sum > kMax - *capacity) || (*capacity < 0 && sum < kMin - *capacity)) return std::nullopt;
    sum += *capacity;
  }
  return sum;
}

std::wstring TotalText(std::optional<std::int64_t> total) {
  if (!total) return {};
  return std::to_wstring(*total) + L" (" + std::to_wstring(*total / 1024 / 1024 / 1024) + L" GB)";
}

MemoryWindowModel BuildMemoryModel(const MemoryFigures& f, const ModuleTable& modules, std::wstring_view thousands) {
  MemoryWindowModel m;
  m.physical_total = BytesText(f.total_phys, thousands);
  m.physical_free = BytesText(f.avail_phys, thousands);
  m.page_file_total = BytesText(f.total_page_file, thousands);
  m.page_file_free = BytesText(f.avail_page_file, thousands);
  m.virtual_total = BytesText(f.total_virtual, thousands);
  m.virtual_free = BytesText(f.avail_virtual, thousands);
  m.memory_load = static_cast<int>(std::min<std::uint32_t>(f.memory_load, 100));
  m.allocation_granularity = GroupedBytesText(f.allocation_granularity, thousands);
  m.address_range = AddressRangeText(f.min_app_address, f.max_app_address);
  m.page_size = GroupedBytesText(f.page_size, thousands);
  m.modules = ModuleRows(modules);
  m.total = TotalText(TotalCapacity(m.modules));
  return m;
}

ui::ReportSection MemorySection(const MemoryWindowModel& model) {
  static constexpr std::wstring_view kFree[] = {L"Physical Free", L"Page File Free", L"Virtual Free"};
  ui::ReportSection section{L"TfrmMemory", kMemoryCaption, {}, {}, {}};
  section.rows = ui::SheetSectionRows<MemoryWindowModel>(kMemoryFields, model, kFree);
  // The gauge's row, at its place in the sheet.
  const auto gauge_at = section.rows.begin() + static_cast<std::ptrdiff_t>(kMemoryLoadRow);
  section.rows.insert(gauge_at, {std::wstring(kMemoryFields[kMemoryLoadRow].label),
                                 std::to_wstring(model.memory_load) + L" %", true});
  section.lists.push_back(ui::ReportListSection(kModulesCaption, ModuleList(model.modules)));
  section.rows.push_back({kTotalLabel, model.total, false});
  return section;
}

}  // namespace corvane::memory_display_time
