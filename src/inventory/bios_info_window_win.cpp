#include "inventory/bios_info_window_win.h"

#include <algorithm>

#include "inventory/bios_info_readers_win.h"
#include "inventory/bios_info_window_ids.h"

namespace corvane::inventory {
namespace {

using namespace bios_ids;

constexpr auto& kMenus = ui::QuickPrintMenus<kCmdQuickPrint, kCmdClose, kCmdRefresh>::kMenus;

constexpr ui::Command<BiosInfoWindow> kCommands[] = {
    {kCmdRefresh, &BiosInfoWindow::Refresh1Click},
    {kCmdQuickPrint, &BiosInfoWindow::QuickPrint1Click},
    {kCmdClose, &BiosInfoWindow::Close1Click},
};

}  // namespace

BiosInfoWindow::BiosInfoWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool BiosInfoWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmBiosInfo", kBiosInfoCaption, kMenus);
  // The rows and the web address, no more.
  p.client_width = 672;
  constexpr ui::SheetGeometry kSheet;
  constexpr int kRows = static_cast<int>(std::size(kBiosInfoFields));
  p.client_height = kSheet.heading_height + kSheet.row_pitch * kRows + 4 + ui::kPageLinkHeight + 12;
  p.minimum_is_initial = true;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<BiosInfoModel>(kBiosInfoFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kLinkStyle);
  sheet_.ShowFields<BiosInfoModel>(kBiosInfoFields, model_);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void BiosInfoWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !link_) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 0);
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, page.link.y - 4)});
  ui::Place(link_, page.link);
}

LRESULT BiosInfoWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // FormShow: every showing by a ShowWindow call reads the rows again.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void BiosInfoWindow::Refresh1Click() {
  // The rows read before a failing one show their new texts; the failure
  // goes on to the standard error box.
  try {
    ReadBiosInfo(model_);
  } catch (...) {
    sheet_.ShowFields<BiosInfoModel>(kBiosInfoFields, model_);
    throw;
  }
  sheet_.ShowFields<BiosInfoModel>(kBiosInfoFields, model_);
}

std::optional<ui::ReportSection> BiosInfoWindow::RefreshForReport() {
  ReadBiosInfo(model_);
  return BiosInfoSection(model_);
}

void BiosInfoWindow::QuickPrint1Click() { PrintImage(kBiosInfoCaption); }

void BiosInfoWindow::Close1Click() { Close(); }

}  // namespace corvane::inventory
