// Drive letters and what the system says of each volume: the readers behind
// the drive window, the CD/DVD drive list and the summary's disk rows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "storage/drive_info.h"
#include "storage/nvme_transport.h"

namespace corvane::storage {

// While it lives, a drive without a disc makes no "insert a disk" box
// appear; the previous error mode comes back afterwards.
class QuietDriveErrors {
 public:
  QuietDriveErrors() noexcept;
  ~QuietDriveErrors();
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

// "E:\".
std::wstring RootOf(wchar_t letter);
// Every drive letter the system has, in its order (upper case as it gives them).
std::vector<wchar_t> DriveLetters();
// GetDriveType of the drive's root.
unsigned DriveTypeOf(wchar_t letter);

// Label, file system and the rest; nullopt when the call fails.
std::optional<VolumeInformation> ReadVolumeInformation(wchar_t letter);
// The drives of one GetDriveType kind in the system's order, each with its
// volume label (empty without one, or without a disc).
std::vector<FixedVolume> ReadVolumesOfType(unsigned drive_type);
// The fixed drives.
std::vector<FixedVolume> ReadFixedVolumes();
// The 64-bit totals, from a function the first 9x releases lack; nullopt
// without it or when the drive does not answer.
std::optional<ByteTotals> ReadByteTotals(wchar_t letter);
// The current directory of the drive, in its universal form.
std::wstring ReadUniversalName(wchar_t letter);
// The physical disk a volume lies on, where the system can say (NT family).
std::optional<std::uint32_t> ReadDiskNumber(wchar_t letter);

// Everything the drive window shows of one drive, read in one go; the
// SMART part from the disk the volume lies on (or the list position): the
// NVMe health over `nvme` for an NVMe disk, the ATA SMART reading otherwise.
struct DriveReading {
  VolumeFacts facts;
  std::wstring unc;
  platform::UniqueIcon icon;
  SmartReading smart;
};
DriveReading ReadDrive(wchar_t letter, int list_position, NvmeTransport& nvme);

}  // namespace corvane::storage
