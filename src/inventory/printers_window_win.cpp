#include "inventory/printers_window_win.h"

#include <algorithm>

#include "inventory/printers_readers_win.h"
#include "inventory/printers_window_ids.h"

namespace corvane::inventory {
namespace {

using namespace printers_ids;

constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh}};
// An empty "File" menu and "View" with "Refresh".
constexpr ui::Menu kMenus[] = {{L"&File", {}}, {L"&View", kViewMenu}};

constexpr ui::Command<PrintersWindow> kCommands[] = {
    {kCmdRefresh, &PrintersWindow::Refresh1Click},
    {kIdPrinterList, &PrintersWindow::combobox1Change, CBN_SELCHANGE},
};

}  // namespace

PrintersWindow::PrintersWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool PrintersWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmPrinters", kPrintersCaption, kMenus);
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size
  // The rows and the web address, no more.
  p.client_width = 672;
  constexpr ui::SheetGeometry kSheet;
  int lines = 0;
  for (const auto& field : kPrintersFields) lines += field.lines;
  p.client_height = kSheet.heading_height + kSheet.row_pitch * lines + 4 + ui::kPageLinkHeight + 12;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<PrintersModel>(kPrintersFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  printers_ = sheet_.AddDropDown(0, L"combobox1", kIdPrinterList, /*editable=*/false);
  if (!printers_) return false;
  AdoptControls(sheet_);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kLinkStyle);
  ShowEntries();
  ShowModel();

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void PrintersWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !link_) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 0);
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, page.link.y - 4)});
  ui::Place(link_, page.link);
}

LRESULT PrintersWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: read before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) FormShow();
  return ui::Window::OnMessage(msg, wp, lp);
}

void PrintersWindow::FormShow() { RunCommand(kCmdRefresh); }

void PrintersWindow::Refresh1Click() {
  // What was read before a failure is shown; the failure goes on to the
  // standard error box.
  try {
    const ui::BusyCursor busy;
    ReadPrinters(model_);
  } catch (...) {
    ShowEntries();
    ShowModel();
    throw;
  }
  ShowEntries();
  ShowModel();
}

void PrintersWindow::combobox1Change() {
  model_.selected = static_cast<int>(SendMessageW(printers_, CB_GETCURSEL, 0, 0));
  try {
    const ui::BusyCursor busy;
    ReadSelectedPrinter(model_);
  } catch (...) {
    ShowModel();
    throw;
  }
  ShowModel();
}

std::optional<ui::ReportSection> PrintersWindow::RefreshForReport() {
  {
    const ui::BusyCursor busy;
    ReadPrinters(model_);
  }
  return PrintersSection(model_);
}

void PrintersWindow::ShowEntries() {
  if (!printers_) return;
  SendMessageW(printers_, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& entry : model_.entries) {
    SendMessageW(printers_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageW(printers_, CB_SETCURSEL, static_cast<WPARAM>(model_.selected), 0);
}

// An unbuilt sheet has no rows: it shows nothing.
void PrintersWindow::ShowModel() { sheet_.ShowFields<PrintersModel>(kPrintersFields, model_); }

}  // namespace corvane::inventory
