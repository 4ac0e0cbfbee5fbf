// MMC transport over IOCTL_SCSI_PASS_THROUGH_DIRECT on a \\.\X: drive handle.
#pragma once
#include "storage/mmc_transport.h"

namespace corvane::storage {

class Win32MmcTransport final : public MmcTransport {
 public:
  // GetDriveTypeW on "X:\" gives DRIVE_CDROM.
  bool IsCdDrive(wchar_t letter) override;
  // \\.\X: for reading and writing, shared for both.
  std::unique_ptr<MmcDevice> OpenDrive(wchar_t letter) override;
  // Waits while dispatching this thread's messages. A WM_QUIT met on the way
  // is posted again for the main loop and ends the wait.
  void Pause(std::chrono::milliseconds duration) override;
};

}  // namespace corvane::storage
