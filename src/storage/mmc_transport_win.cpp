#include "storage/mmc_transport_win.h"

// clang-format off
#include <windows.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
#include <ntddscsi.h>  // builds on winioctl.h
// clang-format on

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/unique_handle.h"

namespace corvane::storage {

// The system reads the block in the layout of this program's pointer size.
// Pin that layout to the system's own structure so the two cannot drift
// apart: a 32-bit build checks the 32-bit layout, a 64-bit build the 64-bit.
constexpr PassThroughLayout kNativeLayout = sizeof(void*) == 8 ? kPassThroughDirect64 : kPassThroughDirect32;
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == kNativeLayout.size);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Length) == kNativeLayout.length);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, ScsiStatus) == kNativeLayout.scsi_status);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, PathId) == kNativeLayout.path_id);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TargetId) == kNativeLayout.target_id);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Lun) == kNativeLayout.lun);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, CdbLength) == kNativeLayout.cdb_length);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoLength) == kNativeLayout.sense_info_length);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataIn) == kNativeLayout.data_in);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataTransferLength) == kNativeLayout.data_transfer_length);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TimeOutValue) == kNativeLayout.time_out_value);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer) == kNativeLayout.data_buffer);
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT::DataBuffer) == kNativeLayout.data_buffer_width);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset) == kNativeLayout.sense_info_offset);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb) == kNativeLayout.cdb);
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT::Cdb) == kCdbCapacity);
static_assert(alignof(SCSI_PASS_THROUGH_DIRECT) <= 8, "the block's storage is aligned to 8");
static_assert(IOCTL_SCSI_PASS_THROUGH_DIRECT == kIoctlScsiPassThroughDirect);
static_assert(SCSI_IOCTL_DATA_IN == kScsiIoctlDataIn);

namespace {

// Data goes through a buffer of our own: adapters may demand an alignment
// (their AlignmentMask) that a caller's byte array need not have.
constexpr std::size_t kBounceSize = 512;
static_assert(kInquiryDataLength <= kBounceSize && kConfigurationDataLength <= kBounceSize &&
              kModeSenseDataLength <= kBounceSize);
struct alignas(512) Bounce {
  std::array<std::byte, kBounceSize> bytes{};
};

class Win32MmcDevice final : public MmcDevice {
 public:
  explicit Win32MmcDevice(platform::UniqueFile file)
      : file_(std::move(file)), bounce_(std::make_unique<Bounce>()) {}

  MmcReply Send(const MmcCommand& command, std::span<std::byte> data) override {
    if (data.size() != command.data_length || data.size() > kBounceSize) return {};
    std::ranges::fill(bounce_->bytes, std::byte{0});

    PassThroughBlock block = BuildPassThroughBlock(command, kNativeLayout);
    if (!data.empty() &&
        !SetPassThroughDataBuffer(block, reinterpret_cast<std::uintptr_t>(bounce_->bytes.data())))
      return {};
    const std::span<std::byte> bytes = block.bytes();
    DWORD returned = 0;
    if (!::DeviceIoControl(file_.get(), kIoctlScsiPassThroughDirect, bytes.data(),
                           static_cast<DWORD>(bytes.size()), bytes.data(),
                           static_cast<DWORD>(bytes.size()), &returned, nullptr))
      return {};
    const std::size_t transferred =
        std::min<std::size_t>(PassThroughTransferred(block), data.size());
    std::copy_n(bounce_->bytes.begin(), data.size(), data.begin());
    return {true, transferred};
  }

 private:
  platform::UniqueFile file_;
  std::unique_ptr<Bounce> bounce_;
};

std::wstring DrivePath(wchar_t letter) { return std::wstring(L"\\\\.\\") + letter + L":"; }

}  // namespace

bool Win32MmcTransport::IsCdDrive(wchar_t letter) {
  const std::wstring root = std::wstring(1, letter) + L":\\";
  return ::GetDriveTypeW(root.c_str()) == DRIVE_CDROM;
}

std::unique_ptr<MmcDevice> Win32MmcTransport::OpenDrive(wchar_t letter) {
  platform::UniqueFile file(::CreateFileW(DrivePath(letter).c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32MmcDevice>(std::move(file));
}

void Win32MmcTransport::Pause(std::chrono::milliseconds duration) {
  const DWORD total =
      static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(duration.count(), 0));
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    const DWORD elapsed = ::GetTickCount() - start;  // wraps correctly
    if (elapsed >= total) return;
    // Wakes early for any new message, which the next round dispatches.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, total - elapsed, QS_ALLINPUT);
  }
}

}  // namespace corvane::storage
