#include "storage/hd_serial.h"

#include <algorithm>

namespace corvane::storage {
namespace {

void StoreLe(std::span<std::byte> b, std::size_t at, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) b[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

std::uint32_t LoadLe(std::span<const std::byte> b, std::size_t at, std::size_t width) {
  std::uint32_t v = 0;
  for (std::size_t i = width; i-- > 0;) v = (v << 8) | std::to_integer<std::uint32_t>(b[at + i]);
  return v;
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

// ---- SCSI_PASS_THROUGH, 32-bit ------------------------------------------------
namespace spt {
constexpr std::size_t kLength = 0;  // 16-bit
constexpr std::size_t kCdbLength = 6;
constexpr std::size_t kSenseInfoLength = 7;
constexpr std::size_t kDataIn = 8;
constexpr std::size_t kDataTransferLength = 12;  // 32-bit; the driver writes back what moved
constexpr std::size_t kTimeOutValue = 16;
constexpr std::size_t kDataBufferOffset = 20;
constexpr std::size_t kSenseInfoOffset = 24;
constexpr std::size_t kCdb = 28;  // 16 bytes
static_assert(kCdb + 16 == kPassThroughSize);
constexpr std::uint8_t kScsiIoctlDataIn = 1;
}  // namespace spt

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

std::wstring UnitSerial(HdSerialTransport& transport) {
  auto device = transport.Open(kVolumeCPath, HdSerialOpen::kReadWrite);
  if (!device) return {};
  UnitSerialRequest buffer = BuildUnitSerialRequest();
  const std::span<std::byte> whole(buffer);
  if (!device->Control(kIoctlScsiPassThrough, whole.first(kUnitSerialInLength), whole.first(kUnitSerialOutLength)))
    return {};
  return UnitSerialFromReply(buffer);
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

UnitSerialRequest BuildUnitSerialRequest() {
  UnitSerialRequest r{};
  StoreLe(r, spt::kLength, kPassThroughSize, 2);
  r[spt::kCdbLength] = static_cast<std::byte>(kUnitSerialCdb.size());
  r[spt::kSenseInfoLength] = static_cast<std::byte>(kUnitSerialSenseLength);
  r[spt::kDataIn] = std::byte{spt::kScsiIoctlDataIn};
  StoreLe(r, spt::kDataTransferLength, kUnitSerialDataLength, 4);
  StoreLe(r, spt::kTimeOutValue, kTimeoutSeconds, 4);
  StoreLe(r, spt::kDataBufferOffset, kUnitSerialDataOffset, 4);
  StoreLe(r, spt::kSenseInfoOffset, kUnitSerialSenseOffset, 4);
  std::ranges::transform(kUnitSerialCdb, r.begin() + spt::kCdb, [](std::uint8_t b) { return std::byte{b}; });
  return r;
}

std::wstring UnitSerialFromReply(std::span<const std::byte, kUnitSerialRequestSize> reply) {
  const auto page = reply.subspan<kUnitSerialDataOffset, kUnitSerialDataLength>();
  const std::size_t transferred = std::min<std::size_t>(LoadLe(reply, spt::kDataTransferLength, 4),
                                                        kUnitSerialDataLength);
  if (transferred < kPageText || std::to_integer<std::uint8_t>(page[kPageCode]) != kUnitSerialPage) return {};
  // The page length is the drive's claim; the bytes that arrived bound it.
  const std::size_t length =
      std::min<std::size_t>(std::to_integer<std::size_t>(page[kPageLength]), transferred - kPageText);
  return TrimmedText(page.subspan(kPageText, length));
}

std::wstring GetHardDiskSerial(HdSerialTransport& transport) {
  try {
    std::wstring serial = IdentifySerial(transport);
    if (serial.empty()) serial = UnitSerial(transport);
    if (serial.empty()) serial = kHardDiskSerialError;
    return serial;
  } catch (...) {
    return {};  // a half-read source proves nothing
  }
}

}  // namespace corvane::storage
