// The two counts of the USB window, read from the system.
#pragma once
#include <cstdint>
#include <optional>

namespace corvane::usb {

// Host controllers \\.\HCD0, \\.\HCD1... that open, up to the first that does not.
int ReadHostControllerCount();
// The USB mass-storage driver's device count; nullopt when the driver's
// key or its count is missing.
std::optional<std::uint32_t> ReadUsbStorageCount();

}  // namespace corvane::usb
