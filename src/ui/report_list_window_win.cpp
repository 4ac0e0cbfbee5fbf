#include "ui/report_list_window_win.h"

#include <commctrl.h>

#include <utility>

#include "ui/list_print_win.h"
#include "ui/menu_win.h"
#include "ui/report_list_win.h"

namespace corvane::ui {

bool ReportListWindow::CreateListWindow(const CreateParams& params, const ReportListSetup& setup) {
  if (!Create(params)) return false;
  tint_odd_rows_ = setup.tint_odd_rows;
  even_rows_white_ = setup.even_rows_white;
  list_.columns.assign(setup.columns.begin(), setup.columns.end());
  list_.rows.clear();

  if (!setup.toolbar.empty()) {
    if (!toolbar_.Create(hwnd(), setup.toolbar_id, setup.toolbar)) return false;
    FileControl(L"ToolBar1", setup.toolbar_id, toolbar_.hwnd());
  }
  list_view_ = AddControl(L"ListView1", setup.list_id, WC_LISTVIEWW, L"",
                          WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 100, 100,
                          WS_EX_CLIENTEDGE);
  if (!list_view_) return false;
  DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  if (setup.grid_lines) ex |= LVS_EX_GRIDLINES;
  SendMessageW(list_view_, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  ShowReportList(list_view_, list_);

  if (setup.status_id != 0) {
    status_bar_ = AddControl(L"StatusBar1", setup.status_id, STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                             0, 0);
    if (!status_bar_) return false;
    int whole = -1;  // one panel across the bar
    SendMessageW(status_bar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&whole));
  }
  if (!setup.context_menu.empty()) context_menu_.reset(BuildPopupMenu(setup.context_menu));

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void ReportListWindow::ShowRows(std::vector<std::vector<std::wstring>> rows, bool update_status) {
  list_.rows = std::move(rows);
  if (update_status) {
    status_ = CountText(list_.rows.size());
    if (status_bar_) SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(status_.c_str()));
  }
  if (list_view_) ShowReportList(list_view_, list_);
}

std::optional<std::size_t> ReportListWindow::SelectedRow() const {
  if (!list_view_) return std::nullopt;
  const auto index = static_cast<int>(SendMessageW(list_view_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (index < 0 || static_cast<std::size_t>(index) >= list_.rows.size()) return std::nullopt;
  return static_cast<std::size_t>(index);
}

std::wstring ReportListWindow::SelectedCell(std::size_t column) const {
  const auto row = SelectedRow();
  if (!row) return {};
  const auto& cells = list_.rows[*row];
  return column < cells.size() ? cells[column] : std::wstring();
}

ReportList ReportListWindow::ListAsShown() const {
  ReportList shown = list_;
  if (!list_view_) return shown;
  for (std::size_t i = 0; i < shown.columns.size(); ++i) {
    shown.columns[i].width = Logical(static_cast<int>(SendMessageW(list_view_, LVM_GETCOLUMNWIDTH, i, 0)));
  }
  return shown;
}

void ReportListWindow::PrintList(std::wstring_view title) { PrintReportList(hwnd(), ListAsShown(), title); }

void ReportListWindow::SetToolbarVisible(bool visible) {
  if (!toolbar_.hwnd()) return;
  ShowWindow(toolbar_.hwnd(), visible ? SW_SHOW : SW_HIDE);
  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
}

bool ReportListWindow::ToolbarVisible() const {
  return toolbar_.hwnd() && (GetWindowLongPtrW(toolbar_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void ReportListWindow::OnResize(int client_width, int client_height) {
  int top = 0;
  if (ToolbarVisible()) {
    SendMessageW(toolbar_.hwnd(), TB_AUTOSIZE, 0, 0);
    top = toolbar_.Height();
  }
  int bottom = client_height;
  if (status_bar_) {
    SendMessageW(status_bar_, WM_SIZE, 0, 0);  // the bar places itself along the bottom edge
    RECT bar{};
    GetWindowRect(status_bar_, &bar);
    bottom -= Logical(bar.bottom - bar.top);
  }
  if (list_view_) PlaceControl(list_view_, {0, top, client_width, bottom > top ? bottom - top : 0});
}

LRESULT ReportListWindow::OnNotify(NMHDR* hdr) {
  if (toolbar_.hwnd() && toolbar_.HandleTooltip(hdr)) return 0;
  if (hdr->hwndFrom == list_view_ && hdr->code == NM_CUSTOMDRAW) {
    return PaintRow(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
  }
  return 0;
}

LRESULT ReportListWindow::PaintRow(NMLVCUSTOMDRAW* draw) const {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return tint_odd_rows_ || even_rows_white_ ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      const auto index = static_cast<int>(draw->nmcd.dwItemSpec);
      // A selected row keeps the system's highlight.
      if (SendMessageW(list_view_, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) return CDRF_DODEFAULT;
      if (tint_odd_rows_ && index % 2 == 1) {
        draw->clrTextBk = static_cast<COLORREF>(kOddRowColour);
      } else {
        draw->clrTextBk = even_rows_white_ ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOW);
      }
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

LRESULT ReportListWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CONTEXTMENU && context_menu_ && reinterpret_cast<HWND>(wp) == list_view_) {
    ShowContextMenu(lp);
    return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

void ReportListWindow::ShowContextMenu(LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == static_cast<LPARAM>(-1)) {
    // From the keyboard: under the selected row, or the list's corner.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    const auto selected = SelectedRow();
    if (selected && SendMessageW(list_view_, LVM_GETITEMRECT, *selected, reinterpret_cast<LPARAM>(&row))) {
      point = {row.left + 8, row.bottom};
    } else {
      point = {8, 8};
    }
    ClientToScreen(list_view_, &point);
  }
  TrackPopupMenu(context_menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd(), nullptr);
}

}  // namespace corvane::ui
