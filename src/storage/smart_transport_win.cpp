#include "storage/smart_transport_win.h"

#include <windows.h>

#include "platform/text_file_win.h"
#include "platform/unique_handle.h"

namespace corvane::storage {
namespace {

SmartCall Failed() { return {false, platform::SystemMessage(::GetLastError())}; }

class Win32SmartDevice final : public SmartDevice {
 public:
  explicit Win32SmartDevice(platform::UniqueFile file) : file_(std::move(file)) {}

  SmartCall GetVersion(std::span<std::byte, kVersionOutSize> out) override {
    return Control(kDfpGetVersion, {}, out);
  }
  SmartCall SendCommand(std::span<const std::byte> in, std::span<std::byte> out) override {
    return Control(kDfpSendDriveCommand, in, out);
  }
  SmartCall ReceiveSector(std::span<const std::byte> in, std::span<std::byte> out) override {
    return Control(kDfpReceiveDriveData, in, out);
  }

 private:
  SmartCall Control(DWORD code, std::span<const std::byte> in, std::span<std::byte> out) {
    DWORD returned = 0;
    // The input block is only read; the API's pointer is not const.
    void* in_ptr = in.empty() ? nullptr : const_cast<std::byte*>(in.data());
    if (!::DeviceIoControl(file_.get(), code, in_ptr, static_cast<DWORD>(in.size()), out.data(),
                           static_cast<DWORD>(out.size()), &returned, nullptr))
      return Failed();
    return {true, {}};
  }

  platform::UniqueFile file_;
};

DWORD PlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExW(&info)) return 0;  // names no platform: nothing is opened
  return info.dwPlatformId;
}

}  // namespace

SmartOpenResult Win32SmartTransport::Open(int drive) {
  SmartOpenResult result;
  result.kind = SmartDeviceForPlatform(PlatformId());
  if (result.kind == SmartDeviceKind::kNone) return result;

  const std::wstring path = SmartDevicePath(result.kind, drive);
  platform::UniqueFile file;
  if (result.kind == SmartDeviceKind::kSmartVsd) {
    // A VxD is reached by "creating" it.
    file.reset(::CreateFileW(path.c_str(), 0, 0, nullptr, CREATE_NEW, 0, nullptr));
  } else {
    file.reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr));
  }
  if (!file) {
    result.system_message = platform::SystemMessage(::GetLastError());
    return result;
  }
  result.device = std::make_unique<Win32SmartDevice>(std::move(file));
  return result;
}

}  // namespace corvane::storage
