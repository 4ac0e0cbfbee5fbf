// The internet window's model and the texts it is made of: the online state,
// the built-in browser's settings and flags, the browsers found with their
// versions, the Flash control, the typed addresses and the favourites.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/internet_window_ids.h"
#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::network {

inline constexpr wchar_t kInternetCaption[] = L"Internet";
// The captions over the lists.
inline constexpr wchar_t kBrowsersCaption[] = L"Internet Browsers";
inline constexpr wchar_t kTypedUrlsCaption[] = L"Typed URLs";
inline constexpr wchar_t kFavouritesCaption[] = L"IE Favourites";
inline constexpr wchar_t kIeFlagsCaption[] = L"IE Flags";
// The one message of the window: the flags key does not open.
inline constexpr wchar_t kPathNotFound[] = L"Path not found";

// The built-in browser's yes/no options, in list order; each caption is also
// the name of the registry value that sets its tick.
inline constexpr std::array<std::wstring_view, 18> kIeFlagNames = {
    L"Anchor Underline",
    L"Check_Associations",
    L"Disable Script Debugger",
    L"Display Inline Images",
    L"Enable Browser Extensions",
    L"FormSuggest PW Ask",
    L"FullScreen",
    L"NotifyDownloadComplete",
    L"Save_Session_History_On_Exit",
    L"Show_ChannelBand",
    L"Show_FullURL",
    L"Show_StatusBar",
    L"Show_ToolBar",
    L"Show_URLinStatusBar",
    L"Show_URLToolBar",
    L"ShowedCheckBrowser",
    L"Use FormSuggest",
    L"Use Search Asst",
};

struct BrowserRow {
  std::wstring name, version;
  friend bool operator==(const BrowserRow&, const BrowserRow&) = default;
};

struct InternetWindowModel {
  std::wstring status;              // "Internet Status"
  std::wstring start_page;          // "Start Page"
  std::wstring search_page;         // "Search Page"
  std::wstring download_directory;  // "Download Directory"
  std::wstring local_page;          // "Local Page"
  std::wstring flash;               // "Flash"
  std::wstring product_id;          // "IE Product ID"
  std::vector<BrowserRow> browsers;
  std::vector<std::wstring> typed_urls;
  std::vector<std::wstring> favourites;
  std::array<bool, 18> flags{};  // ticks of the options of kIeFlagNames, as the registry says
  // Shown once after a refresh: the flags key did not open.
  std::optional<std::wstring> message;
};

// The window's rows, under the headings "Item" and "Details".
inline constexpr ui::SheetField<InternetWindowModel> kInternetFields[] = {
    {L"Internet Status", L"Status", internet_ids::kIdStatus, [](const InternetWindowModel& m) { return m.status; }},
    {L"Start Page", L"StartPage", internet_ids::kIdStartPage,
     [](const InternetWindowModel& m) { return m.start_page; }},
    {L"Search Page", L"SearchPage", internet_ids::kIdSearchPage,
     [](const InternetWindowModel& m) { return m.search_page; }},
    {L"Download Directory", L"DownloadDirectory", internet_ids::kIdDownloadDirectory,
     [](const InternetWindowModel& m) { return m.download_directory; }},
    {L"Local Page", L"LocalPage", internet_ids::kIdLocalPage,
     [](const InternetWindowModel& m) { return m.local_page; }},
    {L"Flash", L"Flash", internet_ids::kIdFlash, [](const InternetWindowModel& m) { return m.flash; }},
    {L"IE Product ID", L"ProductID", internet_ids::kIdProductId,
     [](const InternetWindowModel& m) { return m.product_id; }},
};

// "Connected" or "Not Connected" from the system's answer; empty when it
// could not be asked.
std::wstring InternetStatusText(std::optional<bool> offline);
// "Installed" or "NOT Installed".
std::wstring FlashText(bool registered);

// A flag value as read: its text, or nullopt for a value that is not text.
using FlagValue = std::optional<std::wstring>;
// Ticks a flag whose value reads "yes" in any mix of cases; a missing value
// (empty text), any other text ("1", "no") or a value of another type does not.
bool FlagTicked(const FlagValue& value);
struct IeFlagsView {
  std::array<bool, kIeFlagNames.size()> ticked{};  // in list order
  std::optional<std::wstring> message;             // "Path not found", at most once
};
// `values` holds one value per name of kIeFlagNames, in order (missing ones
// count as missing values); nullopt when the key did not open: then nothing
// is ticked and the message is set.
IeFlagsView BuildIeFlags(const std::optional<std::vector<FlagValue>>& values);

// The four 16-bit parts of a fixed file version, most significant first,
// in decimal and joined by ".": 0x00060001, 0x1DB10000 -> "6.1.7601.0".
std::wstring FileVersionText(std::uint32_t version_ms, std::uint32_t version_ls);

// What the browser readers found; Opera and Safari are nullopt when their
// program file is missing, otherwise the file's version (empty without one).
struct BrowserReadings {
  std::wstring internet_explorer, firefox, chrome;
  std::optional<std::wstring> opera, safari;
};
// The first three rows always, then Opera and Safari where found.
std::vector<BrowserRow> BuildBrowsers(const BrowserReadings& readings);
// The "Browser" (150) and "Version" (100) columns with one row each.
ui::ReportList BrowserList(const std::vector<BrowserRow>& rows);

// The window's report section: its rows, the browsers, the typed addresses,
// the favourites, and each flag as a row ("Yes" or "No"). The online state
// follows the network by itself and is volatile.
ui::ReportSection InternetSection(const InternetWindowModel& model);

}  // namespace corvane::network
