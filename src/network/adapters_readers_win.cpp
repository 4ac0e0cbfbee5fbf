#include "network/adapters_readers_win.h"

#include "platform/wmi_win.h"

namespace corvane::network {
namespace {

// A property the class lacks reads as null.
platform::WmiValue ValueOrNull(const platform::WmiLateObject& object, std::wstring_view name) {
  const auto value = object.Find(name);
  return value ? platform::WmiValueFromVariant(value->get()) : platform::WmiValue(platform::WmiNull{});
}

}  // namespace

AdapterList ReadAdapterList() {
  std::vector<std::wstring> captions, descriptions;
  bool every_caption = true;
  const auto wmi = platform::WmiLateBound::ConnectLocator();
  wmi.ExecQuery(kAdapterListQuery, [&](const platform::WmiLateObject& object) {
    const auto caption = object.Find(kAdapterNameProperty);
    if (!caption) every_caption = false;
    captions.push_back(caption ? platform::WmiPlainText(caption->get()) : std::wstring());
    descriptions.push_back(platform::WmiPlainText(ValueOrNull(object, kAdapterNameFallback)));
  });
  AdapterList list;
  if (every_caption || captions.empty()) {
    list.names = std::move(captions);
  } else {
    list.names = std::move(descriptions);
    list.name_property = kAdapterNameFallback;
  }
  return list;
}

std::vector<AdapterReading> ReadAdapters(std::wstring_view name_property, std::wstring_view name) {
  std::vector<AdapterReading> adapters;
  const auto wmi = platform::WmiLateBound::ConnectLocator();
  wmi.ExecQuery(AdapterQuery(name_property, name), [&](const platform::WmiLateObject& object) {
    AdapterReading reading;
    try {
      reading.ip_address = ValueOrNull(object, kIpAddressProperty);
    } catch (const platform::WmiError& e) {
      reading.ip_failure = e.message();
    }
    reading.properties = platform::RecordFromObject(
        kAdapterProperties, [&](std::wstring_view property) { return ValueOrNull(object, property); });
    adapters.push_back(std::move(reading));
  });
  return adapters;
}

}  // namespace corvane::network
