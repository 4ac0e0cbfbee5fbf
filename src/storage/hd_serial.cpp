#include "storage/hd_serial.h"

#include <algorithm>

namespace corvane::storage {
namespace {

void StoreLe(std::span<std::byte> b, std::size_t at, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) b[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

constexpr std::uint32_t kTimeoutSeconds = 2;
constexpr std::size_t kIdSerialLength = 20;  // IDENTIFY words 10..19

// ---- SRB_IO_CONTROL ------------------------------------------------------------
namespace srb {
constexpr std::size_t kHeaderLength = 0;  // 32-bit
constexpr std::size_t kSignature = 4;     // 8 bytes, no terminator
constexpr std::size_t kTimeout = 12;
constexpr std::size_t kControlCode = 16;
constexpr std::size_t kReturnCode = 20;
constexpr std::size_t kLength = 24;
static_assert(kLength + 4 == kSrbIoControlSize);
constexpr char kSignatureText[8] = {'S', 'C', 'S', 'I', 'D', 'I', 'S', 'K'};
}  // namespace srb

// INQUIRY with EVPD set, page 0x80, allocation length = the data area.
constexpr std::array<std::uint8_t, 6> kUnitSerialCdb = {0x12, 0x01, 0x80, 0x00,
                                                       static_cast<std::uint8_t>(kUnitSerialDataLength), 0x00};
constexpr std::uint8_t kUnitSerialPage = 0x80;
constexpr std::size_t kPageCode = 1;
constexpr std::size_t kPageLength = 3;
constexpr std::size_t kPageText = 4;

// Each byte one character of the same code; characters at or below the
// space trimmed from both ends.
std::wstring TrimmedText(std::span<const std::byte> bytes) {
  std::wstring s;
  for (std::byte b : bytes) s.push_back(static_cast<wchar_t>(std::to_integer<unsigned>(b)));
  const auto blank = [](wchar_t c) { return static_cast<unsigned>(c) <= 0x20u; };
  const auto first = std::ranges::find_if_not(s, blank);
  const auto last = std::find_if_not(s.rbegin(), s.rend(), blank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

// The IDENTIFY source: the miniport of SCSI port 0 on NT, SMARTVSD elsewhere.
std::wstring IdentifySerial(HdSerialTransport& transport) {
  if (transport.PlatformId() == kPlatformWin32Nt) {
    auto device = transport.Open(kScsiPort0Path, HdSerialOpen::kReadWrite);
    if (!device) return {};
    MiniportRequest buffer = BuildMiniportIdentifyRequest();
    if (!device->Control(kIoctlScsiMiniport, buffer, buffer)) return {};
    return MiniportIdentifySerial(buffer);
  }
  auto device = transport.Open(kSmartVsdPath, HdSerialOpen::kVxd);
  if (!device) return {};
  const SmartRequest request = BuildSmartRequest(SmartCommand::kIdentify, 0);
  std::array<std::byte, kSmartSerialReplySize> reply{};
  if (!device->Control(kDfpReceiveDriveData, std::span(request).first(kCmdInLength), reply)) return {};
  return SmartIdentifySerial(reply);
}

std::wstring UnitSerial(HdSerialTransport& transport, const PassThroughLayout& layout) {
  auto device = transport.Open(kVolumeCPath, HdSerialOpen::kReadWrite);
  if (!device) return {};
  // The structure's own alignment (its pointer-sized field's).
  alignas(8) UnitSerialRequest buffer = BuildUnitSerialRequest(layout);
  const std::span<std::byte> whole(buffer);
  if (!device->Control(kIoctlScsiPassThrough, whole.first(UnitSerialInLength(layout)),
                       whole.first(UnitSerialOutLength(layout))))
    return {};
  return UnitSerialFromReply(buffer, layout);
}

}  // namespace

MiniportRequest BuildMiniportIdentifyRequest() {
  MiniportRequest r{};
  StoreLe(r, srb::kHeaderLength, kSrbIoControlSize, 4);
  std::ranges::transform(srb::kSignatureText, r.begin() + srb::kSignature,
                         [](char c) { return static_cast<std::byte>(c); });
  StoreLe(r, srb::kTimeout, kTimeoutSeconds, 4);
  StoreLe(r, srb::kControlCode, kIoctlScsiMiniportIdentify, 4);
  StoreLe(r, srb::kReturnCode, 0, 4);
  StoreLe(r, srb::kLength, kMiniportPayloadSize, 4);
  const SmartRequest identify = BuildSmartRequest(SmartCommand::kIdentify, 0);
  std::ranges::copy(identify, r.begin() + kSrbIoControlSize);
  return r;
}

std::wstring MiniportIdentifySerial(std::span<const std::byte, kMiniportRequestSize> reply) {
  return SwapIdString(reply.subspan(kMiniportSerialOffset, kIdSerialLength));
}

std::wstring SmartIdentifySerial(std::span<const std::byte, kSmartSerialReplySize> reply) {
  return SwapIdString(reply.subspan(kSmartSerialOffset, kIdSerialLength));
}

UnitSerialRequest BuildUnitSerialRequest(const PassThroughLayout& layout) {
  UnitSerialRequest r{};
  StorePassThrough(r, layout,
                   {.cdb = kUnitSerialCdb,
                    .sense_info_length = static_cast<std::uint8_t>(kUnitSerialSenseLength),
                    .data_transfer_length = kUnitSerialDataLength,
                    .time_out_value = kTimeoutSeconds,
                    .sense_info_offset = static_cast<std::uint32_t>(UnitSerialSenseOffset(layout))});
  // The data area's offset from the start of the structure goes in the
  // pointer-sized field; so small an offset fits every width.
  static_assert(UnitSerialDataOffset(kPassThrough64) <= 0xFFFF'FFFFu);
  (void)StorePassThroughDataBuffer(r, layout, UnitSerialDataOffset(layout));
  return r;
}

std::wstring UnitSerialFromReply(std::span<const std::byte, kUnitSerialRequestSize> reply,
                                 const PassThroughLayout& layout) {
  const auto page = reply.subspan(UnitSerialDataOffset(layout), kUnitSerialDataLength);
  const std::size_t transferred =
      std::min<std::size_t>(LoadPassThroughTransferred(reply, layout), kUnitSerialDataLength);
  if (transferred < kPageText || std::to_integer<std::uint8_t>(page[kPageCode]) != kUnitSerialPage) return {};
  // The page length is the drive's claim; the bytes that arrived bound it.
  const std::size_t length =
      std::min<std::size_t>(std::to_integer<std::size_t>(page[kPageLength]), transferred - kPageText);
  return TrimmedText(page.subspan(kPageText, length));
}

std::wstring GetHardDiskSerial(HdSerialTransport& transport, const PassThroughLayout& layout) {
  try {
    std::wstring serial = IdentifySerial(transport);
    if (serial.empty()) serial = UnitSerial(transport, layout);
    if (serial.empty()) serial = kHardDiskSerialError;
    return serial;
  } catch (...) {
    return {};  // a half-read source proves nothing
  }
}

}  // namespace corvane::storage
