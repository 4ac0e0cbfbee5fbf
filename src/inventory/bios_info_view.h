// The BIOS information window's model: the machine's identifier and the
// dates and versions of the system and video BIOS, as the hardware
// description key of the registry records them.
#pragma once
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>

#include "inventory/bios_info_window_ids.h"
#include "ui/sheet_table.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr wchar_t kBiosInfoCaption[] = L"BIOS Info";
// Below HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kSystemDescriptionKey[] = L"HARDWARE\\DESCRIPTION\\System";

// The two failures of a version read; each ends a refresh at the row being read.
inline constexpr char kCantOpenKey[] = "Can't open key";
inline constexpr char kWrongDataType[] = "Wrong data type";

class BiosInfoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct BiosInfoModel {
  std::wstring identifier;          // Identifier
  std::wstring bios_date;           // SystemBiosDate
  std::wstring bios_version;        // SystemBiosVersion, a multi-string in one line
  std::wstring video_bios_date;     // VideoBiosDate
  std::wstring video_bios_version;  // VideoBiosVersion, a multi-string in one line
  friend bool operator==(const BiosInfoModel&, const BiosInfoModel&) = default;
};

// The window's rows, under the headings "Item" and "Details".
inline constexpr ui::SheetField<BiosInfoModel> kBiosInfoFields[] = {
    {L"Identifier", L"Identifier", bios_ids::kIdIdentifier, [](const BiosInfoModel& m) { return m.identifier; }},
    {L"BIOS Date", L"BiosDate", bios_ids::kIdBiosDate, [](const BiosInfoModel& m) { return m.bios_date; }},
    {L"BIOS Version", L"BiosVersion", bios_ids::kIdBiosVersion, [](const BiosInfoModel& m) { return m.bios_version; }},
    {L"Video BIOS Date", L"VideoBiosDate", bios_ids::kIdVideoBiosDate,
     [](const BiosInfoModel& m) { return m.video_bios_date; }},
    {L"Video BIOS Version", L"VideoBiosVersion", bios_ids::kIdVideoBiosVersion,
     [](const BiosInfoModel& m) { return m.video_bios_version; }},
};

// A multi-string's stored data (UTF-16, little-endian) in one line: every
// zero character becomes "|", except the list's final terminator, so
// "A\0B\0\0" reads "A|B|". A trailing odd byte is no character and is
// ignored; data that lacks the final terminator loses nothing.
std::wstring MultiStringText(std::span<const std::byte> data);

// The window's part of the inventory report: its rows as shown.
ui::ReportSection BiosInfoSection(const BiosInfoModel& model);

}  // namespace corvane::inventory
