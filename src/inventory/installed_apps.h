// What the installed-applications window lists: one row per uninstall entry
// of the machine that names itself, with the facts the entry declares, and
// the texts the window tells the user when an entry is removed.
#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr std::wstring_view kUninstallCaption = L"Application Install / Uninstall Information";
inline constexpr std::wstring_view kUninstallPrintTitle = L"Installed Applications";
// Below HKEY_LOCAL_MACHINE; an entry is this path, a backslash and its subkey name.
inline constexpr std::wstring_view kUninstallKey = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The cells of a row, in column order.
enum AppColumn : std::size_t {
  kAppName,
  kAppVersion,
  kAppHelpLink,
  kAppHelpTelephone,
  kAppInstallLocation,
  kAppInstallSource,
  kAppPublisher,
  kAppReadme,
  kAppUninstall,
  kAppSubkey,  // the entry's own key name, by which it is found again
  kAppColumnCount,
};

// The string value each column but the last is read from, in column order.
inline constexpr std::array<std::wstring_view, kAppSubkey> kAppValueNames{
    L"DisplayName", L"DisplayVersion", L"HelpLink",  L"HelpTelephone",  L"InstallLocation",
    L"InstallSource", L"Publisher",    L"Readme",    L"UninstallString",
};

// After the shown cells, each row keeps the entry's install date (its
// InstallDate text) for the inventory report; the window has no column for it.
inline constexpr std::size_t kAppInstallDate = kAppColumnCount;
inline constexpr std::wstring_view kAppInstallDateValue = L"InstallDate";
inline constexpr std::wstring_view kAppInstallDateCaption = L"Install Date";

// Captions and first widths; the subkey column has no caption.
const std::array<ui::ReportColumn, kAppColumnCount>& AppColumns();

using AppRow = std::vector<std::wstring>;
// Reads one string value of the entry (empty when missing); may throw.
using EntryValueReader = std::function<std::wstring(std::wstring_view value_name)>;

// The row of the entry `subkey`, or nullopt when it has no display name
// (empty or missing). The display name is read first and alone: the other
// values of an unlisted entry are never read, so one of a wrong type there
// cannot stop a refresh. A failing read throws before any row is made, but
// the install date, which the window does not show, is only left empty.
std::optional<AppRow> MakeAppRow(std::wstring_view subkey, const EntryValueReader& read);

// The confirmation asked before an entry is deleted: two lines joined by a
// carriage return.
inline constexpr std::wstring_view kDeleteConfirmText =
    L"This option is to remove stray uninstall entries.\rAre you sure you wish to delete?";
inline constexpr std::wstring_view kNotDeletedText = L"Not deleted";
// "\"name\" entry removed."
std::wstring EntryRemovedText(std::wstring_view subkey);
// "\"name\" entry could not be removed." and the system's reason on the next line.
std::wstring EntryNotRemovedText(std::wstring_view subkey, std::wstring_view reason);

// The window's part of the inventory report: the list under its column
// captions, the entry's key name (the captionless column) included, then
// the install date.
ui::ReportSection UninstallSection(std::vector<AppRow> rows);

}  // namespace corvane::inventory
