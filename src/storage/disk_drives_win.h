// The disk drives WMI knows, read through the late-bound scripting objects.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "storage/usb_drives.h"

namespace corvane::storage {

struct DiskDriveReading {
  std::vector<DiskDriveProperties> disks;  // in enumeration order, as far as it went
  std::optional<std::wstring> error;       // why WMI could not be reached or the walk broke off
};

// Runs "SELECT * FROM Win32_DiskDrive" through SWbemLocator on this machine
// and reads the properties the USB drives window uses from every object. A
// property the object does not have reads as null (Wine's disks, for one,
// have no Capabilities). COM must be initialised on the calling thread.
DiskDriveReading ReadDiskDrives();

}  // namespace corvane::storage
