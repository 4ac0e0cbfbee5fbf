// The device side of NVMe health, reduced to the one call it needs: the
// storage property query on a physical drive. The Win32 implementation is in
// nvme_transport_win.h; tests script their own.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <span>

namespace corvane::storage {

// An open physical drive; destroying it closes the drive.
class NvmeDevice {
 public:
  virtual ~NvmeDevice() = default;

  // IOCTL_STORAGE_QUERY_PROPERTY with one buffer for both ways: its first
  // `in_length` bytes are the query, and the reply is written over the whole
  // buffer. The number of bytes the driver returned, or nullopt when the call
  // failed (older systems and drivers refuse protocol-specific queries).
  virtual std::optional<std::size_t> QueryProperty(std::span<std::byte> buffer, std::size_t in_length) = 0;
};

class NvmeTransport {
 public:
  virtual ~NvmeTransport() = default;

  // Opens physical drive `drive`; null when it cannot be opened.
  virtual std::unique_ptr<NvmeDevice> Open(int drive) = 0;
};

}  // namespace corvane::storage
