// The wording of every summary reading. The Win32 side only gathers raw
// readings (byte counts, register values, device replies, registry strings)
// and hands them here; nothing in this file knows about Windows, so every rule
// is tested natively.
//
// Lists are items each followed by kListSeparator; the refresh tidies the
// trailing separator away where it wants to (platform::TidyList). Numbers with a
// fraction take the user's decimal separator, passed in by the caller, and
// never depend on the C locale.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/collectors/summary_collectors.h"
#include "platform/list_text.h"
#include "platform/wmi_grid.h"

namespace corvane::app {

using platform::kListSeparator;
inline constexpr std::wstring_view kNotPresent = L"NOT Present";

// Each item followed by the separator, blank items included.
std::wstring ListText(const std::vector<std::wstring>& items);

// Row 3: whole mebibytes plus one ("1023 MiB and a bit" reads 1024 MB).
std::wstring MemoryText(std::uint64_t total_bytes);

// Row 5 (the rate itself is cpu::ClockMhz): "%4.1f MHz" with `decimal` as the separator.
std::wstring ClockText(double mhz, std::wstring_view decimal);

// Row 8: per display adapter, the description of its first monitor when it
// has one; a monitor whose description is blank is left out, the others go
// in untrimmed.
std::wstring MonitorNamesText(const std::vector<std::optional<std::wstring>>& first_monitors);

// Row 12: vendor and product of an INQUIRY reply (the drive's INQUIRY text,
// cut to 24 characters).
inline constexpr std::size_t kInquiryIdentificationLength = 24;
std::wstring InquiryIdentification(std::span<const std::byte> inquiry_reply);

struct OpticalDriveIdentity {
  wchar_t letter;
  std::wstring identification;  // empty when the inquiry failed
};
// "D: <identification> | " per drive, and the short list (first 14
// characters and "+" per drive, the last "+" made a space). Nullopt when
// there is no drive: the refresh then keeps the row it had.
std::optional<OpticalDriveReading> OpticalDriveTexts(const std::vector<OpticalDriveIdentity>& drives);

// Row 13. Serial port names each followed by the separator, "NOT Present"
// when that gives nothing.
std::wstring SerialPortsText(const std::vector<std::wstring>& port_names);
// The names the parallel probe tries: LPT1 to LPT9 as DOS names, higher
// numbers through the device namespace; 256 names on NT, 9 elsewhere.
std::vector<std::wstring> ParallelProbeNames(bool nt_family);
// The last path element of each registry string (after the last "\" or
// ":"), run together without a separator; "NOT Present" when that gives
// nothing.
std::wstring RegistryParallelPortsText(const std::vector<std::wstring>& device_strings);

// Row 14: e.g. "3 Button Wheel Mouse Present"; empty without a mouse.
std::wstring MouseText(bool present, bool wheel, int buttons);

// Rows 15 and 16. A byte count that could not be read is kUnreadSize.
inline constexpr std::int64_t kUnreadSize = -1;
// Above 2^30 bytes "%3.1fGB" of the gibibytes, else "%3.1fMB" of the
// mebibytes; the unread size reads "-0.0MB".
std::wstring DriveSizeText(std::int64_t bytes, std::wstring_view decimal);
struct DriveBytes {
  wchar_t letter;
  std::int64_t bytes;
};
// "C:  465.8GB | " per drive.
std::wstring DriveListText(const std::vector<DriveBytes>& drives, std::wstring_view decimal);
// The hardware report's form: each size followed by two spaces, no letters.
std::wstring DriveSizesReportText(const std::vector<DriveBytes>& drives, std::wstring_view decimal);

// Rows 21 and 24 from the power status; nullopt when the call failed.
std::wstring AcPowerText(std::optional<std::uint8_t> ac_line_status);
std::wstring BatteryText(std::optional<std::uint8_t> battery_flag);

// Row 22: identifier, date, version and an empty fourth element, each
// followed by the separator; tidied twice it reads "id | date | version".
std::wstring BiosRowText(std::wstring_view identifier, std::wstring_view date, std::wstring_view version);
// The first string of registry data holding UTF-16 strings (REG_MULTI_SZ):
// up to the first zero character or the end of the data.
std::wstring FirstRegistryString(std::span<const std::byte> utf16_data);

// Row 25: "<Manufacturer> <Product>" when the query found exactly one board
// and more than one property; otherwise empty.
std::wstring MotherboardText(int property_count, int instance_count, const platform::T2DimStrArray& grid);

}  // namespace corvane::app
