// What the drive window shows, worded from plain readings. The Win32 side
// (disk_window_win.h) reads the volume and the SMART layer and hands the
// facts here; the window then only puts the resulting texts into controls.
// Separators come from the user's locale through the caller, so nothing here
// depends on the process locale.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/nvme_probe.h"
#include "storage/smart.h"
#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::storage {

// ---- the drive list ---------------------------------------------------------

// A fixed drive of the list: its letter and its volume label (empty when
// it has none or cannot be read).
struct FixedVolume {
  wchar_t letter = L'C';
  std::wstring label;
};

// "C: [SYSTEM]"; "C: []" without a label.
std::wstring DriveListItemText(wchar_t letter, std::wstring_view label);

// ---- volume texts -------------------------------------------------------------

// Name of a GetDriveType code: "Unknown", "Not Exists", "Removable", "Fixed",
// "Remote", "CDROM", "RAMDisk"; codes past the table read "Unknown".
std::wstring_view DriveTypeName(std::uint32_t code);
// "Fixed - NTFS".
std::wstring DriveTypeText(std::uint32_t code, std::wstring_view file_system);

// Digits in groups of three joined by `thousands`, then " bytes" ("#,#0 bytes").
std::wstring ByteCountText(std::uint64_t bytes, std::wstring_view thousands);

// "1A2B-3C4D".
std::wstring VolumeSerialText(std::uint32_t serial);

// Share of the volume in use, in percent; nullopt when the total is 0.
std::optional<double> UsedPercent(std::uint64_t total_bytes, std::uint64_t free_bytes);
// Position of a 0..100 bar: the nearest integer, halves to the even one,
// held within the bar's range.
int BarPosition(double percent);
// "45.3 %" with `decimal` as the separator.
std::wstring UsedPercentText(double percent, std::wstring_view decimal);
// What the gauge text reads before a percentage is known.
inline constexpr std::wstring_view kNoPercentText = L"0%";

// The file-system feature list: twelve items in a fixed order, each checked
// when the volume has the feature.
struct FlagItem {
  std::wstring_view text;
  bool checked = false;
};
inline constexpr std::size_t kFlagItemCount = 12;
std::vector<FlagItem> FileSystemFlagItems(std::uint32_t flags, std::uint32_t max_component_length);

// ---- one volume -----------------------------------------------------------------

struct VolumeInformation {
  std::wstring label;
  std::wstring file_system;
  std::uint32_t serial = 0;
  std::uint32_t flags = 0;
  std::uint32_t max_component_length = 0;
};

struct ClusterFigures {
  std::uint32_t sectors_per_cluster = 0;
  std::uint32_t bytes_per_sector = 0;
  std::uint32_t free_clusters = 0;
  std::uint32_t total_clusters = 0;
};

struct ByteTotals {
  std::uint64_t total = 0;
  std::uint64_t free_to_caller = 0;
};

// What the system said about one drive. `clusters` is set only when the
// drive is ready; `bytes` only when the 64-bit call exists and answered, and
// otherwise the totals are worked out from the clusters.
struct VolumeFacts {
  std::uint32_t type = 0;  // GetDriveType code
  std::optional<VolumeInformation> volume;
  std::optional<ClusterFigures> clusters;
  std::optional<ByteTotals> bytes;
};

// Byte totals from the cluster figures, in 64 bits.
ByteTotals ClusterByteTotals(const ClusterFigures& clusters);

// Every text of the volume part of the window. Figures a drive cannot give
// (not ready, or its volume information unreadable) stay empty.
struct DriveView {
  std::wstring type;
  std::wstring unc;
  std::wstring serial;
  std::wstring capacity;
  std::wstring free;
  std::wstring bytes_per_sector;
  std::wstring sectors_per_cluster;
  std::wstring total_clusters;
  std::wstring free_clusters;
  int bar = 0;
  std::wstring percent{kNoPercentText};
  std::vector<FlagItem> flags;
};

struct NumberSeparators {
  std::wstring decimal{L"."};
  std::wstring thousands{L","};
};

DriveView BuildDriveView(const VolumeFacts& facts, std::wstring_view unc, const NumberSeparators& separators);

// The rows of the volume sheet, top to bottom. The first ("Drive") holds the
// drive list and has no text.
extern const std::array<ui::SheetField<DriveView>, 10> kVolumeFields;

// The universal name of a path on a drive: the drive part replaced by the
// remote name the drive is connected to; the path itself when it has none.
std::wstring UniversalName(std::wstring_view full_path, const std::optional<std::wstring>& remote_name);

// ---- the SMART section ------------------------------------------------------------

// The physical drive to ask for SMART data: the disk the volume says it lies
// on, or, when it cannot say, the volume's position in the drive list.
int SmartDriveNumber(std::optional<std::uint32_t> disk_number, int list_position);

// What the two SMART routines returned for one drive.
struct SmartReading {
  bool identity_ok = false;
  std::wstring model;
  std::wstring serial;
  std::int64_t size = 0;
  bool smart_ok = false;
  TSmartResult smart;
  // An NVMe disk answers no SMART request; its health comes from here.
  NvmeReading nvme;
};

struct SmartView {
  std::wstring verdict;
  std::wstring temperature;
  std::wstring model;
  std::wstring serial;
  std::wstring firmware;
  std::wstring size;
  ui::ReportList attributes;  // the ten columns always; one row per attribute
};

// The columns of the attribute list, in order.
std::vector<ui::ReportColumn> SmartAttributeColumns();

// Without an identity the section stays empty; with an identity but no
// attributes only the model and serial are shown. An NVMe disk is shown by
// BuildNvmeSmartView instead.
SmartView BuildSmartView(const SmartReading& reading, std::wstring_view thousands);

// The columns of the list for an NVMe disk: "Name" and "Value".
std::vector<ui::ReportColumn> NvmeHealthColumns();

// An NVMe disk's health in the SMART section: the verdict ("OK" or the
// warnings set), the temperature, the controller's model, serial number and
// firmware, and one list row per health figure, counts grouped by
// `thousands`. What the drive did not give stays empty.
SmartView BuildNvmeSmartView(const NvmeReading& reading, std::wstring_view thousands);

// The rows of the SMART sheet, top to bottom.
extern const std::array<ui::SheetField<SmartView>, 6> kSmartFields;

// What the drive window shows: the drives of its list, the one picked, and
// the texts of that drive.
struct DiskWindowModel {
  std::vector<FixedVolume> drives;
  int selected = -1;  // index into drives; -1 with none
  DriveView drive;
  SmartView smart;
};

// ---- the report -------------------------------------------------------------------

// One drive of the list as the window would show it when picked.
struct DriveReport {
  std::wstring item;  // its entry in the drive list, "C: [SYSTEM]"
  DriveView drive;
  SmartView smart;
};

// The window's report section. The window shows one drive at a time; the
// report lists every drive, one row each, keyed by its list entry: the
// volume rows, its free space (volatile), the SMART identity, its live SMART
// readings (volatile) and the attributes of every drive (volatile).
ui::ReportSection DiskSection(std::span<const DriveReport> drives);

}  // namespace corvane::storage
