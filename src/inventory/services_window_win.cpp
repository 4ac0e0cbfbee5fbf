#include "inventory/services_window_win.h"

#include <utility>
#include <vector>

#include "inventory/services_view.h"
#include "inventory/services_window_ids.h"

namespace corvane::inventory {
namespace {

using namespace services_ids;

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCmdExit}};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<ServicesWindow> kCommands[] = {
    {kCmdRefresh, &ServicesWindow::Refresh1Click},
    {kCmdExit, &ServicesWindow::Exit1Click},
};

}  // namespace

ServicesWindow::ServicesWindow(const ui::Theme& theme)
    : ui::ReportListWindow(theme), library_(kServiceManagerLibrary), api_(library_.api()) {}

ServicesWindow::ServicesWindow(const ui::Theme& theme, ServiceManagerApi api)
    : ui::ReportListWindow(theme), api_(api) {}

bool ServicesWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmServices", kServicesCaption, kMenus);
  p.width = 500;
  p.height = 400;
  // A plain list: no status panel, no tinted rows.
  ui::ReportListSetup setup{kServiceColumns, kIdList};
  setup.tint_odd_rows = false;
  if (!CreateListWindow(p, setup)) return false;
  min_width_ = 300;
  min_height_ = 200;
  BindCommands(kCommands);
  return true;
}

LRESULT ServicesWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: fill it before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::ReportListWindow::OnMessage(msg, wp, lp);
}

void ServicesWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  std::vector<ServiceRecord> records;
  try {
    records = ReadServices(api_);
  } catch (...) {
    ShowRows({});  // the list of an earlier refresh must not pass for this one's
    throw;
  }
  ShowRows(ServiceRows(records));
}

void ServicesWindow::Exit1Click() { Close(); }

// The list window keeps its rows as its model whether or not the list view
// exists, so the refresh itself reads for the report.
std::optional<ui::ReportSection> ServicesWindow::RefreshForReport() {
  Refresh1Click();
  return ServicesSection(list().rows);
}

}  // namespace corvane::inventory
