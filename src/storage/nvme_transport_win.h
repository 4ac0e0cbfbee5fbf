// NVMe transport over the storage property query of \\.\PhysicalDrive<n>.
#pragma once
#include "storage/nvme_transport.h"

namespace corvane::storage {

class Win32NvmeTransport final : public NvmeTransport {
 public:
  std::unique_ptr<NvmeDevice> Open(int drive) override;
};

}  // namespace corvane::storage
