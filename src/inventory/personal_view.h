// The personal-information window's model: who the operating system is
// registered to and the identity of this installation, row by row, with the
// texts that are worked out rather than read (the install date, the
// product key).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "inventory/personal_window_ids.h"
#include "ui/sheet_table.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr wchar_t kPersonalCaption[] = L"Personal windows and system information";

// Below HKEY_LOCAL_MACHINE. The leading and trailing separators are the
// accessor's business ("\A\B\" opens "A\B").
inline constexpr wchar_t kNtCurrentVersionKey[] = L"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
inline constexpr wchar_t kWindowsCurrentVersionKey[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
inline constexpr wchar_t kInstallDateKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr wchar_t kDotNetKey[] = L"SOFTWARE\\Microsoft\\.NETFramework";

struct PersonalModel {
  std::wstring registered_owner;         // RegisteredOwner
  std::wstring registered_organization;  // RegisteredOrganization
  std::wstring installation_type;        // InstallationType
  std::wstring current_build_number;     // CurrentBuildNumber
  std::wstring product_id;               // ProductID, Windows key first, then Windows NT
  std::wstring hd_serial;                // the first hard disk's serial number
  std::wstring system_root;              // SystemRoot
  std::wstring system_serial;            // Win32_BIOS.SerialNumber
  std::wstring default_printer;          // "device on port"
  std::wstring cd_key;                   // decoded from DigitalProductId
  std::wstring dot_net_root;             // .NETFramework InstallRoot
  std::wstring install_date;             // InstallDateText
  std::wstring build_lab;                // BuildLab
  std::wstring system_language;          // the system default language's name
  friend bool operator==(const PersonalModel&, const PersonalModel&) = default;
};

// The window's rows, under the headings "Item" and "Details", in screen order.
inline constexpr ui::SheetField<PersonalModel> kPersonalFields[] = {
    {L"Registered Owner", L"RegisteredOwner", personal_ids::kIdRegisteredOwner,
     [](const PersonalModel& m) { return m.registered_owner; }},
    {L"Registered Organization", L"RegisteredOrganization", personal_ids::kIdRegisteredOrganization,
     [](const PersonalModel& m) { return m.registered_organization; }},
    {L"Installation Type", L"InstallationType", personal_ids::kIdInstallationType,
     [](const PersonalModel& m) { return m.installation_type; }},
    {L"Current Build Number", L"CurrentBuildNumber", personal_ids::kIdCurrentBuildNumber,
     [](const PersonalModel& m) { return m.current_build_number; }},
    {L"Product ID", L"ProductID", personal_ids::kIdProductId, [](const PersonalModel& m) { return m.product_id; }},
    {L"HD Serial Number", L"HDSerial", personal_ids::kIdHdSerial, [](const PersonalModel& m) { return m.hd_serial; }},
    {L"System Root", L"SystemRoot", personal_ids::kIdSystemRoot, [](const PersonalModel& m) { return m.system_root; }},
    {L"System Serial Number", L"SystemSerial", personal_ids::kIdSystemSerial,
     [](const PersonalModel& m) { return m.system_serial; }},
    {L"Default Printer", L"DefaultPrinter", personal_ids::kIdDefaultPrinter,
     [](const PersonalModel& m) { return m.default_printer; }},
    {L"Windows CD Key", L"CDKey", personal_ids::kIdCdKey, [](const PersonalModel& m) { return m.cd_key; }},
    {L"DOT NET Runtime library", L"DotNetRoot", personal_ids::kIdDotNetRoot,
     [](const PersonalModel& m) { return m.dot_net_root; }},
    {L"Install Date", L"InstallDate", personal_ids::kIdInstallDate,
     [](const PersonalModel& m) { return m.install_date; }},
    {L"Build", L"BuildLab", personal_ids::kIdBuildLab, [](const PersonalModel& m) { return m.build_lab; }},
    {L"System Language", L"SystemLanguage", personal_ids::kIdSystemLanguage,
     [](const PersonalModel& m) { return m.system_language; }},
};

// Rows by their place in kPersonalFields, for the refresh to name the row it
// has just set.
enum class PersonalRow : std::size_t {
  kRegisteredOwner,
  kRegisteredOrganization,
  kInstallationType,
  kCurrentBuildNumber,
  kProductId,
  kHdSerial,
  kSystemRoot,
  kSystemSerial,
  kDefaultPrinter,
  kCdKey,
  kDotNetRoot,
  kInstallDate,
  kBuildLab,
  kSystemLanguage,
};
static_assert(static_cast<std::size_t>(PersonalRow::kSystemLanguage) + 1 == std::size(kPersonalFields));

// Rows redrawn at once when set, so a slow refresh shows them one by one.
bool IsRepaintedRow(PersonalRow row);

// A time stamp in seconds since 1 January 1970, 00:00 (no time zone applied),
// as "mm/dd/yyyy hh:nn:ss" with `date_separator` for each "/" and
// `time_separator` for each ":"; 24-hour hours.
std::wstring InstallDateText(std::uint32_t seconds, std::wstring_view date_separator,
                             std::wstring_view time_separator);

// The text without spaces and control characters at either end.
std::wstring TrimBlanks(std::wstring_view text);

// The product key in a DigitalProductId value: the fifteen bytes from
// offset 52 as a base-24 number over kProductKeyDigits, written as five
// groups of five joined by "-". Bit 3 of byte 66 marks the later layout:
// that bit is no part of the number, the first digit tells where an "N"
// goes among the rest. Empty when the data is shorter than 67 bytes.
inline constexpr std::wstring_view kProductKeyDigits = L"BCDFGHJKMPQRTVWXY2346789";
inline constexpr std::size_t kProductKeyOffset = 52;
inline constexpr std::size_t kProductKeyBytes = 15;
inline constexpr std::size_t kProductKeyFlagByte = 66;
std::wstring DecodeProductKey(std::span<const std::byte> digital_product_id);

// The window's part of the inventory report: its rows as shown.
ui::ReportSection PersonalSection(const PersonalModel& model);

}  // namespace corvane::inventory
