#include "inventory/services_view.h"

#include "ui/report_section_build.h"

#include <algorithm>

namespace corvane::inventory {

std::wstring_view WordTextOf(std::span<const WordText> table, std::uint32_t value) {
  const auto it = std::ranges::find(table, value, &WordText::value);
  return it == table.end() ? std::wstring_view() : it->text;
}

std::vector<std::vector<std::wstring>> ServiceRows(std::span<const ServiceRecord> records) {
  std::vector<std::vector<std::wstring>> rows;
  rows.reserve(records.size());
  for (const ServiceRecord& record : records) {
    rows.push_back({record.display_name, std::wstring(ServiceStateText(record.state)),
                    std::wstring(ServiceTypeText(record.type)), record.service_name});
  }
  return rows;
}

ui::ReportSection ServicesSection(std::vector<std::vector<std::wstring>> rows) {
  return {L"TfrmServices", kServicesCaption, {}, {ui::ListSection(kServicesCaption, kServiceColumns, std::move(rows))}, {}};
}

}  // namespace corvane::inventory
