#include "storage/nvme.h"

#include <algorithm>
#include <array>

namespace corvane::storage {
namespace {

// STORAGE_PROTOCOL_SPECIFIC_DATA, from the start of the query or reply.
constexpr std::size_t kProtocolTypeAt = kPropertyQueryHeaderSize;
constexpr std::size_t kDataTypeAt = kPropertyQueryHeaderSize + 4;
constexpr std::size_t kRequestValueAt = kPropertyQueryHeaderSize + 8;
constexpr std::size_t kDataOffsetAt = kPropertyQueryHeaderSize + 16;
constexpr std::size_t kDataLengthAt = kPropertyQueryHeaderSize + 20;

// SMART / Health Information log.
constexpr std::size_t kCriticalWarningAt = 0;
constexpr std::size_t kTemperatureAt = 1;
constexpr std::size_t kAvailableSpareAt = 3;
constexpr std::size_t kSpareThresholdAt = 4;
constexpr std::size_t kPercentageUsedAt = 5;
constexpr std::size_t kDataUnitsReadAt = 32;
constexpr std::size_t kDataUnitsWrittenAt = 48;
constexpr std::size_t kPowerCyclesAt = 112;
constexpr std::size_t kPowerOnHoursAt = 128;
constexpr std::size_t kUnsafeShutdownsAt = 144;
constexpr std::size_t kMediaErrorsAt = 160;
constexpr std::size_t kErrorLogEntriesAt = 176;

// Identify Controller: ASCII fields, left-aligned and padded with spaces.
constexpr std::size_t kSerialAt = 4, kSerialLength = 20;
constexpr std::size_t kModelAt = 24, kModelLength = 40;
constexpr std::size_t kFirmwareAt = 64, kFirmwareLength = 8;

// The critical-warning bits as the NVMe base specification defines them.
constexpr std::array<std::wstring_view, 6> kWarningWords = {
    L"Available spare below threshold",
    L"Temperature above or below threshold",
    L"Reliability degraded",
    L"Media placed in read-only mode",
    L"Volatile memory backup failed",
    L"Persistent memory region read-only or unreliable",
};

std::uint32_t Load32(std::span<const std::byte> b, std::size_t at) {
  return std::to_integer<std::uint32_t>(b[at]) | std::to_integer<std::uint32_t>(b[at + 1]) << 8 |
         std::to_integer<std::uint32_t>(b[at + 2]) << 16 | std::to_integer<std::uint32_t>(b[at + 3]) << 24;
}

std::uint64_t Load64(std::span<const std::byte> b, std::size_t at) {
  return std::uint64_t{Load32(b, at)} | std::uint64_t{Load32(b, at + 4)} << 32;
}

void Store32(std::span<std::byte> b, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

NvmeCounter CounterAt(std::span<const std::byte> page, std::size_t at) {
  return ReadCounter(page.subspan(at).first<16>());
}

std::wstring AsciiField(std::span<const std::byte> data, std::size_t at, std::size_t length) {
  std::wstring text;
  text.reserve(length);
  for (const std::byte b : data.subspan(at, length)) text.push_back(static_cast<wchar_t>(std::to_integer<unsigned>(b)));
  // Padding is spaces, but some drives pad with NULs.
  const auto blank = [](wchar_t c) { return static_cast<unsigned>(c) <= 0x20u; };
  const auto first = std::ranges::find_if_not(text, blank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

}  // namespace

std::vector<std::byte> BuildDevicePropertyQuery() {
  // PropertyId StorageDeviceProperty and QueryType PropertyStandardQuery are both 0.
  std::vector<std::byte> query(kDevicePropertyQuerySize, std::byte{0});
  Store32(query, 0, kStorageDeviceProperty);
  return query;
}

std::optional<std::uint32_t> DeviceDescriptorBusType(std::span<const std::byte> reply) {
  if (reply.size() < kDeviceDescriptorMinSize) return std::nullopt;
  if (Load32(reply, 4) < kDeviceDescriptorMinSize) return std::nullopt;  // its Size
  return Load32(reply, kDeviceDescriptorBusTypeOffset);
}

std::vector<std::byte> BuildProtocolQuery(const NvmeQuery& query) {
  std::vector<std::byte> buffer(kProtocolDataDescriptorSize + query.data_length, std::byte{0});
  Store32(buffer, 0, query.property_id);
  // QueryType stays PropertyStandardQuery (0); so do the sub-values.
  Store32(buffer, kProtocolTypeAt, kProtocolTypeNvme);
  Store32(buffer, kDataTypeAt, query.data_type);
  Store32(buffer, kRequestValueAt, query.request_value);
  Store32(buffer, kDataOffsetAt, static_cast<std::uint32_t>(kProtocolSpecificDataSize));
  Store32(buffer, kDataLengthAt, static_cast<std::uint32_t>(query.data_length));
  return buffer;
}

std::optional<std::span<const std::byte>> ProtocolReplyData(std::span<const std::byte> reply,
                                                            std::size_t data_length) {
  if (reply.size() < kProtocolDataDescriptorSize) return std::nullopt;
  if (Load32(reply, 0) != kProtocolDataDescriptorSize || Load32(reply, 4) != kProtocolDataDescriptorSize)
    return std::nullopt;
  // The offset counts from the protocol data, which follows Version and Size.
  const std::uint32_t offset = Load32(reply, kDataOffsetAt);
  const std::uint32_t length = Load32(reply, kDataLengthAt);
  if (offset < kProtocolSpecificDataSize || length < data_length) return std::nullopt;
  const std::size_t room = reply.size() - kPropertyQueryHeaderSize;
  // Compared so that a huge offset cannot wrap around.
  if (offset > room || data_length > room - offset) return std::nullopt;
  return reply.subspan(kPropertyQueryHeaderSize + offset, data_length);
}

NvmeCounter ReadCounter(std::span<const std::byte, 16> bytes) {
  return {Load64(bytes, 8), Load64(bytes, 0)};
}

std::string DecimalText(const NvmeCounter& value) {
  // Long division by 10^9 over four 32-bit limbs, most significant first.
  std::array<std::uint32_t, 4> limbs = {
      static_cast<std::uint32_t>(value.high >> 32), static_cast<std::uint32_t>(value.high),
      static_cast<std::uint32_t>(value.low >> 32), static_cast<std::uint32_t>(value.low)};
  constexpr std::uint32_t kChunk = 1000000000;
  std::string digits;  // least significant first
  const auto is_zero = [&] { return std::ranges::all_of(limbs, [](std::uint32_t l) { return l == 0; }); };
  do {
    std::uint64_t remainder = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t current = remainder << 32 | limb;
      limb = static_cast<std::uint32_t>(current / kChunk);
      remainder = current % kChunk;
    }
    for (int i = 0; i < 9; ++i) {
      digits.push_back(static_cast<char>('0' + remainder % 10));
      remainder /= 10;
    }
  } while (!is_zero());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::ranges::reverse(digits);
  return digits;
}

std::string MultiplyDecimal(std::string_view digits, std::uint32_t factor) {
  std::string product;  // least significant first
  std::uint64_t carry = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    const std::uint64_t step = std::uint64_t(*it - '0') * factor + carry;
    product.push_back(static_cast<char>('0' + step % 10));
    carry = step / 10;
  }
  for (; carry != 0; carry /= 10) product.push_back(static_cast<char>('0' + carry % 10));
  while (product.size() > 1 && product.back() == '0') product.pop_back();
  if (product.empty()) product.push_back('0');  // (assigning a literal here trips a false -Wrestrict in GCC 12)
  std::ranges::reverse(product);
  return product;
}

std::optional<NvmeHealth> ParseNvmeHealthLog(std::span<const std::byte> page) {
  if (page.size() != kNvmeHealthLogSize) return std::nullopt;
  NvmeHealth h;
  h.critical_warning = std::to_integer<std::uint8_t>(page[kCriticalWarningAt]);
  h.temperature_kelvin = static_cast<std::uint16_t>(std::to_integer<unsigned>(page[kTemperatureAt]) |
                                                    std::to_integer<unsigned>(page[kTemperatureAt + 1]) << 8);
  h.available_spare = std::to_integer<std::uint8_t>(page[kAvailableSpareAt]);
  h.spare_threshold = std::to_integer<std::uint8_t>(page[kSpareThresholdAt]);
  h.percentage_used = std::to_integer<std::uint8_t>(page[kPercentageUsedAt]);
  h.data_units_read = CounterAt(page, kDataUnitsReadAt);
  h.data_units_written = CounterAt(page, kDataUnitsWrittenAt);
  h.power_cycles = CounterAt(page, kPowerCyclesAt);
  h.power_on_hours = CounterAt(page, kPowerOnHoursAt);
  h.unsafe_shutdowns = CounterAt(page, kUnsafeShutdownsAt);
  h.media_errors = CounterAt(page, kMediaErrorsAt);
  h.error_log_entries = CounterAt(page, kErrorLogEntriesAt);
  return h;
}

std::optional<NvmeIdentity> ParseNvmeIdentifyController(std::span<const std::byte> data) {
  if (data.size() != kNvmeIdentifySize) return std::nullopt;
  return NvmeIdentity{AsciiField(data, kModelAt, kModelLength), AsciiField(data, kSerialAt, kSerialLength),
                      AsciiField(data, kFirmwareAt, kFirmwareLength)};
}

std::vector<std::wstring> CriticalWarningWords(std::uint8_t critical_warning) {
  std::vector<std::wstring> words;
  for (unsigned bit = 0; bit < 8; ++bit) {
    if ((critical_warning & (1u << bit)) == 0) continue;
    words.push_back(bit < kWarningWords.size() ? std::wstring(kWarningWords[bit])
                                               : L"Reserved warning bit " + std::to_wstring(bit));
  }
  return words;
}

std::wstring NvmeVerdict(std::uint8_t critical_warning) {
  const std::vector<std::wstring> words = CriticalWarningWords(critical_warning);
  if (words.empty()) return L"OK";
  std::wstring text;
  for (const std::wstring& w : words) {
    if (!text.empty()) text += L"; ";
    text += w;
  }
  return text;
}

}  // namespace corvane::storage
