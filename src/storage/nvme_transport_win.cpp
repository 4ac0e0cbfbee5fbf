#include "storage/nvme_transport_win.h"

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "storage/nvme.h"

namespace corvane::storage {
namespace {

class Win32NvmeDevice final : public NvmeDevice {
 public:
  explicit Win32NvmeDevice(platform::UniqueFile file) : file_(std::move(file)) {}

  std::optional<std::size_t> QueryProperty(std::span<std::byte> buffer, std::size_t in_length) override {
    DWORD returned = 0;
    if (!::DeviceIoControl(file_.get(), kIoctlStorageQueryProperty, buffer.data(), static_cast<DWORD>(in_length),
                           buffer.data(), static_cast<DWORD>(buffer.size()), &returned, nullptr))
      return std::nullopt;
    return returned;
  }

 private:
  platform::UniqueFile file_;
};

}  // namespace

std::unique_ptr<NvmeDevice> Win32NvmeTransport::Open(int drive) {
  const std::wstring path = L"\\\\.\\PhysicalDrive" + std::to_wstring(drive);
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
  platform::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING, 0, nullptr));
  // The query needs no access right, so a user who may not read the disk can
  // still ask it.
  if (!file) file.reset(::CreateFileW(path.c_str(), 0, kShare, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32NvmeDevice>(std::move(file));
}

}  // namespace corvane::storage
