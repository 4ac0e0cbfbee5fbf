// What the network adapters window shows: the TCP/IP configuration of one
// adapter, as a pure mapping from the properties of the
// Win32_NetworkAdapterConfiguration object WMI returned. The window
// (network_adapters_window_win.h) reads the objects and shows the view.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "network/network_adapters_window_ids.h"
#include "platform/wmi_grid.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::network {

inline constexpr std::wstring_view kNetworkAdaptersCaption = L"Network Adapters";

// Every adapter, for the drop-down list.
inline constexpr std::wstring_view kAdapterListQuery = L"Select * from Win32_NetworkAdapterConfiguration ";
// The property that names an adapter in the list; where the class has none
// (Wine's lacks it) the adapters are named by their description instead.
inline constexpr std::wstring_view kAdapterNameProperty = L"Caption";
inline constexpr std::wstring_view kAdapterNameFallback = L"Description";
// The adapter whose naming property equals `name`, quoted so that any
// text (a caption with a double quote in it, say) stays one literal.
std::wstring AdapterQuery(std::wstring_view name_property, std::wstring_view name);

// The properties the rows show, as delivered; WmiNull where the object has
// no such property or it is null.
struct AdapterProperties {
  platform::WmiValue MACAddress;
  platform::WmiValue IPSubnet;
  platform::WmiValue ServiceName;
  platform::WmiValue DHCPEnabled;
  platform::WmiValue DNSHostName;
  platform::WmiValue SettingID;
  platform::WmiValue DefaultIPGateway;
};
// In the order they are read (IPAddress, read first, has its own handling).
inline constexpr std::array<platform::WmiField<AdapterProperties, platform::WmiValue>, 7> kAdapterProperties{{
    {L"MACAddress", &AdapterProperties::MACAddress},
    {L"IPSubnet", &AdapterProperties::IPSubnet},
    {L"ServiceName", &AdapterProperties::ServiceName},
    {L"DHCPEnabled", &AdapterProperties::DHCPEnabled},
    {L"DNSHostName", &AdapterProperties::DNSHostName},
    {L"SettingID", &AdapterProperties::SettingID},
    {L"DefaultIPGateway", &AdapterProperties::DefaultIPGateway},
}};
inline constexpr std::wstring_view kIpAddressProperty = L"IPAddress";

// A value as one row shows it: null and error values empty, a boolean
// "True" or "False", a list (addresses, masks, gateways) its elements
// joined by ", ".
std::wstring AdapterValueText(const platform::WmiValue& value);

struct AdapterView {
  std::wstring ip_address, mac_address, ip_subnet, ip_gateway, dhcp_enabled, service_name, setting_id,
      dns_host_name;
  friend bool operator==(const AdapterView&, const AdapterView&) = default;
};
// The rows for one adapter. `ip_address` is nullopt when that property
// could not be read: its row then keeps the text of `previous`.
AdapterView BuildAdapterView(const AdapterProperties& adapter, const std::optional<platform::WmiValue>& ip_address,
                             const AdapterView& previous);

struct NetworkAdaptersModel {
  std::vector<std::wstring> adapters;  // the drop-down list, in WMI's order
  std::wstring name_property{kAdapterNameProperty};
  std::wstring entry;  // the text the rows were last asked for
  AdapterView view;
};

// Rows in screen order; "Adapter" holds the drop-down.
extern const std::array<ui::SheetField<AdapterView>, 9> kAdapterFields;

// One adapter of the list as the window would show it when picked.
struct AdapterReport {
  std::wstring name;  // its entry in the list
  AdapterView view;
};
// The window's report section. The window shows one adapter at a time; the
// report lists every adapter, one row each keyed by its name.
ui::ReportSection NetworkAdaptersSection(std::span<const AdapterReport> adapters);

}  // namespace corvane::network
