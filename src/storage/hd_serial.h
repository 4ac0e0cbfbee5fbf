// The serial number of the machine's first hard disk, tried from three
// sources in turn: the ATA IDENTIFY data of the first IDE device (through the
// SCSI miniport of port 0 on the NT family, through the SMART virtual device
// on the 9x family), the unit serial number page of volume C:, and finally
// the fixed text "Error!". The request blocks are built and read here, free
// of Windows headers; the device calls go through HdSerialTransport, whose
// Win32 implementation is in hd_serial_win.h.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "storage/smart.h"

namespace corvane::storage {

// I/O control codes.
inline constexpr std::uint32_t kIoctlScsiMiniport = 0x4D008;
inline constexpr std::uint32_t kIoctlScsiMiniportIdentify = 0x1B0501;  // the SRB's ControlCode
inline constexpr std::uint32_t kIoctlScsiPassThrough = 0x4D004;

// Miniport request: an SRB_IO_CONTROL header, then SENDCMDINPARAMS going in
// and SENDCMDOUTPARAMS coming back in the same place. One buffer serves as
// input and output, both of the full length.
inline constexpr std::size_t kSrbIoControlSize = 28;
inline constexpr std::size_t kMiniportPayloadSize = 544;  // the header's Length
inline constexpr std::size_t kMiniportRequestSize = 572;
inline constexpr std::size_t kMiniportSerialOffset = 64;  // the IDENTIFY serial field
static_assert(kSrbIoControlSize + kMiniportPayloadSize == kMiniportRequestSize);
static_assert(kMiniportSerialOffset == kSrbIoControlSize + kCmdOutHeaderSize + 20);
static_assert(kSrbIoControlSize + kCmdOutHeaderSize + kSectorSize <= kMiniportRequestSize);
using MiniportRequest = std::array<std::byte, kMiniportRequestSize>;

// SMART request on the 9x family: IDENTIFY DEVICE for device 0 with the
// usual 32-byte input, into a 528-byte SENDCMDOUTPARAMS.
inline constexpr std::size_t kSmartSerialReplySize = 528;
inline constexpr std::size_t kSmartSerialOffset = 36;
static_assert(kSmartSerialOffset == kCmdOutHeaderSize + 20);
static_assert(kCmdOutHeaderSize + kSectorSize == kSmartSerialReplySize);

// Unit serial number request: SCSI_PASS_THROUGH (32-bit layout), sense data
// and the data area in one buffer. The first 44 bytes go in; 268 come back.
inline constexpr std::size_t kUnitSerialRequestSize = 312;
inline constexpr std::size_t kPassThroughSize = 44;  // SCSI_PASS_THROUGH
inline constexpr std::size_t kUnitSerialInLength = kPassThroughSize;
inline constexpr std::size_t kUnitSerialSenseOffset = 44;
inline constexpr std::size_t kUnitSerialSenseLength = 24;
inline constexpr std::size_t kUnitSerialDataOffset = 76;
inline constexpr std::size_t kUnitSerialDataLength = 192;
inline constexpr std::size_t kUnitSerialOutLength = kUnitSerialDataOffset + kUnitSerialDataLength;
static_assert(kUnitSerialOutLength == 268);
static_assert(kUnitSerialSenseOffset + kUnitSerialSenseLength <= kUnitSerialDataOffset);
static_assert(kUnitSerialOutLength <= kUnitSerialRequestSize);
static_assert(kUnitSerialDataLength <= 0xFF, "the allocation length is one CDB byte");
using UnitSerialRequest = std::array<std::byte, kUnitSerialRequestSize>;

// The miniport IDENTIFY request for device 0 of the port.
MiniportRequest BuildMiniportIdentifyRequest();
// The serial field of a miniport reply, each word's bytes swapped, trimmed.
std::wstring MiniportIdentifySerial(std::span<const std::byte, kMiniportRequestSize> reply);
// The serial field of a SENDCMDOUTPARAMS reply to IDENTIFY, as above.
std::wstring SmartIdentifySerial(std::span<const std::byte, kSmartSerialReplySize> reply);

// INQUIRY for the vital product data page 0x80 (unit serial number).
UnitSerialRequest BuildUnitSerialRequest();
// The serial text of a reply, trimmed; empty unless the page returned is
// 0x80. Only bytes the drive actually returned are read: the page length
// is held to the data the reply reports as transferred and to the area.
std::wstring UnitSerialFromReply(std::span<const std::byte, kUnitSerialRequestSize> reply);

// What GetHardDiskSerial gives when no source answers.
inline constexpr std::wstring_view kHardDiskSerialError = L"Error!";

// Device names the sources open.
inline constexpr std::wstring_view kScsiPort0Path = L"\\\\.\\Scsi0:";
inline constexpr std::wstring_view kSmartVsdPath = L"\\\\.\\SMARTVSD";
inline constexpr std::wstring_view kVolumeCPath = L"\\\\.\\C:";

// An open device; destroying it closes it.
class HdSerialDevice {
 public:
  virtual ~HdSerialDevice() = default;
  // One synchronous I/O control. `in` and `out` may be the same bytes (the
  // request is answered in place). True when the call succeeded.
  virtual bool Control(std::uint32_t ioctl, std::span<const std::byte> in, std::span<std::byte> out) = 0;
};

enum class HdSerialOpen {
  kReadWrite,  // reading and writing, shared for both, existing device
  kVxd,        // no access, no sharing, "created": how a 9x virtual device is reached
};

class HdSerialTransport {
 public:
  virtual ~HdSerialTransport() = default;
  // The platform id of the version record (kPlatformWin32Nt, ...).
  virtual std::uint32_t PlatformId() = 0;
  // Null when the device does not open.
  virtual std::unique_ptr<HdSerialDevice> Open(std::wstring_view path, HdSerialOpen how) = 0;
};

// Never empty: the serial, or "Error!" when no source gave one. Only a
// failure thrown on the way gives the empty text.
std::wstring GetHardDiskSerial(HdSerialTransport& transport);

}  // namespace corvane::storage
