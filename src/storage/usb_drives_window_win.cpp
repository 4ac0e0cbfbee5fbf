#include "storage/usb_drives_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "platform/locale_win.h"
#include "ui/product.h"
#include "platform/text_file_win.h"
#include "storage/disk_drives_win.h"
#include "storage/window_support_win.h"
#include "ui/window_print_win.h"

namespace corvane::storage {
namespace {

constexpr ui::MenuItem kFileMenu[] = {
    {L"Quick Print", kUsbQuickPrintCommand},
    ui::kSeparator,
    {L"Close", kUsbCloseCommand},
};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kUsbRefreshCommand, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr int kMargin = 8;
constexpr int kCaptionHeight = 18;
constexpr int kLinkHeight = 16;
// Data rows are tall enough for three capability lines.
constexpr int kRowHeight = 50;

constexpr int kColumnWidths[] = {44, 64, 110, 120, 160, 240, 70, 100, 120, 60, 280};
static_assert(std::size(kColumnWidths) == kUsbDriveColumns.size());

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

bool UsbDrivesWindow::Create() {
  ui::CreateParams p{L"TfrmUSBDrives", std::wstring(kUsbDrivesCaption)};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.width = 900;
  p.height = 420;
  p.background = theme().white_brush();
  p.icon = LoadIconW(nullptr, IDI_APPLICATION);
  p.menus = kMenus;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 400;
  min_height_ = 260;

  std::vector<ui::SheetRow> rows = {
      {L"USB Drives", L"lblUSBDrives", kUsbCountLabelId, L"edUSBDrives", kUsbCountId},
      {L"Total No. of Drives", L"lblTotalDrives", kUsbTotalLabelId, L"edTotalDrives", kUsbTotalId},
  };
  ui::SheetGeometry geometry;
  geometry.value_width = 200;
  if (!sheet_.Create(hwnd(), kUsbSheetId, std::move(rows), geometry)) return false;
  FileControl(L"ScrollBox1", kUsbSheetId, sheet_.hwnd());
  AdoptControls(sheet_);

  caption_ = AddControl(L"lblGrid", kUsbGridCaptionId, L"STATIC", kUsbDrivesCaption, WS_VISIBLE, 0, 0, 300,
                        kCaptionHeight, 0, theme().bold());
  grid_ = AddControl(L"StringGrid1", kUsbGridId, WC_LISTVIEWW, L"",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 100,
                     100);
  SendMessageW(grid_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // A list view makes its rows as tall as its small images; the list owns it.
  if (HIMAGELIST rows_height = ImageList_Create(1, kRowHeight, ILC_COLOR, 1, 0)) {
    SendMessageW(grid_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows_height));
  }
  for (std::size_t c = 0; c < kUsbDriveColumns.size(); ++c) {
    std::wstring header(kUsbDriveColumns[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = kColumnWidths[c];
    column.pszText = header.data();
    column.iSubItem = static_cast<int>(c);
    SendMessageW(grid_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  link_ = AddControl(L"StaticText1", kUsbLinkId, L"STATIC", ui::kWebAddressText, WS_VISIBLE, 0, 0, 300, kLinkHeight,
                     0, theme().bold());

  RECT client{};
  GetClientRect(hwnd(), &client);
  OnResize(client.right, client.bottom);
  return true;
}

void UsbDrivesWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !grid_) return;
  const int sheet_height = sheet_.ContentHeight() + 4;
  MoveWindow(sheet_.hwnd(), 0, 0, width, sheet_height, TRUE);
  int y = sheet_height + 4;
  MoveWindow(caption_, kMargin, y, 300, kCaptionHeight, TRUE);
  y += kCaptionHeight + 2;
  const int link_y = height - kLinkHeight - 4;
  MoveWindow(grid_, kMargin, y, std::max(0, width - 2 * kMargin), std::max(0, link_y - 4 - y), TRUE);
  MoveWindow(link_, kMargin, link_y, 300, kLinkHeight, TRUE);
}

HBRUSH UsbDrivesWindow::OnControlColour(HDC dc, HWND) {
  SetBkColor(dc, ui::kWhite);
  SetTextColor(dc, ui::kLabelText);
  return theme().white_brush();
}

LRESULT UsbDrivesWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: fill it before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) OnCommand(kUsbRefreshCommand, 0, nullptr);
  return ui::Window::OnMessage(msg, wp, lp);
}

void UsbDrivesWindow::OnCommand(int id, int, HWND) {
  try {
    switch (id) {
      case kUsbRefreshCommand:
        // The WMI calls may let messages run; a second refresh meanwhile
        // would only repeat the one under way.
        if (busy_) return;
        busy_ = true;
        try {
          Refresh1Click();
        } catch (...) {
          busy_ = false;
          throw;
        }
        busy_ = false;
        break;
      case kUsbQuickPrintCommand:
        QuickPrint1Click();
        break;
      case kUsbCloseCommand:
        SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        break;
    }
  } catch (const std::exception& e) {
    ui::ShowErrorBox(hwnd(), FailureText(e));
  }
}

void UsbDrivesWindow::Refresh1Click() {
  DiskDriveReading reading;
  {
    const Hourglass hourglass;
    reading = ReadDiskDrives();
    ShowView(BuildUsbDrivesView(reading.disks, platform::ReadThousandsSeparator(), !reading.error));
  }
  if (reading.error) ui::ShowErrorBox(hwnd(), *reading.error);
}

void UsbDrivesWindow::ShowView(const UsbDrivesView& view) {
  shown_ = view;
  SendMessageW(grid_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(grid_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t r = 0; r < shown_.rows.size(); ++r) {
    auto& row = shown_.rows[r];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = row[0].data();
    const auto index = SendMessageW(grid_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (index < 0) continue;
    for (std::size_t c = 1; c < row.size(); ++c) {
      LVITEMW sub{};
      sub.iSubItem = static_cast<int>(c);
      sub.pszText = row[c].data();
      SendMessageW(grid_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
  }
  SendMessageW(grid_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(grid_, nullptr, TRUE);
  sheet_.SetValue(0, shown_.usb_count, true);
  sheet_.SetValue(1, shown_.total_count, true);
}

void UsbDrivesWindow::QuickPrint1Click() {
  const DWORD error = ui::PrintWindowImage(hwnd(), std::wstring(kUsbDrivesCaption).c_str());
  if (error != ERROR_SUCCESS) ui::ShowErrorBox(hwnd(), platform::SystemMessage(error));
}

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
  if (draw->iSubItem != static_cast<int>(kCapabilitiesColumn) || row >= shown_.rows.size()) return CDRF_DODEFAULT;

  RECT cell{LVIR_BOUNDS, static_cast<LONG>(kCapabilitiesColumn), 0, 0};
  if (!SendMessageW(grid_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return CDRF_DODEFAULT;
  const bool selected = SendMessageW(grid_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
  HDC dc = draw->nmcd.hdc;
  FillRect(dc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT text = cell;
  InflateRect(&text, -4, -1);
  const std::wstring lines = AsLines(shown_.rows[row][kCapabilitiesColumn]);
  DrawTextW(dc, lines.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
  return CDRF_SKIPDEFAULT;
}

}  // namespace corvane::storage
