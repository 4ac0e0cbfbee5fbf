#include "storage/nvme_probe.h"

#include <algorithm>
#include <vector>

namespace corvane::storage {
namespace {

bool IsNvmeDisk(NvmeDevice& device) {
  std::vector<std::byte> buffer(kDeviceDescriptorBufferSize, std::byte{0});
  const std::vector<std::byte> query = BuildDevicePropertyQuery();
  std::copy(query.begin(), query.end(), buffer.begin());
  const auto returned = device.QueryProperty(buffer, query.size());
  if (!returned || *returned > buffer.size()) return false;
  const auto bus = DeviceDescriptorBusType(std::span(buffer).first(*returned));
  return bus && *bus == kBusTypeNvme;
}

// The data asked for by `query`, copied out of the reply; nullopt when the
// driver refuses or its reply does not hold it.
std::optional<std::vector<std::byte>> Ask(NvmeDevice& device, const NvmeQuery& query) {
  std::vector<std::byte> buffer = BuildProtocolQuery(query);
  const auto returned = device.QueryProperty(buffer, buffer.size());
  if (!returned || *returned > buffer.size()) return std::nullopt;
  const auto data = ProtocolReplyData(std::span<const std::byte>(buffer).first(*returned), query.data_length);
  if (!data) return std::nullopt;
  return std::vector<std::byte>(data->begin(), data->end());
}

}  // namespace

NvmeReading ReadNvmeHealth(NvmeTransport& transport, int drive) {
  NvmeReading reading;
  const std::unique_ptr<NvmeDevice> device = transport.Open(drive);
  if (!device || !IsNvmeDisk(*device)) return reading;
  reading.is_nvme = true;
  if (const auto page = Ask(*device, kHealthLogQuery)) reading.health = ParseNvmeHealthLog(*page);
  if (const auto data = Ask(*device, kIdentifyControllerQuery)) reading.identity = ParseNvmeIdentifyController(*data);
  return reading;
}

}  // namespace corvane::storage
