#include "memory_display_time/memory_window_win.h"

#include <commctrl.h>

#include <vector>

#include "memory_display_time/memory_readers_win.h"
#include "memory_display_time/memory_window_ids.h"
#include "platform/locale_win.h"
#include "ui/report_list_win.h"

namespace corvane::memory_display_time {
namespace {

using namespace memory_ids;

constexpr auto& kMenus = ui::QuickPrintMenus<kCmdQuickPrint, kCmdClose, kCmdRefresh>::kMenus;

constexpr ui::Command<MemoryWindow> kCommands[] = {
    {kCmdRefresh, &MemoryWindow::Refresh1Click},
    {kCmdQuickPrint, &MemoryWindow::QuickPrint1Click},
    {kCmdClose, &MemoryWindow::Close1Click},
};

ui::ReportList ListOf(const MemoryWindowModel& model) { return ModuleList(model.modules); }

}  // namespace

MemoryWindow::MemoryWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme), total_sheet_(theme) {}

bool MemoryWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmMemory", kMemoryCaption, kMenus);
  p.width = 680;
  p.height = 540;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 400;
  min_height_ = 400;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<MemoryWindowModel>(kMemoryFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  sheet_.AddGauge(kMemoryLoadRow, L"Gauge1", kIdGauge1);
  AdoptControls(sheet_);

  caption_ = AddControl(L"Label1", kIdListCaption, L"STATIC", kModulesCaption, WS_VISIBLE, 0, 0, 300,
                        ui::kPageCaptionHeight, 0, theme().bold());
  list_ = AddControl(L"ListView1", kIdListView1, WC_LISTVIEWW, L"",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 100,
                     100);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

  // The total is one more label/value row, without the headings.
  ui::SheetGeometry total_geometry;
  total_geometry.heading_height = 0;
  std::vector<ui::SheetRow> total_row = {{kTotalLabel, L"Label2", kIdTotalLabel, L"Edit2", kIdEdit2}};
  if (!total_sheet_.Create(hwnd(), kIdTotalSheet, std::move(total_row), total_geometry)) return false;
  AdoptControls(total_sheet_);

  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);
  ShowModel();

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void MemoryWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !list_ || !total_sheet_.hwnd()) return;
  const int total_height = total_sheet_.ContentHeight();
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 300, total_height);
  ui::Place(sheet_.hwnd(), page.sheet);
  ui::Place(caption_, page.caption);
  ui::Place(list_, page.body);
  ui::Place(total_sheet_.hwnd(), {0, page.buttons.y, width, total_height});
  ui::Place(link_, page.link);
}

LRESULT MemoryWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: filled before it first paints. (The WMI
  // query may let messages run; a refresh asked for meanwhile waits.)
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void MemoryWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  // The list is emptied first, as a query that fails or finds nothing leaves it.
  model_.modules.clear();
  ui::ShowReportList(list_, ListOf(model_));
  ReadModel();
  ShowModel();
}

void MemoryWindow::ReadModel() {
  model_ = BuildMemoryModel(ReadMemoryFigures(), ReadModuleTable(), platform::ReadThousandsSeparator());
}

std::optional<ui::ReportSection> MemoryWindow::RefreshForReport() {
  ReadModel();
  return MemorySection(model_);
}

void MemoryWindow::ShowModel() {
  sheet_.ShowFields<MemoryWindowModel>(kMemoryFields, model_);
  sheet_.SetGauge(kMemoryLoadRow, model_.memory_load);
  ui::ShowReportList(list_, ListOf(model_));
  total_sheet_.SetValue(0, model_.total, false);
}

void MemoryWindow::QuickPrint1Click() { PrintImage(kMemoryCaption); }

void MemoryWindow::Close1Click() { Close(); }

}  // namespace corvane::memory_display_time
