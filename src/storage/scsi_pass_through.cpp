#include "storage/scsi_pass_through.h"

#include <algorithm>

namespace corvane::storage {
namespace {

// Every field lies inside the structure, the pointer-sized one on a
// multiple of its own width, as the system's compiler puts it.
constexpr bool Consistent(const PassThroughLayout& l) {
  return l.size % l.data_buffer_width == 0 && l.data_buffer % l.data_buffer_width == 0 &&
         l.time_out_value + 4 <= l.data_buffer && l.data_buffer + l.data_buffer_width <= l.sense_info_offset &&
         l.sense_info_offset + 4 <= l.cdb && l.cdb + kCdbCapacity <= l.size;
}
static_assert(Consistent(kPassThrough32) && Consistent(kPassThrough64));
static_assert(Consistent(kPassThroughDirect32) && Consistent(kPassThroughDirect64));

void StoreLe(std::span<std::byte> b, std::size_t at, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) b[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

}  // namespace

void StorePassThrough(std::span<std::byte> block, const PassThroughLayout& layout,
                      const PassThroughFields& fields) {
  const auto structure = block.first(layout.size);
  const auto cdb = fields.cdb.first(std::min(fields.cdb.size(), kCdbCapacity));
  StoreLe(structure, layout.length, layout.size, 2);
  structure[layout.cdb_length] = static_cast<std::byte>(cdb.size());
  structure[layout.sense_info_length] = std::byte{fields.sense_info_length};
  structure[layout.data_in] = std::byte{kScsiIoctlDataIn};
  StoreLe(structure, layout.data_transfer_length, fields.data_transfer_length, 4);
  StoreLe(structure, layout.time_out_value, fields.time_out_value, 4);
  StoreLe(structure, layout.sense_info_offset, fields.sense_info_offset, 4);
  std::ranges::transform(cdb, structure.begin() + static_cast<std::ptrdiff_t>(layout.cdb),
                         [](std::uint8_t b) { return std::byte{b}; });
}

bool StorePassThroughDataBuffer(std::span<std::byte> block, const PassThroughLayout& layout, std::uint64_t value) {
  if (layout.data_buffer_width < 8 && (value >> (8 * layout.data_buffer_width)) != 0) return false;
  StoreLe(block.first(layout.size), layout.data_buffer, value, layout.data_buffer_width);
  return true;
}

std::uint32_t LoadPassThroughTransferred(std::span<const std::byte> block, const PassThroughLayout& layout) {
  const auto field = block.first(layout.size).subspan(layout.data_transfer_length, 4);
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = (value << 8) | std::to_integer<std::uint32_t>(field[i]);
  return value;
}

}  // namespace corvane::storage
