// The summary sheet's model: 28 fixed labels and the value texts the refresh
// writes. Exports, printing and the unattended run read this model.
#pragma once
#include <array>
#include <string>
#include <string_view>


namespace corvane::report {

inline constexpr int kRowCount = 28;

inline constexpr std::array<std::wstring_view, kRowCount> kRowLabels = {
    L"Windows",         L"Internet Explorer", L"Memory (RAM)",      L"CPU Info",        L"CPU Speed",
    L"Sound Card",      L"Display Adapters",  L"Monitors",          L"Screen Resolution", L"Network",
    L"Network Adapters", L"CD / DVD Drives",  L"Ports",             L"Mouse",           L"Hard Disks",
    L"Hard Disks - Free", L"USB Controllers", L"Firewire (1394)",   L"Manufacturer",    L"Product Make",
    L"AC Power Status", L"BIOS Info",         L"Time Zone",         L"Battery",         L"Motherboard",
    L"IP Address",      L"MAC Address",       L"Host Name",
};

// Rows whose value needs administrator rights on some systems; the sheet marks them "*".
inline constexpr std::array<int, 3> kAdminRows = {19, 20, 25};

struct SummaryModel {
  std::array<std::wstring, kRowCount> values;  // values[n - 1] is Info<n>
  std::wstring optical_short_list;             // written with row 12, read by the hardware report

  const std::wstring& Value(int row) const { return values.at(static_cast<size_t>(row - 1)); }
  std::wstring& Value(int row) { return values.at(static_cast<size_t>(row - 1)); }
  static std::wstring_view Label(int row) { return kRowLabels.at(static_cast<size_t>(row - 1)); }
};

}  // namespace corvane::report
