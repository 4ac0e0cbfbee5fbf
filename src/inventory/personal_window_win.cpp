#include "inventory/personal_window_win.h"

#include <algorithm>
#include <iterator>

#include "inventory/personal_readers_win.h"
#include "inventory/personal_window_ids.h"
#include "ui/sheet_page_layout.h"

namespace corvane::inventory {
namespace {

using namespace personal_ids;

constexpr auto& kMenus = ui::QuickPrintMenus<kCmdQuickPrint, kCmdClose, kCmdRefresh>::kMenus;

constexpr ui::Command<PersonalWindow> kCommands[] = {
    {kCmdRefresh, &PersonalWindow::Refresh1Click},
    {kCmdQuickPrint, &PersonalWindow::QuickPrint1Click},
    {kCmdClose, &PersonalWindow::Close1Click},
};

constexpr int kClientWidth = 560;

}  // namespace

PersonalWindow::PersonalWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool PersonalWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmPersonal", kPersonalCaption, kMenus);
  // Fixed size, like a dialog: the rows and the web address, no more.
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  constexpr ui::SheetGeometry kSheet;
  constexpr int kRows = static_cast<int>(std::size(kPersonalFields));
  const int sheet_height = kSheet.heading_height + kSheet.row_pitch * kRows + 4;
  p.client_width = kClientWidth;
  p.client_height = sheet_height + ui::kPageLinkHeight + 12;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<PersonalModel>(kPersonalFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  link_ = AddWebLink(L"Label3", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);
  sheet_.ShowFields<PersonalModel>(kPersonalFields, model_);

  const RECT client = LogicalClientRect();
  const ui::SheetPage page = ui::LayOutSheetPage(client.right, client.bottom, sheet_.ContentHeight(), 0);
  ui::Place(sheet_.hwnd(), {0, 0, client.right, std::max(0, page.link.y - 4)});
  ui::Place(link_, page.link);
  return true;
}

void PersonalWindow::Refresh1Click() {
  if (!EnsureBuilt()) return;
  const ui::BusyCursor busy;
  ui::RunPendingMessages();
  ReadPersonalInfo(model_, [this](PersonalRow row) { ShowRow(row); });
}

void PersonalWindow::ShowRow(PersonalRow row) {
  if (!sheet_.hwnd()) return;  // read for the report: no sheet to show it on
  const auto index = static_cast<std::size_t>(row);
  sheet_.SetValue(index, kPersonalFields[index].value(model_), IsRepaintedRow(row));
}

std::optional<ui::ReportSection> PersonalWindow::RefreshForReport() {
  ReadPersonalInfo(model_, [this](PersonalRow row) { ShowRow(row); });
  return PersonalSection(model_);
}

void PersonalWindow::RefreshAndShow() {
  if (!EnsureBuilt()) return;
  RunCommand(kCmdRefresh);
  Show();
}

void PersonalWindow::QuickPrint1Click() { PrintImage(kPersonalCaption); }

void PersonalWindow::Close1Click() { Close(); }

}  // namespace corvane::inventory
