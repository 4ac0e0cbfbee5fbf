// TISODiscLib: what the CD/DVD window asks of an optical drive, over any
// MMC transport. It decides nothing about the platform itself: whether
// pass-through may be used is settled by the caller when the object is made
// (disc_lib_win.h does it for Windows). One object per use.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "storage/mmc.h"
#include "storage/mmc_transport.h"

namespace corvane::storage {

// Readiness: this many TEST UNIT READY attempts, each after this pause.
inline constexpr int kReadinessAttempts = 10;
inline constexpr std::chrono::milliseconds kReadinessPause{100};

// Platform id of the NT family in the version record.
inline constexpr std::uint32_t kVersionPlatformNt = 2;

// Pass-through needs the NT family from version 4 on and an administrator.
bool PassThroughAllowed(std::uint32_t platform_id, std::uint32_t major_version, bool administrator);

class TISODiscLib {
 public:
  // `transport` must outlive the object.
  TISODiscLib(MmcTransport& transport, bool pass_through_usable);

  bool PassThroughUsable() const noexcept { return usable_; }

  // The CD/DVD drive `letter` opened for commands; null when pass-through is
  // not usable, the letter is not a CD/DVD drive or the open fails (nothing
  // is opened then). Destroying the result closes the drive.
  std::unique_ptr<MmcDevice> OpenCdDrive(wchar_t letter) const;

  // Waits until the drive is ready: up to kReadinessAttempts TEST UNIT
  // READY commands, each after a kReadinessPause during which user-interface
  // messages run. True at the first success. False for a null drive.
  bool TestUnitReady(MmcDevice* drive);

  // Index into ProfileName of the drive's current profile; -1 when the
  // command fails, the reply is too short or the profile has no name.
  int GetCurrentProfile(MmcDevice* drive);

  // MODE SENSE (10) of the capabilities page into `buffer`, which is zeroed
  // first; bytes the drive did not transfer stay zero.
  bool ReadCapabilitiesPage(MmcDevice* drive, std::span<std::byte, kModeSenseDataLength> buffer);

  // The capability report, lines joined with CR LF; empty when the drive is
  // null, never becomes ready, has no named current profile or its
  // capabilities page cannot be read.
  std::wstring GetDriveCapabilities(MmcDevice* drive);

  // Opens the drive `letter` itself (whether pass-through is usable or not),
  // sends INQUIRY and closes the drive. The INQUIRY text, or empty when the
  // open or the command fails.
  std::wstring ReadInquiryText(wchar_t letter);

 private:
  MmcTransport& transport_;
  bool usable_;
};

}  // namespace corvane::storage
