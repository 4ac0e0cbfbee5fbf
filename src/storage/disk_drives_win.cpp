#include "storage/disk_drives_win.h"

#include "platform/wmi_win.h"

namespace corvane::storage {
namespace {

// A property the class lacks reads as null.
platform::WmiValue ReadProperty(const platform::WmiLateObject& object, std::wstring_view name) {
  const auto value = object.Find(name);
  return value ? platform::WmiValueFromVariant(value->get()) : platform::WmiValue(platform::WmiNull{});
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
