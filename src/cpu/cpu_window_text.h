// What the CPU window shows, as text: its 19 rows with the control names and
// IDs they carry, the texts made from the identification, the WMI record
// and how both WMI passes land in the rows, the feature check list, and the
// digit strings of the clock and counter displays. No Windows here: the
// window only copies these texts into its controls.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cpu_usage.h"
#include "cpu/cpuid_decode.h"
#include "platform/wmi_grid.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::cpu {

// ---- Rows -----------------------------------------------------------------

enum CpuRow : std::size_t {
  kRowBrand,
  kRowChip,
  kRowFamily,
  kRowDescription,
  kRowDeviceId,
  kRowCodeName,
  kRowVendor,
  kRowManufacturer,
  kRowSerial,
  kRowProcessorId,
  kRowExtClock,
  kRowVoltage,
  kRowMaxClock,
  kRowSocket,
  kRowDataWidth,
  kRowRevision,
  kRowL2Size,
  kRowL2Speed,
  kRowStatus,
  kCpuRowCount
};

// The value texts, indexed by CpuRow.
using CpuRowTexts = std::array<std::wstring, kCpuRowCount>;

// The sheet's rows in screen order, each showing its text of CpuRowTexts.
extern const std::array<ui::SheetField<CpuRowTexts>, kCpuRowCount> kCpuRows;

// ---- Identification -------------------------------------------------------

// Blanks and control characters trimmed from both ends (brand and model name).
std::wstring TrimBlanksAndControls(std::wstring_view text);

// "%d x %s": the processor count and the trimmed model name ("1 x " for none).
std::wstring CpuChipText(int processors, std::wstring_view model_name);
// "Model ID: Family %d  Model %d  Stepping %d".
std::wstring FamilyLineText(const Signature& signature);
// "%x%x%x%x" of 0, family, model, stepping: upper-case, no padding (0683, 0F29).
std::wstring ProcessorIdText(const Signature& signature);

// The rows the identification fills: serial, brand, chip, family line, code name, vendor,
// status (the model's figure) and processor ID rows.
void ApplyIdentification(CpuRowTexts& rows, int processors, const CpuIdentity& identity);

// ---- Features -------------------------------------------------------------

// GetFeatureList's 24 lines, then "FDIV Bug: " with "Yes" or "No".
std::vector<std::wstring> FeatureLines(const TCPUFeatures& features, bool fdiv_bug);

struct FeatureItem {
  std::wstring text;
  bool checked = false;
  friend bool operator==(const FeatureItem&, const FeatureItem&) = default;
};
// The text before the first ':' (the whole line when there is none), checked
// exactly when what starts two characters after that colon is "Yes".
FeatureItem FeatureItemFromLine(std::wstring_view line);
std::vector<FeatureItem> FeatureItems(const std::vector<std::wstring>& lines);

// ---- WMI ------------------------------------------------------------------

// One Win32_Processor reading; each field holds the property of its name.
struct Tcpuinfo {
  std::wstring ExtClock, MaxClockSpeed, CurrentVoltage, DataWidth, Family, L2CacheSize, L2CacheSpeed,
      SocketDesignation, ProcessorID, ProcessorType, Revision, Manufacturer, Name;
  friend bool operator==(const Tcpuinfo&, const Tcpuinfo&) = default;
};

// The table query's result as a record: filled only from exactly one
// instance with more than one property; a property the table lacks leaves
// its field empty.
Tcpuinfo CpuInfoFromWmiTable(int instance_count, int property_count, const platform::T2DimStrArray& grid);

// The first WMI pass, after the identification has filled its rows: the
// record into the rows, " MHz" after the three clock values; the brand row
// takes Name only when the identification left it empty.
void ApplyWmiRecord(CpuRowTexts& rows, const Tcpuinfo& info);

// The second pass reads these properties of every processor object, in this
// order, each into its row (no " MHz" added).
struct WmiRowProperty {
  std::wstring_view property;
  CpuRow row;
};
extern const std::array<WmiRowProperty, 13> kSecondPassProperties;

// ---- Digit displays -------------------------------------------------------

inline constexpr std::size_t kSpeedDigitCount = 5;
inline constexpr std::size_t kCounterDigitCount = 16;

// The first `count` characters of the value written with at least `count`
// digits ("%.<count>d"): zero-padded below 10^count, the leading digits
// above it.
std::wstring LeadingDigits(std::uint64_t value, std::size_t count);
// The clock display: the truncated MHz; a reading that is not a number, or
// is negative, shows zeros.
std::wstring SpeedDigits(double mhz);
// The counter display; sixteen zeros when the counter could not be read.
std::wstring CounterDigits(std::optional<std::uint64_t> counter);

// ---- Live displays ---------------------------------------------------------

// The live displays of the CPU window as the timer leaves them; the window
// paints from here.
struct CpuDisplays {
  std::wstring usage_label = L"0 %";
  int usage_bar = 0;            // both bars
  std::wstring speed_digits;    // empty until the first measurement
  std::wstring counter_digits;  // empty until the first tick
};
// The usage block of a tick: a usage, when there is one, sets the label and
// the bars; without one they stay.
void ApplyUsage(CpuDisplays& displays, std::optional<double> usage, std::wstring_view decimal);

// "Please report this error to " and the contact, after the error's own
// message and a carriage return.
std::wstring UsageErrorText(std::wstring_view error, std::wstring_view contact);

// ---- Report ---------------------------------------------------------------

// The captions of the live displays and the feature list.
inline constexpr wchar_t kCpuCaption[] = L"CPU Info";
inline constexpr wchar_t kUsageCaption[] = L"CPU Usage";
inline constexpr wchar_t kSpeedCaption[] = L"CPU Speed";
inline constexpr wchar_t kCounterCaption[] = L"CPU clock cycles";
inline constexpr wchar_t kFeaturesCaption[] = L"Features";

// The window's report section: the sheet's rows, then the live displays
// ("CPU Speed" in MHz), then each feature with "Yes" or "No". The usage,
// the measured clock, the counter and the voltage are live readings and
// volatile.
ui::ReportSection CpuSection(const CpuRowTexts& rows, const std::vector<FeatureItem>& features,
                             const CpuDisplays& displays);

}  // namespace corvane::cpu
