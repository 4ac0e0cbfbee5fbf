#include "network/network_view.h"

#include "ui/report_section_build.h"

namespace corvane::network {

using namespace network_ids;
using ui::SheetCell;
using Model = NetworkWindowModel;

std::wstring MappedDrivesText(const std::vector<MappedDrive>& drives) {
  std::vector<std::wstring> lines;
  lines.reserve(drives.size());
  for (const auto& drive : drives) lines.push_back(MappedDriveLine(drive));
  return ui::JoinLines(lines);
}

const std::array<ui::SheetField<NetworkWindowModel>, 12> kNetworkFields{{
    {L"Computer Name", L"ComputerName", kIdComputerName, [](const Model& m) { return m.computer_name; }},
    {L"Username", L"UserName", kIdUserName, [](const Model& m) { return m.user_name; }},
    {L"IP Address", L"IPAddress", kIdIpAddress, [](const Model& m) { return m.ip_addresses; }},
    {L"MAC Address", L"MACAddress", kIdMacAddress, [](const Model& m) { return m.mac_address; }},
    {L"Administrator", L"Administrator", kIdAdministrator, [](const Model& m) { return m.administrator; }},
    {L"Connection", L"Connection", kIdConnection, [](const Model& m) { return m.connection; }},
    {L"Ethernet Adapters", L"Adapters", kIdAdapters, [](const Model& m) { return ui::JoinLines(m.adapters); },
     SheetCell::kTextBox, kAdapterRowLines},
    {L"Network Shares", L"Shares", kIdShares, [](const Model& m) { return ui::JoinLines(m.shares); },
     SheetCell::kList, kShareRowLines},
    {L"Network Drives", L"Drives", kIdDrives, [](const Model& m) { return MappedDrivesText(m.drives); },
     SheetCell::kTextBox, kDriveRowLines},
    {L"Workgroup", L"Workgroup", kIdWorkgroup, [](const Model& m) { return m.workgroup; }},
    {L"Domain", L"Domain", kIdDomain, [](const Model& m) { return m.domain; }},
    {L"Computer Description", L"Description", kIdDescription, [](const Model& m) { return m.description; }},
}};

ui::ReportSection NetworkSection(const NetworkWindowModel& model) {
  ui::ReportSection section{L"TfrmNetwork", std::wstring(kNetworkCaption), {}, {}, {}};
  ui::AddSheet<NetworkWindowModel>(section, kNetworkFields, model);
  return section;
}

}  // namespace corvane::network
