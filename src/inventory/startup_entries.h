// What the startup window lists: the values of the Run keys and the
// entries of the two startup folders, in the order they are read, each
// with the label of where it was found.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_views.h"
#include "ui/report_list.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr std::wstring_view kStartupCaption = L"Startup";

enum StartupColumn : std::size_t { kStartupLocation, kStartupName, kStartupPath, kStartupColumnCount };
const std::array<ui::ReportColumn, kStartupColumnCount>& StartupColumns();

using platform::RegistryRoot;

// A registry key whose values start programs.
struct StartupKey {
  std::wstring label;
  RegistryRoot root;
  std::wstring path;       // below the root
  std::uint32_t view = 0;  // the registry view's flag for opening it
  friend bool operator==(const StartupKey&, const StartupKey&) = default;
};
// A folder whose entries start with the user's session; an empty path
// names no folder (the system could not say where it is).
struct StartupFolder {
  std::wstring label;
  std::wstring path;
  friend bool operator==(const StartupFolder&, const StartupFolder&) = default;
};
// Everything a refresh reads, in its order: keys first, then folders.
struct StartupPlaces {
  std::vector<StartupKey> keys;
  std::vector<StartupFolder> folders;
};

inline constexpr std::wstring_view kAllUsersStartupLabel = L"All Users - Startup folder";
inline constexpr std::wstring_view kCurrentUserStartupLabel = L"Current User - Startup folder";

// The Run keys and the all-users and the current user's startup folders.
// The machine's Run, Run Once and Run OnceEx are each read in every view of
// `views` in turn, the label followed by the view's suffix ("Registry
// (HKLM) - Run (32-bit)"); then the user's three, which are not redirected
// and read once.
StartupPlaces StandardStartupPlaces(std::span<const platform::RegistryView> views, std::wstring all_users_folder,
                                    std::wstring current_user_folder);

using StartupRow = std::vector<std::wstring>;
using StartupRows = std::vector<StartupRow>;

// Reads one value of the key as text; may throw (a value that is no text).
using StartupValueReader = std::function<std::wstring(std::wstring_view value_name)>;

// Appends a row per value of `names` whose text is not empty, in the order
// given. A failing read ends the walk: the rows appended before it stay.
void AppendValueRows(StartupRows& rows, std::wstring_view label, const std::vector<std::wstring>& names,
                     const StartupValueReader& read);

// Appends a row per entry of the folder listing `names` except "." and
// "..": the entry's name and the folder's path joined by one backslash.
void AppendFolderRows(StartupRows& rows, const StartupFolder& folder, const std::vector<std::wstring>& names);

// The window's part of the inventory report: the list under its column captions.
ui::ReportSection StartupSection(StartupRows rows);

}  // namespace corvane::inventory
