#include "storage/usb_drives_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/failure_text_win.h"
#include "platform/locale_win.h"
#include "storage/disk_drives_win.h"
#include "storage/usb_drives_window_ids.h"
#include "ui/report_list_win.h"

namespace corvane::storage {
namespace {

using namespace usb_drives_ids;

constexpr auto& kMenus = ui::QuickPrintMenus<kCmdQuickPrint, kCmdClose, kCmdRefresh>::kMenus;

// Data rows are tall enough for three capability lines.
constexpr int kRowHeight = 50;

constexpr int kColumnWidths[] = {44, 64, 110, 120, 160, 240, 70, 100, 120, 60, 280};
static_assert(std::size(kColumnWidths) == kUsbDriveColumns.size());

constexpr ui::Command<UsbDrivesWindow> kCommands[] = {
    {kCmdRefresh, &UsbDrivesWindow::Refresh1Click},
    {kCmdQuickPrint, &UsbDrivesWindow::QuickPrint1Click},
    {kCmdClose, &UsbDrivesWindow::Close1Click},
};

ui::ReportList GridOf(const UsbDrivesView& view) {
  ui::ReportList list;
  for (std::size_t c = 0; c < kUsbDriveColumns.size(); ++c) {
    list.columns.push_back({std::wstring(kUsbDriveColumns[c]), kColumnWidths[c]});
  }
  for (const auto& row : view.rows) list.rows.emplace_back(row.begin(), row.end());
  return list;
}

// Capability texts end in carriage returns; DrawText breaks lines at CR LF.
std::wstring AsLines(const std::wstring& cell) {
  std::wstring lines;
  for (const wchar_t c : cell) {
    lines += c;
    if (c == L'\r') lines += L'\n';
  }
  return lines;
}

}  // namespace

UsbDrivesWindow::UsbDrivesWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool UsbDrivesWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmUSBDrives", std::wstring(kUsbDrivesCaption), kMenus);
  p.width = 900;
  p.height = 420;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 400;
  min_height_ = 260;
  BindCommands(kCommands);

  std::vector<ui::SheetRow> rows = {
      {std::wstring(kUsbCountLabel), L"lblUSBDrives", kIdCountLabel, L"edUSBDrives", kIdCount},
      {std::wstring(kTotalCountLabel), L"lblTotalDrives", kIdTotalLabel, L"edTotalDrives", kIdTotal},
  };
  ui::SheetGeometry geometry;
  geometry.value_width = 200;
  if (!sheet_.Create(hwnd(), kIdSheet, std::move(rows), geometry)) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);

  caption_ = AddControl(L"lblGrid", kIdGridCaption, L"STATIC", kUsbDrivesCaption, WS_VISIBLE, 0, 0, 300,
                        ui::kPageCaptionHeight, 0, theme().bold());
  grid_ = AddControl(L"StringGrid1", kIdGrid, WC_LISTVIEWW, L"",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 100,
                     100);
  SendMessageW(grid_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // A list view makes its rows as tall as its small images; the list owns it.
  if (HIMAGELIST rows_height = ImageList_Create(1, kRowHeight, ILC_COLOR, 1, 0)) {
    SendMessageW(grid_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows_height));
  }
  ui::ShowReportList(grid_, GridOf(model_));
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kPlainText, theme().bold());

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void UsbDrivesWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !grid_) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 300);
  ui::Place(sheet_.hwnd(), page.sheet);
  ui::Place(caption_, page.caption);
  ui::Place(grid_, page.body);
  ui::Place(link_, page.link);
}

LRESULT UsbDrivesWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: fill it before it first paints. (The WMI
  // calls may let messages run; a refresh asked for meanwhile waits.)
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void UsbDrivesWindow::Close1Click() { Close(); }

void UsbDrivesWindow::Refresh1Click() {
  DiskDriveReading reading;
  {
    const ui::BusyCursor busy;
    reading = ReadModel();
    ShowModel();
  }
  if (reading.error) ui::ShowErrorBox(hwnd(), *reading.error);
}

DiskDriveReading UsbDrivesWindow::ReadModel() {
  DiskDriveReading reading = ReadDiskDrives();
  model_ = BuildUsbDrivesView(reading.disks, platform::ReadThousandsSeparator(), !reading.error);
  return reading;
}

std::optional<ui::ReportSection> UsbDrivesWindow::RefreshForReport() {
  // The window shows the rows read before WMI broke off, then the box; the
  // report has no box, and a grid cut short must not pass for the whole.
  if (const DiskDriveReading reading = ReadModel(); reading.error) throw platform::WordedFailure(*reading.error);
  return UsbDrivesSection(model_);
}

void UsbDrivesWindow::ShowModel() {
  ui::ShowReportList(grid_, GridOf(model_));
  sheet_.SetValue(0, model_.usb_count, true);
  sheet_.SetValue(1, model_.total_count, true);
}

void UsbDrivesWindow::QuickPrint1Click() { PrintImage(kUsbDrivesCaption); }

LRESULT UsbDrivesWindow::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom == grid_ && hdr->code == NM_CUSTOMDRAW) return DrawCapabilityCell(hdr);
  return 0;
}

// The capability cell holds several lines, which a list view would draw as
// one: it is drawn here, the other cells as usual.
LRESULT UsbDrivesWindow::DrawCapabilityCell(void* custom_draw) {
  auto* draw = static_cast<NMLVCUSTOMDRAW*>(custom_draw);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      break;
    default:
      return CDRF_DODEFAULT;
  }
  const auto row = static_cast<std::size_t>(draw->nmcd.dwItemSpec);
  if (draw->iSubItem != static_cast<int>(kCapabilitiesColumn) || row >= model_.rows.size()) return CDRF_DODEFAULT;

  RECT cell{LVIR_BOUNDS, static_cast<LONG>(kCapabilitiesColumn), 0, 0};
  if (!SendMessageW(grid_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return CDRF_DODEFAULT;
  const bool selected = SendMessageW(grid_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
  HDC dc = draw->nmcd.hdc;
  FillRect(dc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT text = cell;
  InflateRect(&text, -4, -1);
  const std::wstring lines = AsLines(model_.rows[row][kCapabilitiesColumn]);
  DrawTextW(dc, lines.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
  return CDRF_SKIPDEFAULT;
}

}  // namespace corvane::storage
