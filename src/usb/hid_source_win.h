// The system's HID devices: SetupAPI lists the HID interfaces, the HID
// driver library opens and describes them. Both libraries are looked up at
// run time, so the program still starts on systems without them.
#pragma once
#include <memory>

#include "usb/hid_device_source.h"

namespace corvane::usb {

// nullptr when SetupAPI or the HID library (or a function of theirs this
// program calls) is missing: there are then no devices to list.
std::unique_ptr<HidDeviceSource> MakeSystemHidSource();

}  // namespace corvane::usb
