#include "inventory/devices_view.h"

#include "ui/report_section_build.h"

#include <utility>

namespace corvane::inventory {

std::wstring DriverKeyPath(std::wstring_view class_key, std::wstring_view class_name) {
  std::wstring path(class_key);
  path += L'\\';
  path += class_name;
  path += L'\\';
  path += kFirstDriverInstance;
  return path;
}

std::vector<std::wstring> DriverRow(DriverValues values) {
  return {std::move(values.description), std::move(values.provider), std::move(values.version)};
}

ui::ReportSection DevicesSection(std::vector<std::vector<std::wstring>> rows) {
  return {L"TfrmDevices", kDevicesCaption, {}, {ui::ListSection(kDevicesCaption, kDeviceColumns, std::move(rows))}, {}};
}

}  // namespace corvane::inventory
