#include "storage/hd_serial_win.h"

// clang-format off
#include <windows.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
#include <ntddscsi.h>  // builds on winioctl.h
// clang-format on

#include <cstddef>

#include "platform/unique_handle.h"

namespace corvane::storage {

// The system reads SCSI_PASS_THROUGH in the layout of this program's
// pointer size. Pin that layout to the system's own structure so the two
// cannot drift apart: a 32-bit build checks the 32-bit layout, a 64-bit
// build the 64-bit one.
constexpr PassThroughLayout kNativeLayout = sizeof(void*) == 8 ? kPassThrough64 : kPassThrough32;
static_assert(sizeof(SCSI_PASS_THROUGH) == kNativeLayout.size);
static_assert(offsetof(SCSI_PASS_THROUGH, Length) == kNativeLayout.length);
static_assert(offsetof(SCSI_PASS_THROUGH, ScsiStatus) == kNativeLayout.scsi_status);
static_assert(offsetof(SCSI_PASS_THROUGH, PathId) == kNativeLayout.path_id);
static_assert(offsetof(SCSI_PASS_THROUGH, TargetId) == kNativeLayout.target_id);
static_assert(offsetof(SCSI_PASS_THROUGH, Lun) == kNativeLayout.lun);
static_assert(offsetof(SCSI_PASS_THROUGH, CdbLength) == kNativeLayout.cdb_length);
static_assert(offsetof(SCSI_PASS_THROUGH, SenseInfoLength) == kNativeLayout.sense_info_length);
static_assert(offsetof(SCSI_PASS_THROUGH, DataIn) == kNativeLayout.data_in);
static_assert(offsetof(SCSI_PASS_THROUGH, DataTransferLength) == kNativeLayout.data_transfer_length);
static_assert(offsetof(SCSI_PASS_THROUGH, TimeOutValue) == kNativeLayout.time_out_value);
static_assert(offsetof(SCSI_PASS_THROUGH, DataBufferOffset) == kNativeLayout.data_buffer);
static_assert(sizeof(SCSI_PASS_THROUGH::DataBufferOffset) == kNativeLayout.data_buffer_width);
static_assert(offsetof(SCSI_PASS_THROUGH, SenseInfoOffset) == kNativeLayout.sense_info_offset);
static_assert(offsetof(SCSI_PASS_THROUGH, Cdb) == kNativeLayout.cdb);
static_assert(sizeof(SCSI_PASS_THROUGH::Cdb) == kCdbCapacity);
static_assert(alignof(SCSI_PASS_THROUGH) <= 8, "the request buffer is aligned to 8");
static_assert(UnitSerialOutLength(kNativeLayout) <= kUnitSerialRequestSize);
static_assert(IOCTL_SCSI_PASS_THROUGH == kIoctlScsiPassThrough);
static_assert(SCSI_IOCTL_DATA_IN == kScsiIoctlDataIn);

// The miniport request holds no pointer and is the same for every pointer
// size; pin it all the same.
static_assert(sizeof(SRB_IO_CONTROL) == kSrbIoControlSize);
static_assert(offsetof(SRB_IO_CONTROL, HeaderLength) == 0);
static_assert(offsetof(SRB_IO_CONTROL, Signature) == 4 && sizeof(SRB_IO_CONTROL::Signature) == 8);
static_assert(offsetof(SRB_IO_CONTROL, Timeout) == 12);
static_assert(offsetof(SRB_IO_CONTROL, ControlCode) == 16);
static_assert(offsetof(SRB_IO_CONTROL, ReturnCode) == 20);
static_assert(offsetof(SRB_IO_CONTROL, Length) == 24);
static_assert(sizeof(SENDCMDINPARAMS) == kCmdInSize);
static_assert(offsetof(SENDCMDOUTPARAMS, bBuffer) == kCmdOutHeaderSize);
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
  return GetHardDiskSerial(transport, kNativeLayout);
}

}  // namespace corvane::storage
