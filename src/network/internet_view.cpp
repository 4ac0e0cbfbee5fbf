#include "network/internet_view.h"

#include <cwctype>

#include "ui/report_section_build.h"

namespace corvane::network {

std::wstring InternetStatusText(std::optional<bool> offline) {
  if (!offline) return {};
  return *offline ? L"Not Connected" : L"Connected";
}

std::wstring FlashText(bool registered) { return registered ? L"Installed" : L"NOT Installed"; }

bool FlagTicked(const FlagValue& value) {
  constexpr std::wstring_view kYes = L"yes";
  if (!value || value->size() != kYes.size()) return false;
  for (std::size_t i = 0; i < kYes.size(); ++i) {
    if (std::towlower(static_cast<std::wint_t>((*value)[i])) != static_cast<std::wint_t>(kYes[i])) return false;
  }
  return true;
}

IeFlagsView BuildIeFlags(const std::optional<std::vector<FlagValue>>& values) {
  IeFlagsView view;
  for (std::size_t i = 0; i < view.ticked.size(); ++i) {
    view.ticked[i] = values && i < values->size() && FlagTicked((*values)[i]);
  }
  // One key for all eighteen: when it is missing the user hears it once.
  if (!values) view.message = kPathNotFound;
  return view;
}

std::wstring FileVersionText(std::uint32_t version_ms, std::uint32_t version_ls) {
  return std::to_wstring(version_ms >> 16) + L"." + std::to_wstring(version_ms & 0xFFFF) + L"." +
         std::to_wstring(version_ls >> 16) + L"." + std::to_wstring(version_ls & 0xFFFF);
}

std::vector<BrowserRow> BuildBrowsers(const BrowserReadings& r) {
  std::vector<BrowserRow> rows = {
      {L"Internet Explorer", r.internet_explorer},
      {L"Mozilla Firefox", r.firefox},
      {L"Google Chrome", r.chrome},
  };
  if (r.opera) rows.push_back({L"Opera", *r.opera});
  if (r.safari) rows.push_back({L"Safari", *r.safari});
  return rows;
}

ui::ReportList BrowserList(const std::vector<BrowserRow>& rows) {
  ui::ReportList list;
  list.columns = {{L"Browser", 150}, {L"Version", 100}};
  for (const BrowserRow& row : rows) list.rows.push_back({row.name, row.version});
  return list;
}

ui::ReportSection InternetSection(const InternetWindowModel& model) {
  static constexpr std::wstring_view kLive[] = {L"Internet Status"};
  ui::ReportSection section{L"TfrmInternet", kInternetCaption, {}, {}, {}};
  ui::AddSheet<InternetWindowModel>(section, kInternetFields, model, kLive);
  section.lists.push_back(ui::ReportListSection(kBrowsersCaption, BrowserList(model.browsers)));
  section.lists.push_back(ui::LinesSection(kTypedUrlsCaption, L"URL", model.typed_urls));
  section.lists.push_back(ui::LinesSection(kFavouritesCaption, L"Favourite", model.favourites));
  for (auto& row : ui::CheckSectionRows(kIeFlagNames, model.flags)) section.rows.push_back(std::move(row));
  return section;
}

}  // namespace corvane::network
