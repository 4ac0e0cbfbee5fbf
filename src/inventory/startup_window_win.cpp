#include "inventory/startup_window_win.h"

#include <utility>

#include "inventory/startup_readers_win.h"
#include "inventory/startup_window_ids.h"

namespace corvane::inventory {
namespace {

using namespace startup_ids;

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCmdExit, ui::Fn(12)}};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh}};
constexpr ui::Menu kMenus[] = {{L"File", kFileMenu}, {L"View", kViewMenu}};

constexpr ui::Command<StartupWindow> kCommands[] = {
    {kCmdExit, &StartupWindow::Exit1Click},
    {kCmdRefresh, &StartupWindow::Refresh1Click},
};

}  // namespace

StartupWindow::StartupWindow(const ui::Theme& theme, PlacesSource places)
    : ui::ReportListWindow(theme), places_(places ? std::move(places) : PlacesSource(&SystemStartupPlaces)) {}

bool StartupWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmStartup", std::wstring(kStartupCaption), kMenus);
  p.client_width = 680;
  p.client_height = 360;
  ui::ReportListSetup setup{StartupColumns(), kIdList, kIdStatus};
  setup.even_rows_white = true;
  if (!CreateListWindow(p, setup)) return false;
  BindCommands(kCommands);
  return true;
}

void StartupWindow::Refresh1Click() {
  // The list is filled once everything is read, in one batch: it appears
  // whole at once rather than growing row by row.
  const ui::BusyCursor busy;
  StartupRows rows;
  try {
    ReadStartupRows(places_(), rows);
  } catch (...) {
    ShowRows(std::move(rows), false);
    throw;
  }
  ShowRows(std::move(rows));
}

void StartupWindow::Exit1Click() { Close(); }

void StartupWindow::ShowAndRefresh() {
  Show();
  if (built()) RunCommand(kCmdRefresh);
}

// The list window keeps its rows as its model whether or not the list view
// exists, so the refresh itself reads for the report.
std::optional<ui::ReportSection> StartupWindow::RefreshForReport() {
  Refresh1Click();
  return StartupSection(list().rows);
}

}  // namespace corvane::inventory
