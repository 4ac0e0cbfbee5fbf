#include "storage/mmc.h"

#include <algorithm>

namespace corvane::storage {
namespace {

static_assert(PassThroughSenseOffset(kPassThroughDirect32) == 48 && PassThroughBlockSize(kPassThroughDirect32) == 80);
static_assert(PassThroughSenseOffset(kPassThroughDirect64) == 56 && PassThroughBlockSize(kPassThroughDirect64) == 88);
static_assert(std::ranges::is_sorted(ProfileName, {}, &ProfileEntry::profile),
              "ProfileIndex searches by halves");

// Page 2A byte offsets (from the page code byte).
constexpr std::size_t kModeHeaderSize = 8;
constexpr std::size_t kBlockDescriptorLengthOffset = 6;
constexpr std::uint8_t kCapabilitiesPage = 0x2A;
constexpr std::size_t kPageReadBits = 2;
constexpr std::size_t kPageWriteBits = 3;
constexpr std::size_t kPageMaxReadSpeed = 8;
constexpr std::size_t kPageBufferSize = 12;
constexpr std::size_t kPageMaxWriteSpeed = 18;

// One capability line per bit, in report order.
struct CapabilityBit {
  bool write;  // false: read capabilities byte, true: write capabilities byte
  std::uint8_t mask;
  std::wstring_view line;
};
constexpr std::array<CapabilityBit, 11> kCapabilityBits{{
    {false, 0x01, L"Read CD-R"},
    {false, 0x02, L"Read CD-RW"},
    {false, 0x04, L"Read Method 2"},
    {false, 0x08, L"Read DVD-ROM"},
    {false, 0x10, L"Read DVD-R / DVD-RW"},
    {false, 0x20, L"Read DVD-RAM"},
    {true, 0x01, L"Write CD-R"},
    {true, 0x02, L"Write CD-RW"},
    {true, 0x04, L"Write Test"},
    {true, 0x10, L"Write DVD-R / DVD-RW"},
    {true, 0x20, L"Write DVD-RAM"},
}};

// Single-speed CD in hundredths of a kilobyte per second.
constexpr std::uint64_t kSingleSpeedHundredths = 17646;

std::wstring Decimal(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  return std::wstring(digits.begin(), digits.end());
}

}  // namespace

PassThroughBlock BuildPassThroughBlock(const MmcCommand& command, const PassThroughLayout& layout) {
  PassThroughBlock block(layout);
  const std::size_t cdb_length = std::min<std::size_t>(command.cdb_length, kCdbCapacity);
  StorePassThrough(block.bytes(), layout,
                   {.cdb = std::span(command.cdb).first(cdb_length),
                    .sense_info_length = command.sense_length,
                    .data_transfer_length = command.data_length,
                    .time_out_value = command.timeout_seconds,
                    .sense_info_offset = static_cast<std::uint32_t>(PassThroughSenseOffset(layout))});
  return block;
}

bool SetPassThroughDataBuffer(PassThroughBlock& block, std::uint64_t address) {
  return StorePassThroughDataBuffer(block.bytes(), block.layout(), address);
}

std::uint32_t PassThroughTransferred(const PassThroughBlock& block) {
  return LoadPassThroughTransferred(block.bytes(), block.layout());
}

std::optional<std::uint8_t> LoadU8(std::span<const std::byte> data, std::size_t offset) {
  if (offset >= data.size()) return std::nullopt;
  return std::to_integer<std::uint8_t>(data[offset]);
}

std::optional<std::uint16_t> LoadBe16(std::span<const std::byte> data, std::size_t offset) {
  if (offset >= data.size() || data.size() - offset < 2) return std::nullopt;
  return static_cast<std::uint16_t>((std::to_integer<unsigned>(data[offset]) << 8) |
                                    std::to_integer<unsigned>(data[offset + 1]));
}

std::optional<std::uint32_t> LoadBe32(std::span<const std::byte> data, std::size_t offset) {
  if (offset >= data.size() || data.size() - offset < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | std::to_integer<std::uint32_t>(data[offset + i]);
  return value;
}

std::wstring InquiryText(std::span<const std::byte> reply) {
  constexpr std::size_t kTextOffset = 8;
  const auto data = reply.first(std::min(reply.size(), kInquiryDataLength));
  std::wstring text;
  for (std::size_t i = kTextOffset; i < data.size(); ++i) {
    const auto c = std::to_integer<unsigned char>(data[i]);
    if (c == 0) break;
    text.push_back(static_cast<wchar_t>(c));
  }
  return text;
}

std::optional<std::uint16_t> CurrentProfile(std::span<const std::byte> reply) {
  return LoadBe16(reply, 6);
}

std::optional<int> ProfileIndex(std::uint16_t profile) {
  const auto it = std::ranges::lower_bound(ProfileName, profile, {}, &ProfileEntry::profile);
  if (it == ProfileName.end() || it->profile != profile) return std::nullopt;
  return static_cast<int>(it - ProfileName.begin());
}

std::optional<DriveCapabilities> DecodeCapabilitiesPage(std::span<const std::byte> reply) {
  // The reply's own length fields are not trusted for indexing: only the
  // bytes that actually arrived are read.
  const auto descriptors = LoadBe16(reply, kBlockDescriptorLengthOffset);
  if (!descriptors) return std::nullopt;
  const std::size_t page = kModeHeaderSize + *descriptors;
  const auto code = LoadU8(reply, page);
  if (!code || (*code & 0x3F) != kCapabilitiesPage) return std::nullopt;

  DriveCapabilities caps;
  caps.read_bits = LoadU8(reply, page + kPageReadBits).value_or(0);
  caps.write_bits = LoadU8(reply, page + kPageWriteBits).value_or(0);
  caps.max_read_kbps = LoadBe16(reply, page + kPageMaxReadSpeed).value_or(0);
  caps.buffer_kb = LoadBe16(reply, page + kPageBufferSize).value_or(0);
  caps.max_write_kbps = LoadBe16(reply, page + kPageMaxWriteSpeed).value_or(0);
  return caps;
}

std::uint64_t RoundRatioHalfToEven(std::uint64_t numerator, std::uint64_t denominator) {
  const std::uint64_t quotient = numerator / denominator;
  const std::uint64_t remainder = numerator % denominator;
  const std::uint64_t rest = denominator - remainder;  // distance to the next integer, scaled
  if (remainder > rest) return quotient + 1;
  if (remainder < rest) return quotient;
  return quotient + (quotient & 1);
}

std::uint32_t SpeedFactor(std::uint32_t kbps) {
  // In hundredths, so the division is exact rational arithmetic and no
  // floating-point error can move a value across a rounding boundary.
  return static_cast<std::uint32_t>(
      RoundRatioHalfToEven(std::uint64_t{kbps} * 100, kSingleSpeedHundredths));
}

std::vector<std::wstring> CapabilityLines(const DriveCapabilities& caps) {
  std::vector<std::wstring> lines;
  for (const auto& bit : kCapabilityBits) {
    const std::uint8_t bits = bit.write ? caps.write_bits : caps.read_bits;
    if (bits & bit.mask) lines.emplace_back(bit.line);
  }
  lines.push_back(L"Device Buffer: " + Decimal(caps.buffer_kb) + L"k");
  lines.push_back(L"Max Read Speed: " + Decimal(SpeedFactor(caps.max_read_kbps)) + L"x");
  lines.push_back(L"Max Write Speed: " + Decimal(SpeedFactor(caps.max_write_kbps)) + L"x");
  return lines;
}

std::wstring JoinCrLf(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace corvane::storage
