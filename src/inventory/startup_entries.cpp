#include "inventory/startup_entries.h"

#include "ui/report_section_build.h"

namespace corvane::inventory {
namespace {

constexpr std::wstring_view kRunKeys = L"Software\\Microsoft\\Windows\\CurrentVersion\\";

StartupKey RunKey(std::wstring_view label, RegistryRoot root, std::wstring_view name) {
  return {std::wstring(label), root, std::wstring(kRunKeys) + std::wstring(name)};
}

}  // namespace

const std::array<ui::ReportColumn, kStartupColumnCount>& StartupColumns() {
  static const std::array<ui::ReportColumn, kStartupColumnCount> columns{{
      {L"Location", 150},
      {L"Name", 150},
      {L"Path", 350},
  }};
  return columns;
}

StartupPlaces StandardStartupPlaces(std::wstring all_users_folder, std::wstring current_user_folder) {
  using enum RegistryRoot;
  StartupPlaces places;
  places.keys = {
      RunKey(L"Registry (HKLM) - Run", kLocalMachine, L"Run"),
      RunKey(L"Registry (HKLM) - Run Once", kLocalMachine, L"RunOnce"),
      RunKey(L"Registry (HKLM) - Run OnceEx", kLocalMachine, L"RunOnceEx"),
      RunKey(L"Registry (HKCU) - Run", kCurrentUser, L"Run"),
      RunKey(L"Registry (HKCU) - Run Once", kCurrentUser, L"RunOnce"),
      RunKey(L"Registry (HKCU) - Run Once Ex", kCurrentUser, L"RunOnceEx"),
  };
  places.folders = {
      {std::wstring(kAllUsersStartupLabel), std::move(all_users_folder)},
      {std::wstring(kCurrentUserStartupLabel), std::move(current_user_folder)},
  };
  return places;
}

void AppendValueRows(StartupRows& rows, std::wstring_view label, const std::vector<std::wstring>& names,
                     const StartupValueReader& read) {
  for (const std::wstring& name : names) {
    std::wstring text = read(name);
    if (text.empty()) continue;
    rows.push_back({std::wstring(label), name, std::move(text)});
  }
}

void AppendFolderRows(StartupRows& rows, const StartupFolder& folder, const std::vector<std::wstring>& names) {
  std::wstring prefix = folder.path;
  if (!prefix.empty() && prefix.back() != L'\\') prefix += L'\\';
  for (const std::wstring& name : names) {
    if (name == L"." || name == L"..") continue;
    rows.push_back({folder.label, name, prefix + name});
  }
}

ui::ReportSection StartupSection(StartupRows rows) {
  return {L"TfrmStartup", std::wstring(kStartupCaption),
          {}, {ui::ListSection(std::wstring(kStartupCaption), StartupColumns(), std::move(rows))}, {}};
}

}  // namespace corvane::inventory
