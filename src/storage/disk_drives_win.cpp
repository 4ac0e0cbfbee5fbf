#include "storage/disk_drives_win.h"

#include "platform/wmi_win.h"

namespace corvane::storage {
namespace {

constexpr HRESULT kWbemNotFound = static_cast<HRESULT>(WBEM_E_NOT_FOUND);

platform::WmiValue ReadProperty(const platform::WmiLateObject& object, std::wstring_view name) {
  try {
    return platform::WmiValueFromVariant(object.Get(name).get());
  } catch (const platform::WmiError& e) {
    if (e.code() == DISP_E_UNKNOWNNAME || e.code() == DISP_E_MEMBERNOTFOUND || e.code() == kWbemNotFound)
      return platform::WmiNull{};
    throw;
  }
}

}  // namespace

DiskDriveReading ReadDiskDrives() {
  DiskDriveReading reading;
  try {
    const auto wmi = platform::WmiLateBound::ConnectLocator(L".", L"root\\cimv2");
    wmi.ExecQuery(kDiskDriveQuery, [&](const platform::WmiLateObject& object) {
      reading.disks.push_back(platform::RecordFromObject(
          kDiskDriveProperties, [&](std::wstring_view name) { return ReadProperty(object, name); }));
    });
  } catch (const platform::WmiError& e) {
    reading.error = e.message();
  }
  return reading;
}

}  // namespace corvane::storage
