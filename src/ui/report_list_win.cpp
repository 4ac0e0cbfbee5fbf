#include "ui/report_list_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/dpi_scale.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

int ColumnCount(HWND list_view) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list_view, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int FormatOf(ColumnAlign align) { return align == ColumnAlign::kRight ? LVCFMT_RIGHT : LVCFMT_LEFT; }

bool ColumnsMatch(HWND list_view, const std::vector<ReportColumn>& columns) {
  if (ColumnCount(list_view) != static_cast<int>(columns.size())) return false;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    wchar_t caption[128] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = caption;
    col.cchTextMax = static_cast<int>(std::size(caption));
    if (!SendMessageW(list_view, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col))) return false;
    if (columns[i].caption != caption) return false;
    if (i > 0 && (col.fmt & LVCFMT_JUSTIFYMASK) != FormatOf(columns[i].align)) return false;
  }
  return true;
}

void SetColumns(HWND list_view, const std::vector<ReportColumn>& columns) {
  for (int n = ColumnCount(list_view); n > 0; --n) SendMessageW(list_view, LVM_DELETECOLUMN, n - 1, 0);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring caption = columns[i].caption;
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    col.fmt = FormatOf(columns[i].align);
    col.pszText = caption.data();
    col.cx = ScaleToDpi(columns[i].width, DpiOf(list_view));  // widths are logical units
    col.iSubItem = static_cast<int>(i);
    SendMessageW(list_view, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
}

}  // namespace

void ShowReportList(HWND list_view, const ReportList& list) {
  SendMessageW(list_view, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_view, LVM_DELETEALLITEMS, 0, 0);
  if (!ColumnsMatch(list_view, list.columns)) SetColumns(list_view, list.columns);
  // Room for every row at once, rather than growing with each insertion.
  SendMessageW(list_view, LVM_SETITEMCOUNT, list.rows.size(), LVSICF_NOINVALIDATEALL);
  for (std::size_t r = 0; r < list.rows.size(); ++r) {
    const auto& cells = list.rows[r];
    std::wstring caption = cells.empty() ? std::wstring() : cells[0];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = caption.data();
    const int index = static_cast<int>(SendMessageW(list_view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) continue;
    for (std::size_t c = 1; c < cells.size() && c < list.columns.size(); ++c) {
      std::wstring text = cells[c];
      LVITEMW sub{};
      sub.iSubItem = static_cast<int>(c);
      sub.pszText = text.data();
      SendMessageW(list_view, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
    }
  }
  SendMessageW(list_view, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_view, nullptr, TRUE);
}

}  // namespace corvane::ui
