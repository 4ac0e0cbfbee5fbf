// The network adapters window's readings from WMI (late-bound, through the
// scripting locator): the adapter list and one adapter's properties.
// WMI failures throw platform::WmiError, as the window's handlers expect.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/adapters_view.h"

namespace corvane::network {

struct AdapterList {
  std::vector<std::wstring> names;  // in WMI's order
  // The property the names are: kAdapterNameProperty, or
  // kAdapterNameFallback where the class has no captions (Wine's).
  std::wstring name_property{kAdapterNameProperty};
};
AdapterList ReadAdapterList();

// The adapters whose `name_property` equals `name`: normally one, none for
// a name no adapter has.
struct AdapterReading {
  AdapterProperties properties;
  std::optional<platform::WmiValue> ip_address;  // nullopt: its read failed
  std::optional<std::wstring> ip_failure;        // the failure's message
};
std::vector<AdapterReading> ReadAdapters(std::wstring_view name_property, std::wstring_view name);

}  // namespace corvane::network
