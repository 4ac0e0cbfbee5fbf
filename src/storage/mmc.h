// The protocol side of talking to a CD/DVD drive with MMC commands, free of
// any Windows header: the SCSI pass-through blocks of the four commands this
// program sends, the decoding of their replies (big-endian, as SCSI is), the
// profile names and the capability report. The transport (mmc_transport.h)
// moves the bytes; TISODiscLib (disc_lib.h) ties both together.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/scsi_pass_through.h"

namespace corvane::storage {

// I/O control that carries a SCSI command with the caller's data buffer.
inline constexpr std::uint32_t kIoctlScsiPassThroughDirect = 0x4D014;

// The request block: SCSI_PASS_THROUGH_DIRECT in the layout of the
// sending program's pointer size, filler up to the next multiple of 8, then
// a 32-byte sense area (48 + 32 = 80 bytes for a 32-bit program, 56 + 32 = 88
// for a 64-bit one). It is the input and the output buffer of the I/O
// control.
inline constexpr std::size_t kPassThroughSenseSize = 32;
constexpr std::size_t PassThroughSenseOffset(const PassThroughLayout& layout) {
  return (layout.size + 7) / 8 * 8;
}
constexpr std::size_t PassThroughBlockSize(const PassThroughLayout& layout) {
  return PassThroughSenseOffset(layout) + kPassThroughSenseSize;
}
inline constexpr std::size_t kPassThroughBlockCapacity =
    std::max(PassThroughBlockSize(kPassThroughDirect32), PassThroughBlockSize(kPassThroughDirect64));

// Data lengths of the commands that return data.
inline constexpr std::size_t kInquiryDataLength = 100;
inline constexpr std::size_t kConfigurationDataLength = 114;
inline constexpr std::size_t kModeSenseDataLength = 440;

// A request block, zero-filled when made, and the layout it is in.
class PassThroughBlock {
 public:
  explicit PassThroughBlock(const PassThroughLayout& layout) : layout_(layout) {}

  const PassThroughLayout& layout() const noexcept { return layout_; }
  // The whole block, PassThroughBlockSize(layout()) bytes: what is sent
  // and what comes back.
  std::span<std::byte> bytes() noexcept { return std::span(storage_).first(PassThroughBlockSize(layout_)); }
  std::span<const std::byte> bytes() const noexcept {
    return std::span(storage_).first(PassThroughBlockSize(layout_));
  }

 private:
  PassThroughLayout layout_;
  // The pointer-sized field's alignment, as the system's structure has it.
  alignas(8) std::array<std::byte, kPassThroughBlockCapacity> storage_{};
};

// One MMC command as the drive sees it: the command descriptor block and how
// much data, sense and time it is given.
struct MmcCommand {
  std::array<std::uint8_t, kCdbCapacity> cdb{};
  std::uint8_t cdb_length = 0;
  std::uint32_t data_length = 0;  // bytes the drive may return; 0 = no data buffer
  std::uint8_t sense_length = 0;
  std::uint32_t timeout_seconds = 0;
};

// TEST UNIT READY.
inline constexpr MmcCommand kTestUnitReady{{0x00}, 6, 0, 32, 120};
// INQUIRY, standard data, 100 bytes.
inline constexpr MmcCommand kInquiry{{0x12, 0, 0, 0, 100}, 6, kInquiryDataLength, 24, 2};
// GET CONFIGURATION, one feature descriptor from feature 0: the header
// carries the current profile.
inline constexpr MmcCommand kGetConfiguration{
    {0x46, 0x02, 0, 0, 0, 0, 0, 0x00, 0x72}, 10, kConfigurationDataLength, 32, 120};
// MODE SENSE (10) of page 2A (capabilities and mechanical status), default
// values.
inline constexpr MmcCommand kModeSenseCapabilities{
    {0x5A, 0, 0xAA, 0, 0, 0, 0, 0x01, 0xB8}, 10, kModeSenseDataLength, 14, 120};

// The zero-filled block for `command` in `layout`. Its DataBuffer field is
// 0: the sender writes the buffer's address with SetPassThroughDataBuffer.
PassThroughBlock BuildPassThroughBlock(const MmcCommand& command, const PassThroughLayout& layout);

// Writes the address of the data buffer into the block, as wide as its
// layout's pointer. False, and nothing written, for an address too wide for
// the layout (which only a block of the wrong layout would meet).
[[nodiscard]] bool SetPassThroughDataBuffer(PassThroughBlock& block, std::uint64_t address);

// DataTransferLength of a block the driver has returned: the bytes it moved.
std::uint32_t PassThroughTransferred(const PassThroughBlock& block);

// Big-endian loaders over a reply; nullopt when the field is not wholly
// inside `data`.
std::optional<std::uint8_t> LoadU8(std::span<const std::byte> data, std::size_t offset);
std::optional<std::uint16_t> LoadBe16(std::span<const std::byte> data, std::size_t offset);
std::optional<std::uint32_t> LoadBe32(std::span<const std::byte> data, std::size_t offset);

// The INQUIRY text: from byte 8 (vendor 8 characters, product 16, revision 4,
// then vendor-specific bytes) up to the first NUL or the end of the data,
// which never runs past the 100-byte buffer. Bytes map to the characters of
// the same code.
std::wstring InquiryText(std::span<const std::byte> reply);

// The current profile of a GET CONFIGURATION reply (bytes 6..7); nullopt
// when the reply is too short to hold it.
std::optional<std::uint16_t> CurrentProfile(std::span<const std::byte> reply);

// Profile codes with a name. The index of an entry is its position.
struct ProfileEntry {
  std::uint16_t profile;
  std::wstring_view name;
};

inline constexpr std::array<ProfileEntry, 20> ProfileName{{
    {0x0000, L"No Current Profile"},
    {0x0001, L"Non Removable Disk"},
    {0x0002, L"Removable Disk"},
    {0x0003, L"Magneto Optical Erasable"},
    {0x0004, L"Optical Write Once"},
    {0x0005, L"AS-MO"},
    {0x0008, L"CD-ROM"},
    {0x0009, L"CD-R"},
    {0x000A, L"CD-RW"},
    {0x0010, L"DVD-ROM"},
    {0x0011, L"DVD-R SequentialRecording,"},
    {0x0012, L"DVD-RAM"},
    {0x0013, L"DVD-RW Restricted Overwrite"},
    {0x0014, L"DVD-RW Sequential Recording"},
    {0x001A, L"DVD+RW"},
    {0x001B, L"DVD+R"},
    {0x0020, L"DDCD-ROM"},
    {0x0021, L"DDCD-R"},
    {0x0022, L"DDCD-RW"},
    {0xFFFF, L"UNKNOWN"},
}};

// Index of `profile` in ProfileName; nullopt for a profile without a name.
std::optional<int> ProfileIndex(std::uint16_t profile);

// What the capabilities page tells.
struct DriveCapabilities {
  std::uint8_t read_bits = 0;   // page byte 2
  std::uint8_t write_bits = 0;  // page byte 3
  std::uint16_t max_read_kbps = 0;
  std::uint16_t buffer_kb = 0;
  std::uint16_t max_write_kbps = 0;
};

// Decodes a MODE SENSE (10) reply holding page 2A. The page follows the
// 8-byte header and any block descriptors the header announces. Nullopt
// when the reply holds no page 2A; fields past the end of the reply read 0.
std::optional<DriveCapabilities> DecodeCapabilitiesPage(std::span<const std::byte> reply);

// round(numerator / denominator), halves to the even neighbour, computed
// exactly. `denominator` must not be 0.
std::uint64_t RoundRatioHalfToEven(std::uint64_t numerator, std::uint64_t denominator);

// Speed in multiples of single-speed CD (176.46 kB/s), rounded halves to even.
std::uint32_t SpeedFactor(std::uint32_t kbps);

// The report lines: every capability whose bit is set, in a fixed order,
// then the buffer size and the two maximum speeds.
std::vector<std::wstring> CapabilityLines(const DriveCapabilities& caps);

// Lines joined with CR LF, no line break after the last.
std::wstring JoinCrLf(const std::vector<std::wstring>& lines);

}  // namespace corvane::storage
