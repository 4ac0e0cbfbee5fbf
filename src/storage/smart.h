// The protocol side of SMART and ATA identification, free of any Windows
// header: the request blocks the SMART driver interface expects, the parsing
// of the sectors it returns, the attribute names, the health rule and the
// messages. The transport (smart_transport.h) moves the bytes; the probing
// routines (smart_probe.h) tie both together.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane::storage {

// I/O control codes of the SMART driver interface.
inline constexpr std::uint32_t kDfpGetVersion = 0x74080;         // version and device map, no input
inline constexpr std::uint32_t kDfpSendDriveCommand = 0x7C084;   // command without data in
inline constexpr std::uint32_t kDfpReceiveDriveData = 0x7C088;   // command returning one sector

// Platform ids of the version record.
inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // the 9x family
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// Wire sizes, in bytes.
inline constexpr std::size_t kSectorSize = 512;
inline constexpr std::size_t kVersionOutSize = 24;     // GETVERSIONOUTPARAMS
inline constexpr std::size_t kCmdInSize = 33;          // SENDCMDINPARAMS, packed, 1-byte buffer
inline constexpr std::size_t kCmdInLength = 32;        // the part of it passed as input
inline constexpr std::size_t kCmdOutHeaderSize = 16;   // SENDCMDOUTPARAMS before the sector
inline constexpr std::size_t kCmdOutBufferSize = 529;  // header, one sector, one spare byte
inline constexpr std::size_t kSmartEntrySize = 12;     // one attribute or threshold entry
inline constexpr std::size_t kSmartEntryCount = 30;    // entries in one SMART sector
inline constexpr std::size_t kSmartSlots = 32;         // slots of the result arrays

static_assert(kCmdInLength + 1 == kCmdInSize);
static_assert(kCmdOutHeaderSize + kSectorSize + 1 == kCmdOutBufferSize);
static_assert(2 + kSmartEntryCount * kSmartEntrySize <= kSectorSize);
static_assert(kSmartEntryCount <= kSmartSlots);

using SectorView = std::span<const std::byte, kSectorSize>;
using SmartRequest = std::array<std::byte, kCmdInSize>;  // one SENDCMDINPARAMS block

enum class SmartCommand {
  kEnable,           // SMART ENABLE OPERATIONS
  kIdentify,         // IDENTIFY DEVICE, for ATA devices
  kIdentifyPacket,   // IDENTIFY PACKET DEVICE, for ATAPI devices
  kReadAttributes,   // SMART READ ATTRIBUTE VALUES
  kReadThresholds,   // SMART READ ATTRIBUTE THRESHOLDS
};

// How one command is sent: its registers, the data size it announces, the
// I/O control that carries it and the output length passed with it.
struct SmartCommandInfo {
  SmartCommand command;
  std::uint8_t features;
  std::uint8_t command_reg;
  std::uint8_t cyl_low;
  std::uint8_t cyl_high;
  std::uint32_t buffer_size;
  std::uint32_t ioctl;
  std::size_t out_length;
};

const SmartCommandInfo& SmartCommandDetails(SmartCommand command);

// 0xA0 for an even device number, 0xB0 for an odd one (master/slave bit).
std::uint8_t DriveHeadRegister(int device);

// The zero-filled SENDCMDINPARAMS block for `command` to device `device`
// (0..3); its first kCmdInLength bytes are the I/O control's input.
SmartRequest BuildSmartRequest(SmartCommand command, int device);

// bIDEDeviceMap of a GETVERSIONOUTPARAMS reply: bit n, device n is present;
// bit n+4, device n is an ATAPI device.
std::uint8_t DeviceMap(std::span<const std::byte, kVersionOutSize> version);

// The status bytes of a SENDCMDOUTPARAMS reply.
struct DriverStatus {
  std::uint8_t driver_error = 0;  // bDriverError
  std::uint8_t ide_error = 0;     // bIDEError, the ATA status/error register
};
DriverStatus ReadDriverStatus(std::span<const std::byte, kCmdOutBufferSize> reply);

// The sector of a SENDCMDOUTPARAMS reply.
SectorView ReplySector(std::span<const std::byte, kCmdOutBufferSize> reply);

// An IDENTIFY text field: the two bytes of every pair change places (ATA
// keeps the first character of each word in its high byte), then characters
// at or below the space are trimmed from both ends. Bytes map to the
// characters of the same code.
std::wstring SwapIdString(std::span<const std::byte> raw);

struct DriveIdentity {
  std::wstring model;
  std::wstring serial;
  std::wstring firmware;
  std::int64_t capacity = 0;  // bytes
};

// Drive size in bytes from an IDENTIFY sector. Words 60..61 cannot count past
// 0x0FFFFFFF sectors, so when the 48-bit count of words 100..103 is larger,
// that count is used instead.
std::int64_t IdentifyCapacity(SectorView identify);

DriveIdentity ParseIdentify(SectorView identify);

// The SMART reading of one drive. Slots 0..AttributeCount-1 are valid.
struct TSmartResult {
  std::int32_t DriveNum = -1;  // device that answered; -1 when none did
  std::int64_t Capacity = 0;   // bytes
  std::wstring SerialNumber;
  std::wstring Firmware;
  std::wstring Model;
  std::int32_t Temperature = 0;  // degrees Celsius; 0 without attribute 194
  std::int32_t BadAttributes = 0;
  std::int32_t AttributeCount = 0;
  std::array<std::int32_t, kSmartSlots> AttrId{};
  std::array<std::wstring, kSmartSlots> AttrName;
  std::array<bool, kSmartSlots> AttrPreFail{};
  std::array<bool, kSmartSlots> AttrEvents{};
  std::array<bool, kSmartSlots> AttrErrorRate{};
  std::array<std::int32_t, kSmartSlots> AttrCurrent{};
  std::array<std::int32_t, kSmartSlots> AttrWorst{};
  std::array<std::int32_t, kSmartSlots> AttrThreshold{};
  std::array<std::int64_t, kSmartSlots> AttrRaw{};
  std::array<std::wstring, kSmartSlots> AttrState;
};

// Display name of an attribute id; "Unknown" for ids without one.
std::wstring_view SmartAttributeName(int id);

// Text of a bDriverError code; empty for codes without one.
std::wstring_view DriverErrorText(int code);

// Fills the attribute part of `result` (slots, AttributeCount, BadAttributes,
// Temperature) from an attribute sector and the threshold sector read with
// it; the threshold of attribute entry k is threshold entry k. The walk ends
// at the first empty entry. Identity fields are left as they are.
void ParseSmartSectors(SectorView attributes, SectorView thresholds, TSmartResult& result);

// What the health box shows: empty without attributes, otherwise
// "SMART Test Passed" or "SMART Test Failed, Bad Attributes <n>".
std::wstring SmartVerdict(const TSmartResult& result);

// Failure messages; `system_message` is the system's text for the error code
// of the failed call.
std::wstring OpenSmartVsdFailedMessage(std::wstring_view system_message);
std::wstring OpenPhysicalDriveFailedMessage(std::wstring_view system_message);
std::wstring GetVersionFailedMessage(std::wstring_view system_message);
std::wstring SmartEnableFailedMessage(int device, std::wstring_view system_message);
std::wstring IdentifyFailedMessage(DriverStatus status, std::wstring_view system_message);
std::wstring ReadAttributesFailedMessage(int device, DriverStatus status,
                                         std::wstring_view system_message);
std::wstring ReadThresholdsFailedMessage(int device, DriverStatus status,
                                         std::wstring_view system_message);
std::wstring SmartExceptionMessage(std::string_view what);

}  // namespace corvane::storage
