// The device side of SMART reading, reduced to the four things the probing
// needs: open the SMART device, ask for the version and device map, send a
// command without data, and send a command that returns one sector. The
// Win32 implementation is in smart_transport_win.h; tests script their own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "storage/smart.h"

namespace corvane::storage {

// Which device carries SMART requests: the virtual device of the 9x family,
// the physical drive on the NT family, or nothing on other platforms.
enum class SmartDeviceKind { kNone, kSmartVsd, kPhysicalDrive };

inline SmartDeviceKind SmartDeviceForPlatform(std::uint32_t platform_id) {
  if (platform_id == kPlatformWin32Windows) return SmartDeviceKind::kSmartVsd;
  if (platform_id == kPlatformWin32Nt) return SmartDeviceKind::kPhysicalDrive;
  return SmartDeviceKind::kNone;
}

// The device name to open; the drive number matters only for the physical
// drive. Empty for kNone.
inline std::wstring SmartDevicePath(SmartDeviceKind kind, int drive) {
  switch (kind) {
    case SmartDeviceKind::kSmartVsd:
      return L"\\\\.\\SMARTVSD";
    case SmartDeviceKind::kPhysicalDrive:
      return L"\\\\.\\PhysicalDrive" + std::to_wstring(drive);
    case SmartDeviceKind::kNone:
      break;
  }
  return {};
}

// Outcome of one device call; on failure, the system's message for the error
// code the call left behind.
struct SmartCall {
  bool ok = false;
  std::wstring system_message;
};

// An open SMART device; destroying it closes the device.
class SmartDevice {
 public:
  virtual ~SmartDevice() = default;

  // DFP_GET_VERSION, no input, into the 24-byte GETVERSIONOUTPARAMS.
  virtual SmartCall GetVersion(std::span<std::byte, kVersionOutSize> out) = 0;

  // DFP_SEND_DRIVE_COMMAND: `in` is the input (kCmdInLength bytes of a
  // request), `out` the output buffer with the length to pass.
  virtual SmartCall SendCommand(std::span<const std::byte> in, std::span<std::byte> out) = 0;

  // DFP_RECEIVE_DRIVE_DATA: as SendCommand; the reply carries one sector.
  virtual SmartCall ReceiveSector(std::span<const std::byte> in, std::span<std::byte> out) = 0;
};

struct SmartOpenResult {
  SmartDeviceKind kind = SmartDeviceKind::kNone;  // which device was tried
  std::unique_ptr<SmartDevice> device;            // null when nothing was opened
  std::wstring system_message;                    // why the open failed
};

class SmartTransport {
 public:
  virtual ~SmartTransport() = default;

  // Opens the SMART device of this platform for `drive`. A result of kind
  // kNone means the platform has no SMART device; otherwise a null device
  // means the open failed.
  virtual SmartOpenResult Open(int drive) = 0;
};

}  // namespace corvane::storage
