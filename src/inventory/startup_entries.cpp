#include "inventory/startup_entries.h"

#include "ui/report_section_build.h"

namespace corvane::inventory {
namespace {

constexpr std::wstring_view kRunKeys = L"Software\\Microsoft\\Windows\\CurrentVersion\\";

struct RunKeyName {
  std::wstring_view label;
  std::wstring_view key;
};
constexpr RunKeyName kMachineRunKeys[] = {
    {L"Registry (HKLM) - Run", L"Run"},
    {L"Registry (HKLM) - Run Once", L"RunOnce"},
    {L"Registry (HKLM) - Run OnceEx", L"RunOnceEx"},
};
constexpr RunKeyName kUserRunKeys[] = {
    {L"Registry (HKCU) - Run", L"Run"},
    {L"Registry (HKCU) - Run Once", L"RunOnce"},
    {L"Registry (HKCU) - Run Once Ex", L"RunOnceEx"},
};

StartupKey RunKey(const RunKeyName& name, RegistryRoot root, const platform::RegistryView& view) {
  return {std::wstring(name.label) + std::wstring(view.label_suffix), root,
          std::wstring(kRunKeys) + std::wstring(name.key), view.flag};
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

StartupPlaces StandardStartupPlaces(std::span<const platform::RegistryView> views, std::wstring all_users_folder,
                                    std::wstring current_user_folder) {
  using enum RegistryRoot;
  StartupPlaces places;
  // Each machine key's 32-bit twin right after it, so what starts from one
  // kind of key is listed together.
  for (const RunKeyName& name : kMachineRunKeys) {
    for (const platform::RegistryView& view : views) places.keys.push_back(RunKey(name, kLocalMachine, view));
  }
  constexpr platform::RegistryView kShared{0, L"", false};
  for (const RunKeyName& name : kUserRunKeys) places.keys.push_back(RunKey(name, kCurrentUser, kShared));
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
