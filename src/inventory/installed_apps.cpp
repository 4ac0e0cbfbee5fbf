#include "inventory/installed_apps.h"

#include "ui/report_section_build.h"

namespace corvane::inventory {

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

std::optional<AppRow> MakeAppRow(std::wstring_view subkey, const EntryValueReader& read) {
  std::wstring name = read(kAppValueNames[kAppName]);
  if (name.empty()) return std::nullopt;
  AppRow row;
  row.reserve(kAppInstallDate + 1);
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
  return row;
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
  return {L"TfrmUnistall", std::wstring(kUninstallCaption),
          {}, {ui::ListSection(std::wstring(kUninstallPrintTitle), columns, std::move(rows))}, {}};
}

}  // namespace corvane::inventory
