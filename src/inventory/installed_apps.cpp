#include "inventory/installed_apps.h"

#include <algorithm>

#include "ui/report_section_build.h"

namespace corvane::inventory {

std::vector<UninstallSource> UninstallSources(std::span<const platform::RegistryView> views) {
  using enum platform::RegistryRoot;
  std::vector<UninstallSource> sources;
  for (const platform::RegistryView& view : views) {
    UninstallSource machine{kLocalMachine, view.flag, L"HKLM" + std::wstring(view.label_suffix)};
    machine.start_unredirected = view.start_unredirected;
    sources.push_back(std::move(machine));
  }
  // HKEY_CURRENT_USER\Software is one key for 32-bit and 64-bit programs.
  sources.push_back({kCurrentUser, 0, L"HKCU"});
  return sources;
}

const UninstallSource* FindUninstallSource(std::span<const UninstallSource> sources, std::wstring_view name) {
  const auto it = std::ranges::find(sources, name, &UninstallSource::name);
  return it == sources.end() ? nullptr : &*it;
}

const std::array<ui::ReportColumn, kAppColumnCount>& AppColumns() {
  static const std::array<ui::ReportColumn, kAppColumnCount> columns{{
      {L"Name", 200},
      {L"Version", 60},
      {L"Help Link", 160},
      {L"Help Telephone", 120},
      {L"Install Location", 150},
      {L"Install Source", 150},
      {L"Publisher", 150},
      {L"Readme", 150},
      {L"Uninstall", 400},
      {L"", 150},
  }};
  return columns;
}

std::optional<AppRow> MakeAppRow(std::wstring_view subkey, std::wstring_view source, const EntryValueReader& read) {
  std::wstring name = read(kAppValueNames[kAppName]);
  if (name.empty()) return std::nullopt;
  AppRow row;
  row.reserve(kAppRowCells);
  row.push_back(std::move(name));
  for (std::size_t column = kAppVersion; column < kAppSubkey; ++column) row.push_back(read(kAppValueNames[column]));
  row.emplace_back(subkey);
  // Some installers store the date as a number: that must not cost the
  // window its list.
  try {
    row.push_back(read(kAppInstallDateValue));
  } catch (const std::exception&) {
    row.emplace_back();
  }
  row.emplace_back(source);
  return row;
}

void ReadAppRows(std::vector<AppRow>& rows, std::span<const UninstallSource> sources, UninstallRegistry& registry) {
  const EntryValueReader read = [&registry](std::wstring_view name) { return registry.ReadValue(name); };
  for (const UninstallSource& source : sources) {
    for (const std::wstring& subkey : registry.EntryNames(source)) {
      if (!registry.OpenEntry(source, subkey)) continue;
      if (auto row = MakeAppRow(subkey, source.name, read)) rows.push_back(std::move(*row));
    }
  }
}

std::wstring EntryRemovedText(std::wstring_view subkey) {
  return L"\"" + std::wstring(subkey) + L"\" entry removed.";
}

std::wstring EntryNotRemovedText(std::wstring_view subkey, std::wstring_view reason) {
  std::wstring text = L"\"" + std::wstring(subkey) + L"\" entry could not be removed.";
  if (!reason.empty()) text += L"\r\n" + std::wstring(reason);
  return text;
}

ui::ReportSection UninstallSection(std::vector<AppRow> rows) {
  std::vector<ui::ReportColumn> columns(AppColumns().begin(), AppColumns().end());
  columns.push_back({std::wstring(kAppInstallDateCaption), 80});
  columns.push_back({std::wstring(kAppSourceCaption), 100});
  return {L"TfrmUnistall", std::wstring(kUninstallCaption),
          {}, {ui::ListSection(std::wstring(kUninstallPrintTitle), columns, std::move(rows))}, {}};
}

}  // namespace corvane::inventory
