#include "storage/smart.h"

#include <algorithm>
#include <iterator>

namespace corvane::storage {
namespace {

// ---- little-endian loaders --------------------------------------------------

std::uint8_t Load8(std::span<const std::byte> b, std::size_t at) {
  return std::to_integer<std::uint8_t>(b[at]);
}

std::uint64_t LoadLe(std::span<const std::byte> b, std::size_t at, std::size_t width) {
  std::uint64_t v = 0;
  for (std::size_t i = width; i-- > 0;) v = (v << 8) | Load8(b, at + i);
  return v;
}

std::uint16_t LoadLe16(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::uint16_t>(LoadLe(b, at, 2));
}
std::uint32_t LoadLe32(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::uint32_t>(LoadLe(b, at, 4));
}

void StoreLe32(std::span<std::byte> b, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
}

// ---- SENDCMDINPARAMS layout -------------------------------------------------

namespace cmd_in {
constexpr std::size_t kBufferSize = 0;  // 32-bit
constexpr std::size_t kFeatures = 4;
constexpr std::size_t kSectorCount = 5;
constexpr std::size_t kSectorNumber = 6;
constexpr std::size_t kCylLow = 7;
constexpr std::size_t kCylHigh = 8;
constexpr std::size_t kDriveHead = 9;
constexpr std::size_t kCommand = 10;
constexpr std::size_t kDriveNumber = 12;
constexpr std::size_t kReservedDwords = 16;  // 4 x 32-bit
constexpr std::size_t kBuffer = 32;          // 1 byte
static_assert(kReservedDwords + 4 * 4 == kBuffer);
static_assert(kBuffer + 1 == kCmdInSize);
}  // namespace cmd_in

// ---- SENDCMDOUTPARAMS and GETVERSIONOUTPARAMS --------------------------------

constexpr std::size_t kOutDriverError = 4;  // after the 32-bit cBufferSize
constexpr std::size_t kOutIdeError = 5;
constexpr std::size_t kOutReservedDwords = 8;  // 2 x 32-bit, after 2 reserved bytes
static_assert(kOutReservedDwords + 2 * 4 == kCmdOutHeaderSize);

constexpr std::size_t kVersionDeviceMap = 3;     // after version, revision, reserved
constexpr std::size_t kVersionCapabilities = 4;  // 32-bit
constexpr std::size_t kVersionReservedDwords = 8;  // 4 x 32-bit
static_assert(kVersionDeviceMap + 1 == kVersionCapabilities);
static_assert(kVersionReservedDwords + 4 * 4 == kVersionOutSize);

// ---- IDENTIFY sector ----------------------------------------------------------

constexpr std::size_t kIdSerial = 20, kIdSerialLength = 20;      // words 10..19
constexpr std::size_t kIdFirmware = 46, kIdFirmwareLength = 8;   // words 23..26
constexpr std::size_t kIdModel = 54, kIdModelLength = 40;        // words 27..46
constexpr std::size_t kIdSectors28 = 120;                        // words 60..61
constexpr std::size_t kIdSectors48 = 200;                        // words 100..103
static_assert(kIdSerial + kIdSerialLength <= kIdFirmware);
static_assert(kIdFirmware + kIdFirmwareLength == kIdModel);
static_assert(kIdModel + kIdModelLength <= kIdSectors28);
static_assert(kIdSectors48 + 8 <= kSectorSize);
// A 48-bit count times 512 stays well inside a signed 64-bit size.
constexpr std::uint64_t kMax48BitSectors = (std::uint64_t{1} << 48) - 1;

// ---- SMART sectors ------------------------------------------------------------

constexpr std::size_t kSmartFirstEntry = 2;  // after the 16-bit revision
constexpr std::size_t kAttrId = 0;
constexpr std::size_t kAttrFlags = 1;  // 16-bit
constexpr std::size_t kAttrCurrent = 3;
constexpr std::size_t kAttrWorst = 4;
constexpr std::size_t kAttrRaw = 5;  // 48-bit
constexpr std::size_t kAttrRawWidth = 6;
constexpr std::size_t kThreshValue = 1;
static_assert(kAttrRaw + kAttrRawWidth + 1 == kSmartEntrySize);

constexpr std::uint16_t kFlagPreFail = 1u << 0;
constexpr std::uint16_t kFlagErrorRate = 1u << 3;
constexpr std::uint16_t kFlagEvents = 1u << 4;

constexpr int kIdSpinUpTime = 3;
constexpr int kIdStartStopCount = 4;
constexpr int kIdReallocatedSectors = 5;
constexpr int kIdTemperature = 194;
constexpr std::int64_t kReallocatedWarnAbove = 500;
constexpr int kIdealDefault = 100;
// Drives that report spin-up values near the top of the byte scale use 253 as
// their best value for the attributes that follow.
constexpr int kIdealHigh = 253;
constexpr int kHighScaleAbove = 230;

// ---- tables ---------------------------------------------------------------------

constexpr std::array<SmartCommandInfo, 5> kCommands = {{
    {SmartCommand::kEnable, 0xD8, 0xB0, 0x4F, 0xC2, 0, kDfpSendDriveCommand, 528},
    {SmartCommand::kIdentify, 0x00, 0xEC, 0x00, 0x00, 512, kDfpReceiveDriveData, 529},
    {SmartCommand::kIdentifyPacket, 0x00, 0xA1, 0x00, 0x00, 512, kDfpReceiveDriveData, 529},
    {SmartCommand::kReadAttributes, 0xD0, 0xB0, 0x4F, 0xC2, 512, kDfpReceiveDriveData, 528},
    {SmartCommand::kReadThresholds, 0xD1, 0xB0, 0x4F, 0xC2, 512, kDfpReceiveDriveData, 528},
}};
static_assert(std::ranges::all_of(kCommands, [](const SmartCommandInfo& c) {
  return c.out_length <= kCmdOutBufferSize && c.out_length >= kCmdOutHeaderSize + kSectorSize;
}));

struct AttributeName {
  int id;
  std::wstring_view name;
};
constexpr AttributeName kAttributeNames[] = {
    {1, L"Raw Read Error Rate"},
    {2, L"Throughput Performance"},
    {3, L"Spin Up Time"},
    {4, L"Start/Stop Count"},
    {5, L"Reallocated Sector Count"},
    {6, L"Read Channel Margin"},
    {7, L"Seek Error Rate"},
    {8, L"Seek Time Performance"},
    {9, L"Power On Count"},
    {10, L"Spin Retry Count"},
    {11, L"Calibration Retry Count"},
    {12, L"Power Cycle Count"},
    {192, L"Emergency Retract Cycle"},
    {193, L"Load Cycle Count"},
    {194, L"Temperature Celcius"},
    {195, L"Hardware ECC"},
    {196, L"Reallocation Event Count"},
    {197, L"Current Pending Sector"},
    {198, L"Off-line Uncorrectable"},
    {199, L"Ultra ATA CRC Error Rate"},
    {200, L"Multi Zone Error Rate"},
    {201, L"Off Track Errors"},
    {202, L"TA Increase Count"},
    {203, L"ECC Errors"},
    {204, L"Shock Count Write Ops"},
    {205, L"Shock Rate Write Ops"},
    {206, L"Unknown Attribute"},
    {207, L"Spin High Current"},
    {208, L"Spin Buzz"},
    {209, L"Offline Seek Perf"},
};
static_assert(std::ranges::is_sorted(kAttributeNames, std::ranges::less{}, &AttributeName::id));
static_assert(std::ranges::adjacent_find(kAttributeNames, std::ranges::equal_to{},
                                         &AttributeName::id) == std::ranges::end(kAttributeNames));

constexpr std::wstring_view kDriverErrors[] = {
    L"No error",
    L"Error from IDE controller",
    L"Invalid command flag",
    L"Invalid command byte",
    L"Bad buffer (null, invalid addr..)",
    L"Drive number not valid",
    L"Invalid IOCTL",
    L"Could not lock user\"s buffer",
    L"Some IDE Register not valid",
    L"Invalid cmd flag set",
    L"Cmd issued to device not present although drive number is valid",
};
static_assert(std::size(kDriverErrors) == 11);

constexpr std::wstring_view kStateNone = L"-";
constexpr std::wstring_view kStateOk = L"OK";
constexpr std::wstring_view kStateFailingNow = L"Failing Now";
constexpr std::wstring_view kStateFailedInPast = L"Failed In Past";
constexpr std::wstring_view kStateWarning = L"Warning";

// ---- helpers ----------------------------------------------------------------------

std::wstring Hex4(std::uint8_t value) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring s(4, L'0');
  s[2] = kDigits[value >> 4];
  s[3] = kDigits[value & 0xF];
  return s;
}

std::wstring Concat(std::initializer_list<std::wstring_view> parts) {
  std::wstring s;
  for (std::wstring_view p : parts) s += p;
  return s;
}

// The tail both SMART read failures share.
std::wstring SmartReadFailedMessage(std::wstring_view head, int device, DriverStatus status,
                                    std::wstring_view system_message) {
  return Concat({head, std::to_wstring(device), L" : ", system_message, L"; DriverStatus: ",
                 DriverErrorText(status.driver_error), L"; bIDEStatus=",
                 Hex4(status.ide_error)});
}

std::wstring_view JudgeAttribute(int id, bool prefail, int current, int worst, int threshold,
                                 std::int64_t raw, int ideal, std::int32_t& bad_attributes) {
  if (!prefail || threshold == 0) return kStateNone;
  if (threshold > current) {
    ++bad_attributes;
    return kStateFailingNow;
  }
  if (threshold > worst) {
    ++bad_attributes;
    return kStateFailedInPast;
  }
  // Integer division truncates toward zero, also when the threshold lies
  // above the ideal value.
  if (threshold + (ideal - threshold) / 2 > current) return kStateWarning;
  if (id == kIdReallocatedSectors && raw > kReallocatedWarnAbove) return kStateWarning;
  return kStateOk;
}

}  // namespace

const SmartCommandInfo& SmartCommandDetails(SmartCommand command) {
  const auto it = std::ranges::find(kCommands, command, &SmartCommandInfo::command);
  return it != kCommands.end() ? *it : kCommands.front();
}

std::uint8_t DriveHeadRegister(int device) {
  return static_cast<std::uint8_t>(0xA0 | ((device & 1) << 4));
}

SmartRequest BuildSmartRequest(SmartCommand command, int device) {
  const SmartCommandInfo& info = SmartCommandDetails(command);
  SmartRequest r{};
  StoreLe32(r, cmd_in::kBufferSize, info.buffer_size);
  r[cmd_in::kFeatures] = std::byte{info.features};
  r[cmd_in::kSectorCount] = std::byte{1};
  r[cmd_in::kSectorNumber] = std::byte{1};
  r[cmd_in::kCylLow] = std::byte{info.cyl_low};
  r[cmd_in::kCylHigh] = std::byte{info.cyl_high};
  r[cmd_in::kDriveHead] = std::byte{DriveHeadRegister(device)};
  r[cmd_in::kCommand] = std::byte{info.command_reg};
  r[cmd_in::kDriveNumber] = static_cast<std::byte>(device & 0xFF);
  return r;
}

std::uint8_t DeviceMap(std::span<const std::byte, kVersionOutSize> version) {
  return Load8(version, kVersionDeviceMap);
}

DriverStatus ReadDriverStatus(std::span<const std::byte, kCmdOutBufferSize> reply) {
  return {Load8(reply, kOutDriverError), Load8(reply, kOutIdeError)};
}

SectorView ReplySector(std::span<const std::byte, kCmdOutBufferSize> reply) {
  return reply.subspan<kCmdOutHeaderSize, kSectorSize>();
}

std::wstring SwapIdString(std::span<const std::byte> raw) {
  std::wstring s;
  s.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    // Pair (i, i+1) swaps; an odd last byte has no partner and stays.
    const std::size_t from = (i % 2 == 0) ? (i + 1 < raw.size() ? i + 1 : i) : i - 1;
    s.push_back(static_cast<wchar_t>(Load8(raw, from)));
  }
  const auto blank = [](wchar_t c) { return static_cast<unsigned>(c) <= 0x20u; };
  const auto first = std::ranges::find_if_not(s, blank);
  const auto last = std::find_if_not(s.rbegin(), s.rend(), blank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

std::int64_t IdentifyCapacity(SectorView identify) {
  const std::uint64_t sectors28 = LoadLe32(identify, kIdSectors28);
  const std::uint64_t sectors48 = LoadLe(identify, kIdSectors48, 8);
  // A value beyond 48 bits is not a sector count (older drives left these
  // words undefined); it is ignored rather than overflowing the size.
  const std::uint64_t sectors =
      (sectors48 > sectors28 && sectors48 <= kMax48BitSectors) ? sectors48 : sectors28;
  return static_cast<std::int64_t>(sectors * kSectorSize);
}

DriveIdentity ParseIdentify(SectorView identify) {
  DriveIdentity id;
  id.serial = SwapIdString(identify.subspan(kIdSerial, kIdSerialLength));
  id.firmware = SwapIdString(identify.subspan(kIdFirmware, kIdFirmwareLength));
  id.model = SwapIdString(identify.subspan(kIdModel, kIdModelLength));
  id.capacity = IdentifyCapacity(identify);
  return id;
}

std::wstring_view SmartAttributeName(int id) {
  const auto it = std::ranges::lower_bound(kAttributeNames, id, std::ranges::less{},
                                           &AttributeName::id);
  if (it != std::ranges::end(kAttributeNames) && it->id == id) return it->name;
  return L"Unknown";
}

std::wstring_view DriverErrorText(int code) {
  if (code < 0 || static_cast<std::size_t>(code) >= std::size(kDriverErrors)) return {};
  return kDriverErrors[code];
}

void ParseSmartSectors(SectorView attributes, SectorView thresholds, TSmartResult& result) {
  result.Temperature = 0;
  result.BadAttributes = 0;
  result.AttributeCount = 0;
  result.AttrId.fill(0);
  result.AttrName.fill({});
  result.AttrPreFail.fill(false);
  result.AttrEvents.fill(false);
  result.AttrErrorRate.fill(false);
  result.AttrCurrent.fill(0);
  result.AttrWorst.fill(0);
  result.AttrThreshold.fill(0);
  result.AttrRaw.fill(0);
  result.AttrState.fill({});

  int ideal = kIdealDefault;
  std::size_t s = 0;
  for (std::size_t k = 0; k < kSmartEntryCount; ++k) {
    const std::size_t at = kSmartFirstEntry + k * kSmartEntrySize;
    const int id = Load8(attributes, at + kAttrId);
    if (id == 0) break;
    const std::uint16_t flags = LoadLe16(attributes, at + kAttrFlags);
    const int current = Load8(attributes, at + kAttrCurrent);
    const int worst = Load8(attributes, at + kAttrWorst);
    const int threshold = Load8(thresholds, at + kThreshValue);
    const auto raw = static_cast<std::int64_t>(LoadLe(attributes, at + kAttrRaw, kAttrRawWidth));
    const bool prefail = (flags & kFlagPreFail) != 0;

    result.AttrId[s] = id;
    result.AttrName[s] = SmartAttributeName(id);
    result.AttrPreFail[s] = prefail;
    result.AttrEvents[s] = (flags & kFlagEvents) != 0;
    result.AttrErrorRate[s] = (flags & kFlagErrorRate) != 0;
    result.AttrCurrent[s] = current;
    result.AttrWorst[s] = worst;
    result.AttrThreshold[s] = threshold;
    result.AttrRaw[s] = raw;

    if ((id == kIdSpinUpTime || id == kIdStartStopCount) && current > kHighScaleAbove)
      ideal = kIdealHigh;
    result.AttrState[s] =
        JudgeAttribute(id, prefail, current, worst, threshold, raw, ideal, result.BadAttributes);
    if (id == kIdTemperature) result.Temperature = static_cast<std::int32_t>(raw & 0xFF);
    ++s;
  }
  result.AttributeCount = static_cast<std::int32_t>(s);
}

std::wstring SmartVerdict(const TSmartResult& result) {
  if (result.AttributeCount == 0) return {};
  if (result.BadAttributes != 0)
    return L"SMART Test Failed, Bad Attributes " + std::to_wstring(result.BadAttributes);
  return L"SMART Test Passed";
}

std::wstring OpenSmartVsdFailedMessage(std::wstring_view system_message) {
  return Concat({L"Unable to open SMARTVSD: ", system_message});
}

std::wstring OpenPhysicalDriveFailedMessage(std::wstring_view system_message) {
  return Concat({L"Unable to open physical drive: ", system_message});
}

std::wstring GetVersionFailedMessage(std::wstring_view system_message) {
  return Concat({L"DFP_GET_VERSION failed: ", system_message});
}

std::wstring SmartEnableFailedMessage(int device, std::wstring_view system_message) {
  return Concat(
      {L"SMART Enable Command Failed, Drive: ", std::to_wstring(device), L" : ", system_message});
}

std::wstring IdentifyFailedMessage(DriverStatus status, std::wstring_view system_message) {
  return Concat({L"Identify Command Failed on Drive: ", DriverErrorText(status.driver_error),
                 L" bIDEStatus=", Hex4(status.ide_error), L" : ", system_message});
}

std::wstring ReadAttributesFailedMessage(int device, DriverStatus status,
                                         std::wstring_view system_message) {
  return SmartReadFailedMessage(L"SMART Read Attr Command Failed, Drive: ", device, status,
                                system_message);
}

std::wstring ReadThresholdsFailedMessage(int device, DriverStatus status,
                                         std::wstring_view system_message) {
  return SmartReadFailedMessage(L"SMART Read Threshold Command Failed, Drive: ", device, status,
                                system_message);
}

std::wstring SmartExceptionMessage(std::string_view what) {
  std::wstring s = L"SMART Failed - ";
  for (char c : what) s.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace corvane::storage
