#include "inventory/uninstall_window_win.h"

#include <exception>
#include <utility>

#include "inventory/installed_apps_win.h"
#include "inventory/uninstall_window_ids.h"
#include "platform/locale_win.h"
#include "platform/registry_win.h"
#include "platform/text_file_win.h"

namespace corvane::inventory {
namespace {

using namespace uninstall_ids;

constexpr ui::MenuItem kFileMenu[] = {
    {L"Print", kCmdPrint, ui::Ctrl('P')},
    ui::kSeparator,
    {L"Exit", kCmdExit, ui::Fn(10)},
};
constexpr ui::MenuItem kViewMenu[] = {
    {L"Refresh", kCmdRefresh},
    {L"Sort", kCmdSort},
    ui::kSeparator,
    {L"Toolbar", kCmdToolbar, {}, true},
};
constexpr ui::Menu kMenus[] = {{L"File", kFileMenu}, {L"View", kViewMenu}, {L"Application", {}}};

constexpr ui::MenuItem kContextMenu[] = {
    {L"Browse Help Link", kCmdBrowseHelpLink},
    {L"Open Install Location", kCmdOpenInstallLocation},
    {L"Open Install Source", kCmdOpenInstallSource},
    {L"View Readme", kCmdViewReadme},
    ui::kSeparator,
    {L"Uninstall", kCmdUninstall},
    ui::kSeparator,
    {L"Delete Entry", kCmdDeleteEntry},
};

constexpr ui::ToolButton kToolbar[] = {
    {kCmdUninstall, L"Uninstall", L"U", 0x00404090, L"Uninstall"},
    ui::kToolSeparator,
    {kCmdDeleteEntry, L"Delete Entry", L"D", 0x00303080, L"Delete Entry"},
    {kCmdOpenInstallLocation, L"Open Location", L"L", 0x00308030, L"Open Location"},
    {kCmdOpenInstallSource, L"Open Source", L"S", 0x00806030, L"Open Source"},
    {kCmdBrowseHelpLink, L"View Help", L"?", 0x00906000, L"View Help"},
    {kCmdWebsite, L"Website", L"W", 0x00A07020, L"Website"},
    ui::kToolSeparator,
    {kCmdExit, L"Exit", L"X", 0x00505050, L"Exit"},
};

constexpr ui::Command<UninstallWindow> kCommands[] = {
    {kCmdPrint, &UninstallWindow::Print1Click},
    {kCmdExit, &UninstallWindow::Exit1Click},
    {kCmdRefresh, &UninstallWindow::Refresh1Click},
    {kCmdSort, &UninstallWindow::Sort1Click},
    {kCmdToolbar, &UninstallWindow::Toolbar1Click},
    {kCmdBrowseHelpLink, &UninstallWindow::BrowseHelpLink1Click},
    {kCmdWebsite, &UninstallWindow::BrowseHelpLink1Click},
    {kCmdOpenInstallLocation, &UninstallWindow::OpenInstallLocation1Click},
    {kCmdOpenInstallSource, &UninstallWindow::OpenInstallSource1Click},
    {kCmdViewReadme, &UninstallWindow::ViewReadme1Click},
    {kCmdUninstall, &UninstallWindow::Uninstall1Click},
    {kCmdDeleteEntry, &UninstallWindow::DeleteEntry1Click},
};

}  // namespace

UninstallWindow::UninstallWindow(const ui::Theme& theme, std::unique_ptr<AppActions> actions,
                                 std::vector<UninstallSource> sources)
    : ui::ReportListWindow(theme),
      actions_(std::move(actions)),
      sources_(std::move(sources)) {
  if (sources_.empty()) sources_ = SystemUninstallSources();
}

bool UninstallWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmUnistall", std::wstring(kUninstallCaption), kMenus);
  // Maximised from the first showing; restored, it takes this size.
  p.style |= WS_MAXIMIZE;
  p.width = 900;
  p.height = 520;
  ui::ReportListSetup setup{AppColumns(), kIdList, kIdStatus, kIdToolbar};
  setup.grid_lines = true;
  setup.toolbar = kToolbar;
  setup.context_menu = kContextMenu;
  if (!CreateListWindow(p, setup)) return false;
  BindCommands(kCommands);
  return true;
}

LRESULT UninstallWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::ReportListWindow::OnMessage(msg, wp, lp);
}

void UninstallWindow::ShowApps(std::vector<AppRow> rows, bool complete) {
  if (sorted_) {
    ui::ReportList by_name{{}, std::move(rows)};
    ui::SortByCaption(by_name, &platform::CompareUserLocale);
    rows = std::move(by_name.rows);
  }
  ShowRows(std::move(rows), complete);
}

void UninstallWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  std::vector<AppRow> rows;
  try {
    ReadInstalledApps(rows, sources_);
  } catch (...) {
    ShowApps(std::move(rows), false);
    throw;
  }
  sorted_ = true;
  ShowApps(std::move(rows), true);
}

void UninstallWindow::Sort1Click() {
  sorted_ = true;
  ShowApps(list().rows, false);
}

void UninstallWindow::Print1Click() { PrintList(kUninstallPrintTitle); }

void UninstallWindow::Exit1Click() { Close(); }

void UninstallWindow::Toolbar1Click() {
  const bool shown = !ToolbarVisible();
  SetToolbarVisible(shown);
  CheckMenuItem(GetMenu(hwnd()), kCmdToolbar, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

const UninstallSource* UninstallWindow::SelectedSource() const {
  if (!SelectedRow()) return nullptr;
  return FindUninstallSource(sources_, SelectedCell(kAppSource));
}

void UninstallWindow::Uninstall1Click() {
  const UninstallSource* source = SelectedSource();
  if (!source) return;
  const std::wstring command_line = SelectedCell(kAppUninstall);
  if (!command_line.empty()) actions_->Run(*source, command_line);
  // The uninstaller is not waited for: the list is read again at once.
  ui::RunPendingMessages();
  Refresh1Click();
}

void UninstallWindow::OpenCell(std::size_t column) {
  const std::wstring target = SelectedCell(column);
  if (!target.empty()) actions_->Open(hwnd(), target);
}

void UninstallWindow::BrowseHelpLink1Click() { OpenCell(kAppHelpLink); }
void UninstallWindow::OpenInstallLocation1Click() { OpenCell(kAppInstallLocation); }
void UninstallWindow::OpenInstallSource1Click() { OpenCell(kAppInstallSource); }
void UninstallWindow::ViewReadme1Click() { OpenCell(kAppReadme); }

void UninstallWindow::DeleteEntry1Click() {
  // An entry in both views is two rows of one key name: the row's source
  // says which of them goes.
  const UninstallSource* source = SelectedSource();
  if (!source) return;
  const std::wstring subkey = SelectedCell(kAppSubkey);
  platform::Registry uninstall(KEY_READ | source->view);
  uninstall.SetRoot(platform::RootKey(source->root));
  if (!uninstall.OpenKeyReadOnly(source->key)) return;
  if (!actions_->Confirm(hwnd(), kDeleteConfirmText)) {
    actions_->Tell(hwnd(), kNotDeletedText);
    return;
  }
  // A key the user may not delete (the machine's registry without
  // administrator rights) is reported as such, never as removed.
  const DWORD failure = actions_->DeleteEntry(*source, subkey);
  // The list shows what is left, part of a failed deletion included; the
  // user learns the outcome even when reading the list fails.
  std::exception_ptr refresh_failure;
  try {
    Refresh1Click();
  } catch (...) {
    refresh_failure = std::current_exception();
  }
  if (failure == ERROR_SUCCESS) {
    actions_->Tell(hwnd(), EntryRemovedText(subkey));
  } else {
    actions_->Tell(hwnd(), EntryNotRemovedText(subkey, platform::SystemMessage(failure)), true);
  }
  if (refresh_failure) std::rethrow_exception(refresh_failure);
}

// The list window keeps its rows as its model whether or not the list view
// exists, so the refresh itself reads for the report.
std::optional<ui::ReportSection> UninstallWindow::RefreshForReport() {
  Refresh1Click();
  return UninstallSection(list().rows);
}

}  // namespace corvane::inventory
