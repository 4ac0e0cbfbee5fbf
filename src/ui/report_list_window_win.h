// A window whose body is one report-style list: whole-row selection,
// read-only captions, a status panel below it, and optionally a toolbar of
// captioned buttons above it and a context menu on it. Rows of odd index are
// tinted so long rows stay easy to follow. The window keeps the last list it
// showed as its model; commands, printing and tests read that model.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_handle.h"
#include "ui/menu_table.h"
#include "ui/report_list.h"
#include "ui/toolbar_table.h"
#include "ui/toolbar_win.h"
#include "ui/window_win.h"

namespace corvane::ui {

struct ReportListSetup {
  std::span<const ReportColumn> columns;  // captions and first widths
  int list_id = 0;                        // the list, named "ListView1"
  int status_id = 0;                      // the status panel "StatusBar1"; 0: none
  int toolbar_id = 0;                     // the toolbar "ToolBar1"; only with buttons
  bool grid_lines = false;
  bool tint_odd_rows = true;
  bool even_rows_white = false;                 // false: the system's window colour
  std::span<const ToolButton> toolbar{};        // empty: no toolbar
  std::span<const MenuItem> context_menu{};     // empty: none; items run as menu commands
};

class ReportListWindow : public Window {
 public:
  // The last list shown: its columns and rows in display order.
  const ReportList& list() const { return list_; }
  // The status panel's text.
  const std::wstring& status() const { return status_; }

 protected:
  using Window::Window;

  // Makes the window and its controls and lays them out.
  bool CreateListWindow(const CreateParams& params, const ReportListSetup& setup);

  // Shows the rows, filled in one batch (redraw off, items reserved). The
  // status panel then reads the count, unless `update_status` is false (a
  // refresh that failed half-way keeps the count of the last whole one).
  void ShowRows(std::vector<std::vector<std::wstring>> rows, bool update_status = true);
  // The selected row's index in list().rows.
  std::optional<std::size_t> SelectedRow() const;
  // A cell of the selected row; empty without a selection or such a cell.
  std::wstring SelectedCell(std::size_t column) const;
  // The list with each column's width as the user now sees it (what printing takes).
  ReportList ListAsShown() const;
  // Asks for a printer and prints the list under this title.
  void PrintList(std::wstring_view title);

  void SetToolbarVisible(bool visible);
  bool ToolbarVisible() const;
  HWND list_view() const { return list_view_; }

  // Windows that override these call the base first.
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnResize(int client_width, int client_height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT PaintRow(NMLVCUSTOMDRAW* draw) const;
  void ShowContextMenu(LPARAM at);

  ReportList list_;
  std::wstring status_;
  HWND list_view_ = nullptr;
  HWND status_bar_ = nullptr;  // children: destroyed with the window
  Toolbar toolbar_;
  platform::UniqueMenu context_menu_;
  bool tint_odd_rows_ = true;
  bool even_rows_white_ = false;
};

}  // namespace corvane::ui
