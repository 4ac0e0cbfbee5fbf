#include "storage/hd_serial_win.h"

// clang-format off
#include <windows.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
#include <ntddscsi.h>  // builds on winioctl.h
// clang-format on

#include <cstddef>

#include "platform/unique_handle.h"

namespace corvane::storage {

// The blocks are laid out by hand for a 32-bit program; pin them to the
// system's own structures so the two cannot drift apart.
static_assert(sizeof(void*) == 4, "the pass-through block is the 32-bit layout");
static_assert(sizeof(SCSI_PASS_THROUGH) == kPassThroughSize);
static_assert(offsetof(SCSI_PASS_THROUGH, CdbLength) == 6);
static_assert(offsetof(SCSI_PASS_THROUGH, SenseInfoLength) == 7);
static_assert(offsetof(SCSI_PASS_THROUGH, DataIn) == 8);
static_assert(offsetof(SCSI_PASS_THROUGH, DataTransferLength) == 12);
static_assert(offsetof(SCSI_PASS_THROUGH, TimeOutValue) == 16);
static_assert(offsetof(SCSI_PASS_THROUGH, DataBufferOffset) == 20);
static_assert(offsetof(SCSI_PASS_THROUGH, SenseInfoOffset) == 24);
static_assert(offsetof(SCSI_PASS_THROUGH, Cdb) == 28);
static_assert(sizeof(SRB_IO_CONTROL) == kSrbIoControlSize);
static_assert(IOCTL_SCSI_PASS_THROUGH == kIoctlScsiPassThrough);
static_assert(IOCTL_SCSI_MINIPORT == kIoctlScsiMiniport);

namespace {

class Win32HdSerialDevice final : public HdSerialDevice {
 public:
  explicit Win32HdSerialDevice(platform::UniqueFile file) : file_(std::move(file)) {}

  bool Control(std::uint32_t ioctl, std::span<const std::byte> in, std::span<std::byte> out) override {
    DWORD returned = 0;
    // The input is only read; the API's pointer is not const.
    void* in_ptr = in.empty() ? nullptr : const_cast<std::byte*>(in.data());
    return ::DeviceIoControl(file_.get(), ioctl, in_ptr, static_cast<DWORD>(in.size()), out.data(),
                             static_cast<DWORD>(out.size()), &returned, nullptr) != FALSE;
  }

 private:
  platform::UniqueFile file_;
};

}  // namespace

std::uint32_t Win32HdSerialTransport::PlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(&info)) return 0;
  return info.dwPlatformId;
}

std::unique_ptr<HdSerialDevice> Win32HdSerialTransport::Open(std::wstring_view path, HdSerialOpen how) {
  const std::wstring name(path);
  platform::UniqueFile file;
  if (how == HdSerialOpen::kVxd) {
    file.reset(::CreateFileW(name.c_str(), 0, 0, nullptr, CREATE_NEW, 0, nullptr));
  } else {
    file.reset(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr));
  }
  if (!file) return nullptr;
  return std::make_unique<Win32HdSerialDevice>(std::move(file));
}

std::wstring GetHardDiskSerial() {
  Win32HdSerialTransport transport;
  return GetHardDiskSerial(transport);
}

}  // namespace corvane::storage
