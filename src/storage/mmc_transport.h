// The device side of MMC access, reduced to what TISODiscLib needs: tell a
// CD drive letter from others, open a drive, send one command and receive
// its data, and pause between readiness attempts while the user interface
// keeps running. The Win32 implementation is in mmc_transport_win.h; tests
// script their own, so no test ever sleeps.
#pragma once
#include <chrono>
#include <cstddef>
#include <memory>
#include <span>

#include "storage/mmc.h"

namespace corvane::storage {

// Outcome of one command: `ok` when the device call succeeded (SCSI status
// and sense data are not examined); `transferred` is how many bytes of the
// data buffer the drive filled.
struct MmcReply {
  bool ok = false;
  std::size_t transferred = 0;
};

// An open drive; destroying it closes the drive.
class MmcDevice {
 public:
  virtual ~MmcDevice() = default;

  // Sends `command`; `data` is the buffer its reply goes to and holds
  // exactly command.data_length bytes (empty for a command without data).
  virtual MmcReply Send(const MmcCommand& command, std::span<std::byte> data) = 0;
};

class MmcTransport {
 public:
  virtual ~MmcTransport() = default;

  // True when the drive `letter` (A..Z) is a CD/DVD drive.
  virtual bool IsCdDrive(wchar_t letter) = 0;

  // Opens the drive `letter` (A..Z) for commands; null when that fails.
  virtual std::unique_ptr<MmcDevice> OpenDrive(wchar_t letter) = 0;

  // Waits `duration` while pending user-interface messages run.
  virtual void Pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace corvane::storage
