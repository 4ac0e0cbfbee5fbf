// What the USB drives window shows, as a pure mapping from the properties of
// the Win32_DiskDrive objects WMI returned: the USB filter, the eleven grid
// columns (position among all disks, capability texts, grouped numbers) and
// the two counts. The window (usb_drives_window_win.h) reads the objects,
// builds a UsbDrivesView and only displays it.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/number_text.h"
#include "platform/wmi_grid.h"
#include "ui/report_section.h"

namespace corvane::storage {

inline constexpr std::wstring_view kUsbDrivesCaption = L"USB Drives";

// The properties of one Win32_DiskDrive object that the window uses, as
// delivered; WmiNull where the object has no such property or it is null.
struct DiskDriveProperties {
  platform::WmiValue InterfaceType;
  platform::WmiValue Description;
  platform::WmiValue MediaType;
  platform::WmiValue Model;
  platform::WmiValue Capabilities;
  platform::WmiValue BytesPerSector;
  platform::WmiValue TotalSectors;
  platform::WmiValue Size;
  platform::WmiValue Status;
  platform::WmiValue PNPDeviceID;
};

inline constexpr std::array<platform::WmiField<DiskDriveProperties, platform::WmiValue>, 10> kDiskDriveProperties{{
    {L"InterfaceType", &DiskDriveProperties::InterfaceType},
    {L"Description", &DiskDriveProperties::Description},
    {L"MediaType", &DiskDriveProperties::MediaType},
    {L"Model", &DiskDriveProperties::Model},
    {L"Capabilities", &DiskDriveProperties::Capabilities},
    {L"BytesPerSector", &DiskDriveProperties::BytesPerSector},
    {L"TotalSectors", &DiskDriveProperties::TotalSectors},
    {L"Size", &DiskDriveProperties::Size},
    {L"Status", &DiskDriveProperties::Status},
    {L"PNPDeviceID", &DiskDriveProperties::PNPDeviceID},
}};

inline constexpr std::wstring_view kDiskDriveQuery = L"SELECT * FROM Win32_DiskDrive";

// Grid column headers, in order.
inline constexpr std::array<std::wstring_view, 11> kUsbDriveColumns{{
    L"Drive", L"Interface", L"Device", L"Media Type", L"Model", L"Capabilities",
    L"Bytes Per Sector", L"Total Sectors", L"Drive Capacity", L"Status", L"PNP ID"}};
inline constexpr std::size_t kCapabilitiesColumn = 5;

using UsbDriveRow = std::array<std::wstring, kUsbDriveColumns.size()>;

// The labels of the two counts.
inline constexpr std::wstring_view kUsbCountLabel = L"USB Drives";
inline constexpr std::wstring_view kTotalCountLabel = L"Total No. of Drives";

struct UsbDrivesView {
  std::vector<UsbDriveRow> rows;  // the USB disks, in the order WMI returned them
  std::wstring usb_count;         // "USB Drives"
  std::wstring total_count;       // "Total No. of Drives"
};

// Whether the disk is on the USB interface (InterfaceType exactly "USB").
bool IsUsbDisk(const DiskDriveProperties& disk);

// Digit grouping lives with the other number texts.
using platform::GroupDigits;

// The "0,###" form of a whole number: no decimals, the thousands separator
// between groups of three. Numbers delivered as text (WMI hands 64-bit
// values to scripts as strings) are grouped too; a real is rounded; null is
// empty; anything that is no number is shown as delivered.
std::wstring GroupedNumber(const platform::WmiValue& value, std::wstring_view separator);

// The text of one capability code; empty for a code without one.
std::wstring_view CapabilityText(std::int64_t code);

// The capability cell: the texts of the codes among the first three entries,
// each followed by a carriage return. Null or non-numeric entries are skipped.
std::wstring CapabilityTexts(const platform::WmiValue& capabilities);

// The grid and the counts. `disks` are all disk drives in enumeration order;
// when the enumeration broke off (`complete` false) the rows read so far are
// shown but the counts stay empty, since they would not be true.
UsbDrivesView BuildUsbDrivesView(std::span<const DiskDriveProperties> disks,
                                 std::wstring_view thousands_separator, bool complete = true);

// The window's report section: the two counts and the grid, a capability
// cell's lines joined by " | " (the grid shows them as lines of the cell).
ui::ReportSection UsbDrivesSection(const UsbDrivesView& view);

}  // namespace corvane::storage
