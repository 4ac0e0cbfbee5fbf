// An NVMe transport that answers storage property queries from a script,
// for the probe's native tests and the drive window's Wine tests (Wine has
// no NVMe disk), and builders of the replies and pages it gives.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/nvme.h"
#include "storage/nvme_transport.h"

namespace corvane::storage::testing {

using Bytes = std::vector<std::byte>;

inline void Put32(Bytes& b, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}
inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= std::to_integer<std::uint32_t>(b[at + i]) << (8 * i);
  return v;
}

// A 16-byte little-endian counter of the health log at `at`.
inline void PutCounter(Bytes& page, std::size_t at, NvmeCounter value) {
  for (std::size_t i = 0; i < 8; ++i) {
    page[at + i] = static_cast<std::byte>((value.low >> (8 * i)) & 0xFF);
    page[at + 8 + i] = static_cast<std::byte>((value.high >> (8 * i)) & 0xFF);
  }
}

// A health log page with the figures of the one-byte and two-byte fields
// and every counter set to zero.
inline Bytes HealthPage(std::uint8_t warning, std::uint16_t kelvin, std::uint8_t spare, std::uint8_t threshold,
                        std::uint8_t used) {
  Bytes page(kNvmeHealthLogSize, std::byte{0});
  page[0] = std::byte{warning};
  page[1] = static_cast<std::byte>(kelvin & 0xFF);
  page[2] = static_cast<std::byte>(kelvin >> 8);
  page[3] = std::byte{spare};
  page[4] = std::byte{threshold};
  page[5] = std::byte{used};
  return page;
}

// An Identify Controller structure holding the three texts, space-padded.
inline Bytes IdentifyController(std::string_view model, std::string_view serial, std::string_view firmware) {
  Bytes data(kNvmeIdentifySize, std::byte{0});
  const auto put = [&](std::size_t at, std::size_t length, std::string_view text) {
    for (std::size_t i = 0; i < length; ++i)
      data[at + i] = static_cast<std::byte>(i < text.size() ? text[i] : ' ');
  };
  put(4, 20, serial);
  put(24, 40, model);
  put(64, 8, firmware);
  return data;
}

// A STORAGE_DEVICE_DESCRIPTOR naming `bus_type`.
inline Bytes DeviceDescriptor(std::uint32_t bus_type) {
  Bytes reply(40, std::byte{0});
  Put32(reply, 0, 40);
  Put32(reply, 4, 40);
  Put32(reply, kDeviceDescriptorBusTypeOffset, bus_type);
  return reply;
}

// Fields of a STORAGE_PROTOCOL_DATA_DESCRIPTOR header.
inline constexpr std::size_t kReplyVersionAt = 0;
inline constexpr std::size_t kReplySizeAt = 4;
inline constexpr std::size_t kReplyOffsetAt = 24;
inline constexpr std::size_t kReplyLengthAt = 28;

// The reply carrying `data` right after its header, as drivers give it.
inline Bytes ProtocolReply(const Bytes& data) {
  // Sized at once and copied into: an insert at the end trips a false
  // -Warray-bounds of the 64-bit cross compiler.
  Bytes reply(kProtocolDataDescriptorSize + data.size(), std::byte{0});
  Put32(reply, kReplyVersionAt, kProtocolDataDescriptorSize);
  Put32(reply, kReplySizeAt, kProtocolDataDescriptorSize);
  Put32(reply, 8, kProtocolTypeNvme);
  Put32(reply, kReplyOffsetAt, kProtocolSpecificDataSize);
  Put32(reply, kReplyLengthAt, static_cast<std::uint32_t>(data.size()));
  std::copy(data.begin(), data.end(), reply.begin() + kProtocolDataDescriptorSize);
  return reply;
}

// `reply` with one 32-bit field changed.
inline Bytes Patched(Bytes reply, std::size_t at, std::uint32_t value) {
  Put32(reply, at, value);
  return reply;
}

// One query the device saw: the property asked for, the first 48 bytes of
// the buffer as they came in, and the lengths passed.
struct SeenQuery {
  std::uint32_t property_id;
  Bytes head;
  std::size_t in_length;
  std::size_t buffer_length;
};

class ScriptedNvmeTransport final : public NvmeTransport {
 public:
  bool opens = true;
  // The reply to each property (a query without one fails, as a driver that
  // refuses it); the driver says it returned `returned` bytes when set, else
  // as many as it wrote.
  std::map<std::uint32_t, Bytes> replies;
  std::optional<std::size_t> returned;
  std::vector<int> opened;
  std::vector<SeenQuery> seen;

  std::unique_ptr<NvmeDevice> Open(int drive) override {
    opened.push_back(drive);
    if (!opens) return nullptr;
    return std::make_unique<Device>(*this);
  }

  // An NVMe disk answering both queries.
  static std::unique_ptr<ScriptedNvmeTransport> Disk(const Bytes& page, const Bytes& identify) {
    auto t = std::make_unique<ScriptedNvmeTransport>();
    t->replies[kStorageDeviceProperty] = DeviceDescriptor(kBusTypeNvme);
    t->replies[kStorageDeviceProtocolSpecificProperty] = ProtocolReply(page);
    t->replies[kStorageAdapterProtocolSpecificProperty] = ProtocolReply(identify);
    return t;
  }

 private:
  class Device final : public NvmeDevice {
   public:
    explicit Device(ScriptedNvmeTransport& t) : t_(t) {}
    std::optional<std::size_t> QueryProperty(std::span<std::byte> buffer, std::size_t in_length) override {
      Bytes head(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(48, buffer.size())));
      const std::uint32_t property = buffer.size() >= 4 ? Get32(head, 0) : ~0u;
      t_.seen.push_back({property, head, in_length, buffer.size()});
      const auto it = t_.replies.find(property);
      if (it == t_.replies.end()) return std::nullopt;
      const std::size_t n = std::min(it->second.size(), buffer.size());
      std::copy_n(it->second.begin(), n, buffer.begin());
      return t_.returned.value_or(n);
    }

   private:
    ScriptedNvmeTransport& t_;
  };
};

}  // namespace corvane::storage::testing
