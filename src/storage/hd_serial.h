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

#include "storage/scsi_pass_through.h"
#include "storage/smart.h"

namespace corvane::storage {

// I/O control codes.
inline constexpr std::uint32_t kIoctlScsiMiniport = 0x4D008;
inline constexpr std::uint32_t kIoctlScsiMiniportIdentify = 0x1B0501;  // the SRB's ControlCode
inline constexpr std::uint32_t kIoctlScsiPassThrough = 0x4D004;

// Miniport request: an SRB_IO_CONTROL header, then SENDCMDINPARAMS going in
// and SENDCMDOUTPARAMS coming back in the same place. One buffer serves as
// input and output, both of the full length. None of the three holds a
// pointer, so the request is the same for every pointer size.
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

// Unit serial number request: SCSI_PASS_THROUGH in the layout of the
// sending program's pointer size, a 32-byte sense area right after it, then
// the data area, all in one zeroed 312-byte buffer. The structure goes in;
// the structure, the sense and the data come back: 44 bytes in and 268 out
// for a 32-bit program (sense at 44, data at 76), 56 in and 280 out for a
// 64-bit one (sense at 56, data at 88).
inline constexpr std::size_t kUnitSerialRequestSize = 312;
inline constexpr std::size_t kUnitSerialSenseLength = 24;  // asked for
inline constexpr std::size_t kUnitSerialSenseArea = 32;    // kept for it
inline constexpr std::size_t kUnitSerialDataLength = 192;
constexpr std::size_t UnitSerialInLength(const PassThroughLayout& layout) { return layout.size; }
constexpr std::size_t UnitSerialSenseOffset(const PassThroughLayout& layout) { return layout.size; }
constexpr std::size_t UnitSerialDataOffset(const PassThroughLayout& layout) {
  return UnitSerialSenseOffset(layout) + kUnitSerialSenseArea;
}
constexpr std::size_t UnitSerialOutLength(const PassThroughLayout& layout) {
  return UnitSerialDataOffset(layout) + kUnitSerialDataLength;
}
static_assert(UnitSerialDataOffset(kPassThrough32) == 76 && UnitSerialOutLength(kPassThrough32) == 268);
static_assert(UnitSerialDataOffset(kPassThrough64) == 88 && UnitSerialOutLength(kPassThrough64) == 280);
static_assert(kUnitSerialSenseLength <= kUnitSerialSenseArea);
static_assert(UnitSerialOutLength(kPassThrough32) <= kUnitSerialRequestSize &&
              UnitSerialOutLength(kPassThrough64) <= kUnitSerialRequestSize);
// A 64-bit structure ends on a multiple of 8, so the areas after it keep
// the alignment the system gives its copy of the buffer.
static_assert(UnitSerialSenseOffset(kPassThrough64) % 8 == 0 && UnitSerialDataOffset(kPassThrough64) % 8 == 0);
static_assert(kUnitSerialDataLength <= 0xFF, "the allocation length is one CDB byte");
using UnitSerialRequest = std::array<std::byte, kUnitSerialRequestSize>;

// The miniport IDENTIFY request for device 0 of the port.
MiniportRequest BuildMiniportIdentifyRequest();
// The serial field of a miniport reply, each word's bytes swapped, trimmed.
std::wstring MiniportIdentifySerial(std::span<const std::byte, kMiniportRequestSize> reply);
// The serial field of a SENDCMDOUTPARAMS reply to IDENTIFY, as above.
std::wstring SmartIdentifySerial(std::span<const std::byte, kSmartSerialReplySize> reply);

// INQUIRY for the vital product data page 0x80 (unit serial number), the
// structure in `layout`.
UnitSerialRequest BuildUnitSerialRequest(const PassThroughLayout& layout);
// The serial text of a reply to the request in `layout`, trimmed; empty
// unless the page returned is 0x80. Only bytes the drive actually returned
// are read: the page length is held to the data the reply reports as
// transferred and to the area.
std::wstring UnitSerialFromReply(std::span<const std::byte, kUnitSerialRequestSize> reply,
                                 const PassThroughLayout& layout);

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
// failure thrown on the way gives the empty text. The unit serial number
// request is sent in `layout`, the one of the sending program's pointer size.
std::wstring GetHardDiskSerial(HdSerialTransport& transport, const PassThroughLayout& layout);

}  // namespace corvane::storage
