// The services window's model: the Win32 services the service manager
// reports, one row each in the manager's order, with their state and type
// worded from fixed tables.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"

namespace corvane::inventory {

// One service as the manager reports it.
struct ServiceRecord {
  std::wstring service_name;  // the key name
  std::wstring display_name;
  std::uint32_t type = 0;     // the service type word
  std::uint32_t state = 0;    // the current-state word
  friend bool operator==(const ServiceRecord&, const ServiceRecord&) = default;
};

// A system word and the text shown for it.
struct WordText {
  std::uint32_t value;
  std::wstring_view text;
};

// Current states; pause pending (6) has no text.
inline constexpr WordText kServiceStates[] = {
    {1, L"Stopped"}, {2, L"Start Pending"}, {3, L"Stop Pending"},
    {4, L"Running"}, {5, L"Continue Pending"}, {7, L"Paused"},
};
// Service types, matched as the whole word: a type with a further flag (an
// own-process service that may use the desktop, 0x110) has no text.
inline constexpr WordText kServiceTypes[] = {
    {1, L"Kernal"}, {2, L"System"}, {16, L"Win32 Own Process"}, {32, L"Win32 Share process"},
};

// The table's text for the word; empty when the table does not hold it.
std::wstring_view WordTextOf(std::span<const WordText> table, std::uint32_t value);
inline std::wstring_view ServiceStateText(std::uint32_t state) { return WordTextOf(kServiceStates, state); }
inline std::wstring_view ServiceTypeText(std::uint32_t type) { return WordTextOf(kServiceTypes, type); }

// "Service" (display name), "Status", "Type", "Service Name" (key name).
inline const ui::ReportColumn kServiceColumns[] = {
    {L"Service", 150}, {L"Status", 100}, {L"Type", 100}, {L"Service Name", 100}};

// One row per record, in the records' order.
std::vector<std::vector<std::wstring>> ServiceRows(std::span<const ServiceRecord> records);

// The window's part of the inventory report: the list under its column captions.
inline constexpr wchar_t kServicesCaption[] = L"Services";
ui::ReportSection ServicesSection(std::vector<std::vector<std::wstring>> rows);

}  // namespace corvane::inventory
