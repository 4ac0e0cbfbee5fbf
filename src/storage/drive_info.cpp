#include "storage/drive_info.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "platform/number_text.h"
#include "storage/disk_window_ids.h"
#include "storage/nvme.h"
#include "storage/usb_drives.h"  // GroupDigits
#include "ui/report_section_build.h"

namespace corvane::storage {
namespace {

constexpr std::wstring_view kDriveTypeNames[] = {
    L"Unknown",     // DRIVE_UNKNOWN
    L"Not Exists",  // DRIVE_NO_ROOT_DIR
    L"Removable",   // DRIVE_REMOVABLE
    L"Fixed",       // DRIVE_FIXED
    L"Remote",      // DRIVE_REMOTE
    L"CDROM",       // DRIVE_CDROM
    L"RAMDisk",     // DRIVE_RAMDISK
};

// Feature bits of GetVolumeInformation, as the SDK defines them.
constexpr std::uint32_t kCaseSensitiveSearch = 0x1;
constexpr std::uint32_t kCasePreservedNames = 0x2;
constexpr std::uint32_t kUnicodeOnDisk = 0x4;
constexpr std::uint32_t kPersistentAcls = 0x8;
constexpr std::uint32_t kFileCompression = 0x10;
constexpr std::uint32_t kVolumeQuotas = 0x20;
constexpr std::uint32_t kSupportsSparseFiles = 0x40;
constexpr std::uint32_t kSupportsReparsePoints = 0x80;
constexpr std::uint32_t kVolumeIsCompressed = 0x8000;
constexpr std::uint32_t kSupportsObjectIds = 0x10000;
constexpr std::uint32_t kSupportsEncryption = 0x20000;

// A volume with long names allows components of exactly this length.
constexpr std::uint32_t kLongNameComponentLength = 255;
constexpr std::uint32_t kLongNamesItem = 0;  // marks the item decided by the length

struct FlagRule {
  std::wstring_view text;
  std::uint32_t mask;
};
constexpr std::array<FlagRule, kFlagItemCount> kFlagRules = {{
    {L"Case Is Preserved", kCasePreservedNames},
    {L"Case Sensitive", kCaseSensitiveSearch},
    {L"Unicode Stored On Disk", kUnicodeOnDisk},
    {L"Persistent Acls", kPersistentAcls},
    {L"File Compression", kFileCompression},
    {L"Volume Is Compressed", kVolumeIsCompressed},
    {L"Long Filenames", kLongNamesItem},
    {L"Encrypted File System Support", kSupportsEncryption},
    {L"Object IDs Support", kSupportsObjectIds},
    {L"Reparse Points Support", kSupportsReparsePoints},
    {L"Sparse Files Support", kSupportsSparseFiles},
    {L"Disk Quotas Support", kVolumeQuotas},
}};

const std::array<ui::ReportColumn, 10> kAttributeColumns = {{
    {L"Attribute", 55},
    {L"Name", 160},
    {L"State", 85},
    {L"Current", 55},
    {L"Worst", 50},
    {L"Threshold", 62},
    {L"Raw Value", 95},
    {L"Pre-Fail", 52},
    {L"Events", 48},
    {L"Error Rate", 66},
}};

const std::array<ui::ReportColumn, 2> kNvmeColumns = {{
    {L"Name", 200},
    {L"Value", 330},
}};

std::wstring_view YesNo(bool value) { return value ? L"Yes" : L"No"; }

// "#,#0": the digits grouped by the user's thousands separator.
std::wstring Grouped(std::uint64_t value, std::wstring_view thousands) {
  return GroupDigits(std::to_wstring(value), thousands);
}
std::wstring Grouped(std::int64_t value, std::wstring_view thousands) {
  if (value >= 0) return Grouped(static_cast<std::uint64_t>(value), thousands);
  // Negated in unsigned arithmetic, so the most negative value works too.
  return L"-" + Grouped(std::uint64_t{0} - static_cast<std::uint64_t>(value), thousands);
}

// A counter of the health log in grouped digits, however large.
std::wstring GroupedCounter(const NvmeCounter& value, std::wstring_view thousands) {
  const std::string digits = DecimalText(value);
  return GroupDigits(std::wstring(digits.begin(), digits.end()), thousands);
}

// Data units of the health log as grouped bytes: "1,024,000 bytes".
std::wstring DataUnitBytes(const NvmeCounter& units, std::wstring_view thousands) {
  const std::string digits = MultiplyDecimal(DecimalText(units), kNvmeDataUnitBytes);
  return GroupDigits(std::wstring(digits.begin(), digits.end()), thousands) + L" bytes";
}

std::wstring Percent(std::uint8_t value) { return std::to_wstring(value) + L"%"; }

}  // namespace

std::wstring DriveListItemText(wchar_t letter, std::wstring_view label) {
  std::wstring text(1, letter);
  text += L": [";
  text += label;
  text += L"]";
  return text;
}

std::wstring_view DriveTypeName(std::uint32_t code) {
  return code < std::size(kDriveTypeNames) ? kDriveTypeNames[code] : kDriveTypeNames[0];
}

std::wstring DriveTypeText(std::uint32_t code, std::wstring_view file_system) {
  std::wstring text(DriveTypeName(code));
  text += L" - ";
  text += file_system;
  return text;
}

std::wstring ByteCountText(std::uint64_t bytes, std::wstring_view thousands) {
  return Grouped(bytes, thousands) + L" bytes";
}

std::wstring VolumeSerialText(std::uint32_t serial) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  for (int shift = 28; shift >= 0; shift -= 4) {
    text += kDigits[(serial >> shift) & 0xF];
    if (shift == 16) text += L'-';
  }
  return text;
}

std::optional<double> UsedPercent(std::uint64_t total_bytes, std::uint64_t free_bytes) {
  if (total_bytes == 0) return std::nullopt;
  const double total = static_cast<double>(total_bytes);
  const double used = (total - static_cast<double>(free_bytes)) / total * 100.0;
  return std::clamp(used, 0.0, 100.0);
}

int BarPosition(double percent) {
  if (!(percent > 0.0)) return 0;  // NaN too
  if (percent >= 100.0) return 100;
  const double below = std::floor(percent);
  const double fraction = percent - below;
  int position = static_cast<int>(below);
  if (fraction > 0.5 || (fraction == 0.5 && position % 2 != 0)) ++position;
  return position;
}

std::wstring UsedPercentText(double percent, std::wstring_view decimal) {
  const auto text = platform::OneDecimal(percent, decimal);
  return text ? *text + L" %" : std::wstring(kNoPercentText);
}

std::vector<FlagItem> FileSystemFlagItems(std::uint32_t flags, std::uint32_t max_component_length) {
  std::vector<FlagItem> items;
  items.reserve(kFlagRules.size());
  for (const FlagRule& rule : kFlagRules) {
    const bool checked = rule.mask == kLongNamesItem ? max_component_length == kLongNameComponentLength
                                                     : (flags & rule.mask) != 0;
    items.push_back({rule.text, checked});
  }
  return items;
}

ByteTotals ClusterByteTotals(const ClusterFigures& c) {
  const std::uint64_t cluster_bytes = std::uint64_t{c.sectors_per_cluster} * c.bytes_per_sector;
  return {c.total_clusters * cluster_bytes, c.free_clusters * cluster_bytes};
}

DriveView BuildDriveView(const VolumeFacts& facts, std::wstring_view unc, const NumberSeparators& separators) {
  DriveView view;
  view.type = DriveTypeText(facts.type, facts.volume ? std::wstring_view(facts.volume->file_system) : L"");
  view.unc = unc;
  if (facts.volume) {
    view.serial = VolumeSerialText(facts.volume->serial);
    view.flags = FileSystemFlagItems(facts.volume->flags, facts.volume->max_component_length);
  } else {
    view.flags = FileSystemFlagItems(0, 0);
  }
  if (!facts.clusters) return view;  // not ready: no figures, no percentage

  const ClusterFigures& c = *facts.clusters;
  const ByteTotals bytes = facts.bytes ? *facts.bytes : ClusterByteTotals(c);
  view.capacity = ByteCountText(bytes.total, separators.thousands);
  view.free = ByteCountText(bytes.free_to_caller, separators.thousands);
  view.bytes_per_sector = std::to_wstring(c.bytes_per_sector);
  view.sectors_per_cluster = std::to_wstring(c.sectors_per_cluster);
  view.total_clusters = Grouped(std::uint64_t{c.total_clusters}, separators.thousands);
  view.free_clusters = Grouped(std::uint64_t{c.free_clusters}, separators.thousands);
  if (const auto used = UsedPercent(bytes.total, bytes.free_to_caller)) {
    view.bar = BarPosition(*used);
    view.percent = UsedPercentText(*used, separators.decimal);
  }
  return view;
}

std::wstring UniversalName(std::wstring_view full_path, const std::optional<std::wstring>& remote_name) {
  const bool has_drive = full_path.size() >= 2 && full_path[1] == L':';
  if (!remote_name || remote_name->empty() || !has_drive) return std::wstring(full_path);
  std::wstring name = *remote_name;
  std::wstring_view rest = full_path.substr(2);
  // "\\server\share\" and "\dir" must not meet as "\\dir".
  if (name.back() == L'\\' && !rest.empty() && rest.front() == L'\\') rest.remove_prefix(1);
  name += rest;
  return name;
}

int SmartDriveNumber(std::optional<std::uint32_t> disk_number, int list_position) {
  // Disk numbers past int's range are not real; the position is the better guess then.
  if (disk_number && *disk_number <= 0x7FFFFFFFu) return static_cast<int>(*disk_number);
  return list_position;
}

std::vector<ui::ReportColumn> SmartAttributeColumns() {
  return {kAttributeColumns.begin(), kAttributeColumns.end()};
}

std::vector<ui::ReportColumn> NvmeHealthColumns() { return {kNvmeColumns.begin(), kNvmeColumns.end()}; }

SmartView BuildNvmeSmartView(const NvmeReading& reading, std::wstring_view thousands) {
  SmartView view;
  view.attributes.columns = NvmeHealthColumns();
  if (reading.identity) {
    view.model = reading.identity->model;
    view.serial = reading.identity->serial;
    view.firmware = reading.identity->firmware;
  }
  if (!reading.health) return view;
  const NvmeHealth& h = *reading.health;
  view.verdict = NvmeVerdict(h.critical_warning);
  view.temperature = std::to_wstring(h.TemperatureCelsius()) + L"\u00B0C";
  std::wstring warnings;
  for (const std::wstring& words : CriticalWarningWords(h.critical_warning)) {
    if (!warnings.empty()) warnings += L"; ";
    warnings += words;
  }
  view.attributes.rows = {
      {L"Critical Warning", warnings.empty() ? L"None" : warnings},
      {L"Available Spare", Percent(h.available_spare)},
      {L"Available Spare Threshold", Percent(h.spare_threshold)},
      {L"Percentage Used", Percent(h.percentage_used)},
      {L"Data Read", DataUnitBytes(h.data_units_read, thousands)},
      {L"Data Written", DataUnitBytes(h.data_units_written, thousands)},
      {L"Power Cycles", GroupedCounter(h.power_cycles, thousands)},
      {L"Power-On Hours", GroupedCounter(h.power_on_hours, thousands)},
      {L"Unsafe Shutdowns", GroupedCounter(h.unsafe_shutdowns, thousands)},
      {L"Media Errors", GroupedCounter(h.media_errors, thousands)},
      {L"Error Log Entries", GroupedCounter(h.error_log_entries, thousands)},
  };
  return view;
}

SmartView BuildSmartView(const SmartReading& reading, std::wstring_view thousands) {
  if (reading.nvme.is_nvme) return BuildNvmeSmartView(reading.nvme, thousands);
  SmartView view;
  view.attributes.columns = SmartAttributeColumns();
  if (!reading.identity_ok) return view;
  view.model = reading.model;
  view.serial = reading.serial;
  const TSmartResult& s = reading.smart;
  if (!reading.smart_ok || s.AttributeCount <= 0) return view;

  view.temperature = std::to_wstring(s.Temperature) + L"\u00B0C";
  view.verdict = SmartVerdict(s);
  view.firmware = s.Firmware;
  view.size = Grouped(reading.size, thousands);
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(s.AttributeCount), kSmartSlots);
  for (std::size_t i = 0; i < count; ++i) {
    view.attributes.rows.push_back({
        std::to_wstring(s.AttrId[i]),
        s.AttrName[i],
        s.AttrState[i],
        std::to_wstring(s.AttrCurrent[i]),
        std::to_wstring(s.AttrWorst[i]),
        std::to_wstring(s.AttrThreshold[i]),
        Grouped(s.AttrRaw[i], thousands),
        std::wstring(YesNo(s.AttrPreFail[i])),
        std::wstring(YesNo(s.AttrEvents[i])),
        std::wstring(YesNo(s.AttrErrorRate[i])),
    });
  }
  return view;
}

using namespace disk_ids;

const std::array<ui::SheetField<DriveView>, 10> kVolumeFields{{
    {L"Drive", L"Drive", kIdDrive},
    {L"Drive Type", L"DriveType", kIdDriveType, [](const DriveView& v) { return v.type; }},
    {L"UNC", L"UNC", kIdUnc, [](const DriveView& v) { return v.unc; }},
    {L"Volume Serial No.", L"Serial", kIdSerial, [](const DriveView& v) { return v.serial; }},
    {L"Capacity", L"Capacity", kIdCapacity, [](const DriveView& v) { return v.capacity; }},
    {L"Free", L"Free", kIdFree, [](const DriveView& v) { return v.free; }},
    {L"Bytes Per Sector", L"BytesPerSector", kIdBytesPerSector, [](const DriveView& v) { return v.bytes_per_sector; }},
    {L"Sectors Per Cluster", L"SectorsPerCluster", kIdSectorsPerCluster,
     [](const DriveView& v) { return v.sectors_per_cluster; }},
    {L"Total Clusters", L"TotalClusters", kIdTotalClusters, [](const DriveView& v) { return v.total_clusters; }},
    {L"Free Clusters", L"FreeClusters", kIdFreeClusters, [](const DriveView& v) { return v.free_clusters; }},
}};

const std::array<ui::SheetField<SmartView>, 6> kSmartFields{{
    {L"SMART Enabled", L"SmartEnabled", kIdSmartEnabled, [](const SmartView& v) { return v.verdict; }},
    {L"Temperature", L"Temperature", kIdTemperature, [](const SmartView& v) { return v.temperature; }},
    {L"Modal Number", L"Model", kIdModel, [](const SmartView& v) { return v.model; }},
    {L"Serial Number", L"SmartSerial", kIdSmartSerial, [](const SmartView& v) { return v.serial; }},
    {L"Firmware Revision", L"Firmware", kIdFirmware, [](const SmartView& v) { return v.firmware; }},
    {L"Size", L"Size", kIdSize, [](const SmartView& v) { return v.size; }},
}};

namespace {

// What changes by itself on an unchanged machine.
constexpr std::wstring_view kFreeRows[] = {L"Free", L"Free Clusters"};
constexpr std::wstring_view kSmartReadings[] = {L"Temperature"};
constexpr std::wstring_view kUsedCaption = L"% Used";
constexpr std::wstring_view kFlagsCaption = L"File System Flags";

template <class View>
ui::SectionList DriveList(std::wstring title, std::span<const DriveReport> drives,
                          std::span<const ui::SheetField<View>> fields, View DriveReport::*view, ui::LabelPick pick,
                          ui::LabelSet labels, bool is_volatile) {
  return ui::SheetEntries(
      std::move(title), std::wstring(kVolumeFields[0].label), fields, drives,
      [](const DriveReport& d) -> const std::wstring& { return d.item; },
      [view](const DriveReport& d) -> const View& { return d.*view; }, pick, labels, is_volatile);
}

std::wstring CheckedFlagsText(const std::vector<FlagItem>& flags) {
  std::wstring text;
  for (const FlagItem& flag : flags) {
    if (!flag.checked) continue;
    if (!text.empty()) text += L", ";
    text += flag.text;
  }
  return text;
}

}  // namespace

ui::ReportSection DiskSection(std::span<const DriveReport> drives) {
  ui::ReportSection section{L"TfrmDisk", L"Drive Information", {}, {}, {}};
  const std::span<const ui::SheetField<DriveView>> volume(kVolumeFields);
  const std::span<const ui::SheetField<SmartView>> smart(kSmartFields);

  ui::SectionList volumes = DriveList(L"Drives", drives, volume, &DriveReport::drive, ui::LabelPick::kAllBut,
                                      kFreeRows, false);
  volumes.columns.emplace_back(kFlagsCaption);
  for (std::size_t i = 0; i < drives.size(); ++i) volumes.rows[i].push_back(CheckedFlagsText(drives[i].drive.flags));
  section.lists.push_back(std::move(volumes));

  ui::SectionList free = DriveList(L"Free Space", drives, volume, &DriveReport::drive, ui::LabelPick::kOnly,
                                   kFreeRows, true);
  free.columns.emplace_back(kUsedCaption);
  for (std::size_t i = 0; i < drives.size(); ++i) free.rows[i].push_back(drives[i].drive.percent);
  section.lists.push_back(std::move(free));

  section.lists.push_back(DriveList(L"SMART Information", drives, smart, &DriveReport::smart, ui::LabelPick::kAllBut,
                                    kSmartReadings, false));
  section.lists.push_back(DriveList(L"SMART Readings", drives, smart, &DriveReport::smart, ui::LabelPick::kOnly,
                                    kSmartReadings, true));

  // An NVMe disk's list holds its health figures under columns of its own,
  // so they get a list of their own rather than the ATA attribute captions.
  ui::SectionList attributes{L"SMART Attributes", {std::wstring(kVolumeFields[0].label)}, {}, true};
  for (const auto& column : SmartAttributeColumns()) attributes.columns.push_back(column.caption);
  ui::SectionList nvme{L"NVMe Health", {std::wstring(kVolumeFields[0].label)}, {}, true};
  const std::vector<ui::ReportColumn> nvme_columns = NvmeHealthColumns();
  for (const auto& column : nvme_columns) nvme.columns.push_back(column.caption);
  for (const DriveReport& d : drives) {
    const bool is_nvme = d.smart.attributes.columns.size() == nvme_columns.size() &&
                         std::ranges::equal(d.smart.attributes.columns, nvme_columns,
                                            [](const auto& a, const auto& b) { return a.caption == b.caption; });
    ui::SectionList& list = is_nvme ? nvme : attributes;
    for (const auto& cells : ui::ReportListSection(L"", d.smart.attributes).rows) {
      std::vector<std::wstring> row{d.item};
      row.insert(row.end(), cells.begin(), cells.end());
      row.resize(list.columns.size());
      list.rows.push_back(std::move(row));
    }
  }
  section.lists.push_back(std::move(attributes));
  if (!nvme.rows.empty()) section.lists.push_back(std::move(nvme));
  return section;
}

}  // namespace corvane::storage
