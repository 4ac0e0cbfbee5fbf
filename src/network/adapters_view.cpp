#include "network/adapters_view.h"

#include "platform/wql_text.h"
#include "ui/report_section_build.h"

namespace corvane::network {

using namespace adapters_ids;

std::wstring AdapterQuery(std::wstring_view name_property, std::wstring_view name) {
  std::wstring query = L"Select * from Win32_NetworkAdapterConfiguration where ";
  query += name_property;
  query += L'=';
  query += platform::WqlQuoted(name);
  return query;
}

std::wstring AdapterValueText(const platform::WmiValue& value) {
  const auto* list = std::get_if<platform::WmiArray>(&value);
  if (!list) return platform::WmiPlainText(value);
  std::wstring text;
  for (const auto& element : *list) {
    if (!text.empty()) text += L", ";
    std::visit([&](const auto& scalar) { text += platform::WmiPlainText(platform::WmiValue(scalar)); }, element);
  }
  return text;
}

AdapterView BuildAdapterView(const AdapterProperties& adapter, const std::optional<platform::WmiValue>& ip_address,
                             const AdapterView& previous) {
  AdapterView view;
  view.ip_address = ip_address ? AdapterValueText(*ip_address) : previous.ip_address;
  view.mac_address = AdapterValueText(adapter.MACAddress);
  view.ip_subnet = AdapterValueText(adapter.IPSubnet);
  view.ip_gateway = AdapterValueText(adapter.DefaultIPGateway);
  view.dhcp_enabled = AdapterValueText(adapter.DHCPEnabled);
  view.service_name = AdapterValueText(adapter.ServiceName);
  view.setting_id = AdapterValueText(adapter.SettingID);
  view.dns_host_name = AdapterValueText(adapter.DNSHostName);
  return view;
}

const std::array<ui::SheetField<AdapterView>, 9> kAdapterFields{{
    {L"Adapter", L"Adapter", kIdAdapter},
    {L"IP Address", L"IPAddress", kIdIpAddress, [](const AdapterView& v) { return v.ip_address; }},
    {L"MAC Address", L"MACAddress", kIdMacAddress, [](const AdapterView& v) { return v.mac_address; }},
    {L"IP Subnet", L"IPSubnet", kIdIpSubnet, [](const AdapterView& v) { return v.ip_subnet; }},
    {L"IP Gateway", L"IPGateway", kIdIpGateway, [](const AdapterView& v) { return v.ip_gateway; }},
    {L"DHCP Enabled", L"DHCPEnabled", kIdDhcpEnabled, [](const AdapterView& v) { return v.dhcp_enabled; }},
    {L"Service Name", L"ServiceName", kIdServiceName, [](const AdapterView& v) { return v.service_name; }},
    {L"Setting ID", L"SettingID", kIdSettingId, [](const AdapterView& v) { return v.setting_id; }},
    {L"DNS Host Name", L"DNSHostName", kIdDnsHostName, [](const AdapterView& v) { return v.dns_host_name; }},
}};

ui::ReportSection NetworkAdaptersSection(std::span<const AdapterReport> adapters) {
  ui::ReportSection section{L"TfrmNetworkAdapters", std::wstring(kNetworkAdaptersCaption), {}, {}, {}};
  section.lists.push_back(ui::SheetEntries(
      L"Adapters", std::wstring(kAdapterFields[0].label), std::span<const ui::SheetField<AdapterView>>(kAdapterFields),
      adapters, [](const AdapterReport& a) -> const std::wstring& { return a.name; },
      [](const AdapterReport& a) -> const AdapterView& { return a.view; }));
  return section;
}

}  // namespace corvane::network
