// NVMe health of one drive, read over an NvmeTransport: ask the driver for
// the bus type, and for an NVMe disk the SMART / Health Information log and
// the Identify Controller data. Keeps nothing between calls and reports no
// failure: a drive that does not answer simply has no NVMe health.
#pragma once
#include <optional>

#include "storage/nvme.h"
#include "storage/nvme_transport.h"

namespace corvane::storage {

struct NvmeReading {
  bool is_nvme = false;  // the driver named the bus NVMe
  std::optional<NvmeHealth> health;
  std::optional<NvmeIdentity> identity;

  friend bool operator==(const NvmeReading&, const NvmeReading&) = default;
};

NvmeReading ReadNvmeHealth(NvmeTransport& transport, int drive);

}  // namespace corvane::storage
