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

// The block is laid out by hand for a 32-bit program; pin it to the
// system's own structure so the two cannot drift apart.
static_assert(sizeof(void*) == 4, "the pass-through block carries a 32-bit buffer address");
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == kPassThroughHeaderSize);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Length) == kOffsetLength);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, ScsiStatus) == kOffsetScsiStatus);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, CdbLength) == kOffsetCdbLength);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoLength) == kOffsetSenseInfoLength);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataIn) == kOffsetDataIn);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataTransferLength) == kOffsetDataTransferLength);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TimeOutValue) == kOffsetTimeOutValue);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer) == kOffsetDataBuffer);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset) == kOffsetSenseInfoOffset);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb) == kOffsetCdb);
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

    alignas(8) PassThroughBlock block = BuildPassThroughBlock(command);
    if (!data.empty())
      SetPassThroughDataBuffer(block, static_cast<std::uint32_t>(
                                          reinterpret_cast<std::uintptr_t>(bounce_->bytes.data())));
    DWORD returned = 0;
    if (!::DeviceIoControl(file_.get(), kIoctlScsiPassThroughDirect, block.data(),
                           static_cast<DWORD>(block.size()), block.data(),
                           static_cast<DWORD>(block.size()), &returned, nullptr))
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
