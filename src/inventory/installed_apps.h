// What the installed-applications window lists: one row per uninstall entry
// that names itself, with the facts the entry declares and where it was
// found, and the texts the window tells the user when an entry is removed.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_views.h"
#include "ui/report_list.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr std::wstring_view kUninstallCaption = L"Application Install / Uninstall Information";
inline constexpr std::wstring_view kUninstallPrintTitle = L"Installed Applications";
// Below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER; an entry is this path, a
// backslash and its subkey name.
inline constexpr std::wstring_view kUninstallKey = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// One key whose subkeys are uninstall entries, read in one view.
struct UninstallSource {
  platform::RegistryRoot root;
  std::uint32_t view;  // the view's flag for every open and delete; 0 for the user's key
  std::wstring name;   // kept in each row read here, so a command finds the entry again where it was read
  std::wstring key = std::wstring(kUninstallKey);
  bool start_unredirected = false;  // its uninstallers name 64-bit programs (RegistryView)
  friend bool operator==(const UninstallSource&, const UninstallSource&) = default;
};

// Where entries are registered, as the system's own list of programs reads
// them, in reading order: the machine's key in each view (an entry in both
// is two installations, listed twice), "HKLM" and "HKLM (32-bit)", then the
// current user's, "HKCU", which is not redirected and read once.
std::vector<UninstallSource> UninstallSources(std::span<const platform::RegistryView> views);
// The source of that name, or nullptr.
const UninstallSource* FindUninstallSource(std::span<const UninstallSource> sources, std::wstring_view name);

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
// InstallDate text) for the inventory report, then the name of its source;
// the window has no column for either.
inline constexpr std::size_t kAppInstallDate = kAppColumnCount;
inline constexpr std::size_t kAppSource = kAppInstallDate + 1;
inline constexpr std::size_t kAppRowCells = kAppSource + 1;
inline constexpr std::wstring_view kAppInstallDateValue = L"InstallDate";
inline constexpr std::wstring_view kAppInstallDateCaption = L"Install Date";
inline constexpr std::wstring_view kAppSourceCaption = L"Registry";

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
std::optional<AppRow> MakeAppRow(std::wstring_view subkey, std::wstring_view source, const EntryValueReader& read);

// The registry as the reading of uninstall entries sees it.
class UninstallRegistry {
 public:
  virtual ~UninstallRegistry() = default;
  // The key names of the source's entries in the registry's order; empty
  // when its key does not open.
  virtual std::vector<std::wstring> EntryNames(const UninstallSource& source) = 0;
  // Opens one entry of the source for ReadValue; false when it does not open.
  virtual bool OpenEntry(const UninstallSource& source, std::wstring_view subkey) = 0;
  // A string value of the open entry, empty when missing; throws on a
  // value that is no text.
  virtual std::wstring ReadValue(std::wstring_view name) = 0;
};

// Appends a row per entry that opens and names itself, source by source,
// each in the registry's order and marked with its source's name. A
// failing read throws, and the rows appended before it stay.
void ReadAppRows(std::vector<AppRow>& rows, std::span<const UninstallSource> sources, UninstallRegistry& registry);

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
// the install date and the source.
ui::ReportSection UninstallSection(std::vector<AppRow> rows);

}  // namespace corvane::inventory
