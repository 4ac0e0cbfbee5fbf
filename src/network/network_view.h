// What the network window shows, row by row, and the table that lays its
// sheet out. The window (network_window_win.h) reads, fills the model and
// shows it through the table; tests read the model and the table.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "network/network_text.h"
#include "network/network_window_ids.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::network {

inline constexpr std::wstring_view kNetworkCaption = L"Network";

struct NetworkWindowModel {
  std::wstring computer_name;
  std::wstring user_name;
  std::wstring ip_addresses;
  std::wstring mac_address;
  std::wstring administrator;
  std::wstring connection;
  std::vector<std::wstring> adapters;  // one description each
  std::vector<std::wstring> shares;    // one share name each
  std::vector<MappedDrive> drives;
  std::wstring workgroup;
  std::wstring domain;
  std::wstring description;
};

// The "Network Drives" box: one line per drive (MappedDriveLine).
std::wstring MappedDrivesText(const std::vector<MappedDrive>& drives);

// Rows in screen order; the tall ones hold several lines.
inline constexpr int kAdapterRowLines = 4;
inline constexpr int kShareRowLines = 4;
inline constexpr int kDriveRowLines = 4;
extern const std::array<ui::SheetField<NetworkWindowModel>, 12> kNetworkFields;

// The window's report section: its one-line rows, and the adapters, shares
// and mapped drives as lists of one column.
ui::ReportSection NetworkSection(const NetworkWindowModel& model);

// Where each row sits in kNetworkFields.
enum NetworkRow : std::size_t {
  kComputerNameRow,
  kUserNameRow,
  kIpAddressRow,
  kMacAddressRow,
  kAdministratorRow,
  kConnectionRow,
  kAdaptersRow,
  kSharesRow,
  kDrivesRow,
  kWorkgroupRow,
  kDomainRow,
  kDescriptionRow,
};

}  // namespace corvane::network
