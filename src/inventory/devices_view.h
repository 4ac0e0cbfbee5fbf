// The device-driver window's model: one driver per device class, read from
// the class's first driver instance in the registry's class database, as
// rows of Driver, Provider and Version.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"

namespace corvane::inventory {

// The class database below HKEY_LOCAL_MACHINE, tried in this order until one
// opens: the control set the system runs on, and the saved sets only for a
// system where it cannot be opened. (The saved sets may be stale or missing
// altogether, so reading them first would show drivers that are gone.)
inline constexpr std::wstring_view kDeviceClassKeys[] = {
    L"SYSTEM\\CurrentControlSet\\Control\\Class",
    L"SYSTEM\\ControlSet002\\Control\\Class",
    L"SYSTEM\\ControlSet003\\Control\\Class",
};

// Only a class's first driver instance is read.
inline constexpr std::wstring_view kFirstDriverInstance = L"0000";
inline constexpr std::wstring_view kDriverDescValue = L"DriverDesc";
inline constexpr std::wstring_view kProviderNameValue = L"ProviderName";
inline constexpr std::wstring_view kDriverVersionValue = L"DriverVersion";

// "<class key>\<class>\0000".
std::wstring DriverKeyPath(std::wstring_view class_key, std::wstring_view class_name);

// A class is listed only when its first instance names its driver.
inline bool ListsDriver(std::wstring_view description) { return !description.empty(); }

struct DriverValues {
  std::wstring description;  // DriverDesc
  std::wstring provider;     // ProviderName
  std::wstring version;      // DriverVersion
};
std::vector<std::wstring> DriverRow(DriverValues values);

// "Driver", "Provider", "Version".
inline const ui::ReportColumn kDeviceColumns[] = {{L"Driver", 200}, {L"Provider", 150}, {L"Version", 150}};

// The window's part of the inventory report: the list under its column captions.
inline constexpr wchar_t kDevicesCaption[] = L"Device Info";
ui::ReportSection DevicesSection(std::vector<std::vector<std::wstring>> rows);

}  // namespace corvane::inventory
