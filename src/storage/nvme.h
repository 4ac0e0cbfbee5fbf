// The protocol side of NVMe health, free of any Windows header: the storage
// property queries that ask the disk driver for the bus type, the SMART /
// Health Information log and the Identify Controller data; the checks on the
// replies; and the decoding and wording of what comes back. The transport
// (nvme_transport.h) moves the bytes; nvme_probe.h ties both together.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::storage {

// ---- the storage property query --------------------------------------------------

inline constexpr std::uint32_t kIoctlStorageQueryProperty = 0x002D1400;

// STORAGE_PROPERTY_ID values.
inline constexpr std::uint32_t kStorageDeviceProperty = 0;
inline constexpr std::uint32_t kStorageAdapterProtocolSpecificProperty = 49;
inline constexpr std::uint32_t kStorageDeviceProtocolSpecificProperty = 50;

// STORAGE_BUS_TYPE of an NVMe disk.
inline constexpr std::uint32_t kBusTypeNvme = 0x11;

// STORAGE_PROTOCOL_TYPE and STORAGE_PROTOCOL_NVME_DATA_TYPE values.
inline constexpr std::uint32_t kProtocolTypeNvme = 3;
inline constexpr std::uint32_t kNvmeDataTypeIdentify = 1;
inline constexpr std::uint32_t kNvmeDataTypeLogPage = 2;

// Wire sizes, in bytes.
inline constexpr std::size_t kPropertyQueryHeaderSize = 8;   // PropertyId, QueryType
inline constexpr std::size_t kDevicePropertyQuerySize = 12;  // STORAGE_PROPERTY_QUERY
inline constexpr std::size_t kDeviceDescriptorBusTypeOffset = 28;
inline constexpr std::size_t kDeviceDescriptorMinSize = 32;  // up to and with BusType
inline constexpr std::size_t kDeviceDescriptorBufferSize = 1024;
inline constexpr std::size_t kProtocolSpecificDataSize = 40;    // STORAGE_PROTOCOL_SPECIFIC_DATA
inline constexpr std::size_t kProtocolDataDescriptorSize = 48;  // STORAGE_PROTOCOL_DATA_DESCRIPTOR
inline constexpr std::size_t kNvmeHealthLogSize = 512;
inline constexpr std::size_t kNvmeIdentifySize = 4096;

static_assert(kPropertyQueryHeaderSize + kProtocolSpecificDataSize == kProtocolDataDescriptorSize);

// One protocol-specific question: which property, which kind of NVMe data,
// which log page or identify structure, and how many bytes of it.
struct NvmeQuery {
  std::uint32_t property_id;
  std::uint32_t data_type;
  std::uint32_t request_value;
  std::size_t data_length;
};

// The SMART / Health Information log (log page 2) of the disk.
inline constexpr NvmeQuery kHealthLogQuery{kStorageDeviceProtocolSpecificProperty, kNvmeDataTypeLogPage, 2,
                                           kNvmeHealthLogSize};
// Identify Controller (CNS 1), asked of the adapter.
inline constexpr NvmeQuery kIdentifyControllerQuery{kStorageAdapterProtocolSpecificProperty,
                                                    kNvmeDataTypeIdentify, 1, kNvmeIdentifySize};

// The input of the StorageDeviceProperty query.
std::vector<std::byte> BuildDevicePropertyQuery();

// The bus type a STORAGE_DEVICE_DESCRIPTOR reply names; nullopt when the
// reply (the bytes the driver returned) is too short to hold it or its own
// size says it does not reach it.
std::optional<std::uint32_t> DeviceDescriptorBusType(std::span<const std::byte> reply);

// The one buffer of a protocol-specific query: STORAGE_PROPERTY_QUERY with
// STORAGE_PROTOCOL_SPECIFIC_DATA as its additional parameters, then room for
// the data. The driver writes its reply over the same buffer.
std::vector<std::byte> BuildProtocolQuery(const NvmeQuery& query);

// The data of a STORAGE_PROTOCOL_DATA_DESCRIPTOR reply (the bytes the driver
// returned): exactly `data_length` bytes, or nullopt unless Version and Size
// are the descriptor's size, the data offset lies past the header, the length
// covers `data_length` and the data lies inside the reply.
std::optional<std::span<const std::byte>> ProtocolReplyData(std::span<const std::byte> reply,
                                                            std::size_t data_length);

// ---- 128-bit counters ---------------------------------------------------------------

// The log's 16-byte counters, in two halves: the 32-bit compilers this
// builds with have no 128-bit integer.
struct NvmeCounter {
  std::uint64_t high = 0;
  std::uint64_t low = 0;

  bool FitsIn64Bits() const { return high == 0; }
  friend bool operator==(const NvmeCounter&, const NvmeCounter&) = default;
};

// A 16-byte little-endian counter.
NvmeCounter ReadCounter(std::span<const std::byte, 16> bytes);

// The counter's value in decimal digits.
std::string DecimalText(const NvmeCounter& value);

// `digits` (decimal) times `factor`, in decimal digits; never overflows.
std::string MultiplyDecimal(std::string_view digits, std::uint32_t factor);

// A data unit of the log counts a thousand 512-byte blocks.
inline constexpr std::uint32_t kNvmeDataUnitBytes = 512000;

// ---- the health log and the controller's identity -------------------------------------

struct NvmeHealth {
  std::uint8_t critical_warning = 0;
  std::uint16_t temperature_kelvin = 0;  // the composite temperature
  std::uint8_t available_spare = 0;      // percent
  std::uint8_t spare_threshold = 0;      // percent
  std::uint8_t percentage_used = 0;      // may pass 100
  NvmeCounter data_units_read;
  NvmeCounter data_units_written;
  NvmeCounter power_cycles;
  NvmeCounter power_on_hours;
  NvmeCounter unsafe_shutdowns;
  NvmeCounter media_errors;
  NvmeCounter error_log_entries;

  // Whole degrees Celsius: kelvin - 273.
  int TemperatureCelsius() const { return static_cast<int>(temperature_kelvin) - 273; }
  friend bool operator==(const NvmeHealth&, const NvmeHealth&) = default;
};

// Decodes a SMART / Health Information log page; nullopt unless it is
// exactly kNvmeHealthLogSize bytes.
std::optional<NvmeHealth> ParseNvmeHealthLog(std::span<const std::byte> page);

struct NvmeIdentity {
  std::wstring model;
  std::wstring serial;
  std::wstring firmware;
  friend bool operator==(const NvmeIdentity&, const NvmeIdentity&) = default;
};

// Model, serial number and firmware revision of an Identify Controller
// structure, trimmed of the padding; nullopt unless it is exactly
// kNvmeIdentifySize bytes. Bytes map to the characters of the same code.
std::optional<NvmeIdentity> ParseNvmeIdentifyController(std::span<const std::byte> data);

// ---- words ---------------------------------------------------------------------------

// The words of each set bit of the critical warning, lowest bit first; bits
// the standard does not name read "Reserved warning bit N".
std::vector<std::wstring> CriticalWarningWords(std::uint8_t critical_warning);

// "OK" without a warning, otherwise the words of the set bits joined by "; ".
std::wstring NvmeVerdict(std::uint8_t critical_warning);

}  // namespace corvane::storage
