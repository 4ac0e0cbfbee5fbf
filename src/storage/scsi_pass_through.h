// The two structures the system takes a SCSI command in: SCSI_PASS_THROUGH
// (the data in the same buffer, found by its offset) and
// SCSI_PASS_THROUGH_DIRECT (the data in the caller's buffer, found by its
// address). Both hold a pointer-sized field, so the system lays them out one
// way for a 32-bit program and another for a 64-bit one, and it reads a
// block in the layout of the calling program's pointer size (a 32-bit
// program on 64-bit Windows is translated, a 64-bit one taken as it is).
// The layouts are data here, free of Windows headers, so both can be built
// and read on any machine; the Win32 side picks its own and pins it to the
// system's structure.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace corvane::storage {

// Byte offsets of the fields, the size of the structure (also the value of
// its Length field) and the width of the pointer-sized field. The fields up
// to TimeOutValue sit where they do for every pointer size.
struct PassThroughLayout {
  std::size_t size = 0;
  std::size_t length = 0;                 // 16-bit
  std::size_t scsi_status = 2;            // byte, written by the driver
  std::size_t path_id = 3;                // byte
  std::size_t target_id = 4;              // byte
  std::size_t lun = 5;                    // byte
  std::size_t cdb_length = 6;             // byte
  std::size_t sense_info_length = 7;      // byte, written back with what arrived
  std::size_t data_in = 8;                // byte
  std::size_t data_transfer_length = 12;  // 32-bit, written back with what moved
  std::size_t time_out_value = 16;        // 32-bit, seconds
  std::size_t data_buffer = 0;            // DataBufferOffset, or DataBuffer (the address)
  std::size_t data_buffer_width = 0;      // the pointer size
  std::size_t sense_info_offset = 0;      // 32-bit
  std::size_t cdb = 0;                    // kCdbCapacity bytes
};

// SCSI_PASS_THROUGH.
inline constexpr PassThroughLayout kPassThrough32{
    .size = 44, .data_buffer = 20, .data_buffer_width = 4, .sense_info_offset = 24, .cdb = 28};
// The pointer-sized field moves to the next multiple of 8 and widens; the
// structure ends padded to a multiple of 8.
inline constexpr PassThroughLayout kPassThrough64{
    .size = 56, .data_buffer = 24, .data_buffer_width = 8, .sense_info_offset = 32, .cdb = 36};

// SCSI_PASS_THROUGH_DIRECT has the same shape; its pointer-sized field is
// the data buffer's address.
inline constexpr PassThroughLayout kPassThroughDirect32 = kPassThrough32;
inline constexpr PassThroughLayout kPassThroughDirect64 = kPassThrough64;

inline constexpr std::size_t kCdbCapacity = 16;
inline constexpr std::uint8_t kScsiIoctlDataIn = 1;  // SCSI_IOCTL_DATA_IN

// What a request puts in the structure, the pointer-sized field aside.
// DataIn is always "data in": this program only reads from devices.
struct PassThroughFields {
  std::span<const std::uint8_t> cdb;  // at most kCdbCapacity bytes
  std::uint8_t sense_info_length = 0;
  std::uint32_t data_transfer_length = 0;
  std::uint32_t time_out_value = 0;
  std::uint32_t sense_info_offset = 0;
};

// Writes `fields` into the first layout.size bytes of `block` (which holds
// at least that many) at `layout`'s offsets, with Length = the layout's size
// and CdbLength = the CDB's length. PathId, TargetId and Lun are left 0: the
// device handle names the unit. Other bytes are not touched.
void StorePassThrough(std::span<std::byte> block, const PassThroughLayout& layout,
                      const PassThroughFields& fields);

// Writes the pointer-sized field. False, and nothing written, when `value`
// does not fit the layout's width.
[[nodiscard]] bool StorePassThroughDataBuffer(std::span<std::byte> block, const PassThroughLayout& layout,
                                              std::uint64_t value);

// DataTransferLength of a structure the driver has returned.
std::uint32_t LoadPassThroughTransferred(std::span<const std::byte> block, const PassThroughLayout& layout);

}  // namespace corvane::storage
