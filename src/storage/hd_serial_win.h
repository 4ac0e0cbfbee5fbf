// The hard-disk serial number over the Windows device interfaces.
#pragma once
#include <string>

#include "storage/hd_serial.h"

namespace corvane::storage {

// Devices opened with CreateFile and asked with DeviceIoControl; the
// platform id from the version record.
class Win32HdSerialTransport final : public HdSerialTransport {
 public:
  std::uint32_t PlatformId() override;
  std::unique_ptr<HdSerialDevice> Open(std::wstring_view path, HdSerialOpen how) override;
};

// GetHardDiskSerial over Win32HdSerialTransport: the serial of the first hard
// disk, or "Error!".
std::wstring GetHardDiskSerial();

}  // namespace corvane::storage
