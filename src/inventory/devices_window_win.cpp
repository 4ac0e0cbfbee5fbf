#include "inventory/devices_window_win.h"

#include <utility>
#include <vector>

#include "inventory/devices_readers_win.h"
#include "inventory/devices_window_ids.h"
#include "platform/locale_win.h"

namespace corvane::inventory {
namespace {

using namespace devices_ids;

constexpr const wchar_t* kCaption = kDevicesCaption;

constexpr ui::MenuItem kFileMenu[] = {
    {L"Print", kCmdPrint, ui::Ctrl('P')},
    ui::kSeparator,
    {L"Exit", kCmdExit, ui::Fn(12)},
};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<DevicesWindow> kCommands[] = {
    {kCmdRefresh, &DevicesWindow::Refresh1Click},
    {kCmdPrint, &DevicesWindow::Print1Click},
    {kCmdExit, &DevicesWindow::Exit1Click},
};

}  // namespace

DevicesWindow::DevicesWindow(const ui::Theme& theme, std::span<const std::wstring_view> class_keys)
    : ui::ReportListWindow(theme), class_keys_(class_keys) {}

bool DevicesWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmDevices", kCaption, kMenus);
  p.width = 540;
  p.height = 420;
  ui::ReportListSetup setup{kDeviceColumns, kIdList, kIdStatus};
  setup.grid_lines = true;
  setup.tint_odd_rows = false;
  if (!CreateListWindow(p, setup)) return false;
  min_width_ = 300;
  min_height_ = 200;
  BindCommands(kCommands);
  return true;
}

LRESULT DevicesWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: fill it before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::ReportListWindow::OnMessage(msg, wp, lp);
}

void DevicesWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  std::vector<std::vector<std::wstring>> rows;
  try {
    ReadDriverRows(class_keys_, rows);
  } catch (...) {
    ShowSorted(std::move(rows), false);
    throw;
  }
  ShowSorted(std::move(rows), true);
}

// The list keeps its rows in the user's order of the driver names, whatever
// order the registry gave them in.
void DevicesWindow::ShowSorted(std::vector<std::vector<std::wstring>> rows, bool complete) {
  ui::ReportList sorted{{}, std::move(rows)};
  ui::SortByCaption(sorted, platform::CompareUserLocale);
  ShowRows(std::move(sorted.rows), complete);
}

void DevicesWindow::Print1Click() { PrintList(kCaption); }

void DevicesWindow::Exit1Click() { Close(); }

// The list window keeps its rows as its model whether or not the list view
// exists, so the refresh itself reads for the report.
std::optional<ui::ReportSection> DevicesWindow::RefreshForReport() {
  Refresh1Click();
  return DevicesSection(list().rows);
}

}  // namespace corvane::inventory
