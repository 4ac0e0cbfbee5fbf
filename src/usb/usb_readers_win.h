// The two counts of the USB window, read from the system.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane::usb {

// Devices prefix0, prefix1... that open, up to the first that does not
// (host controllers: \\.\HCD, \\.\1394BUS).
int CountNumberedDevices(std::wstring_view prefix);
// USB host controllers \\.\HCD0, \\.\HCD1...
int ReadHostControllerCount();
// The USB mass-storage driver's device count; nullopt when the driver's
// key or its count is missing.
std::optional<std::uint32_t> ReadUsbStorageCount();

}  // namespace corvane::usb
