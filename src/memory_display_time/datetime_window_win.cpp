#include "memory_display_time/datetime_window_win.h"

#include <algorithm>

#include "memory_display_time/datetime_readers_win.h"
#include "memory_display_time/datetime_window_ids.h"

namespace corvane::memory_display_time {
namespace {

using namespace datetime_ids;

constexpr UINT kTimerInterval = 1000;  // ms

}  // namespace

DateTimeWindow::DateTimeWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool DateTimeWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmDateTime", kDateTimeCaption);
  if (!ui::Window::Create(p)) return false;
  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<DateTimeModel>(kDateTimeFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  web_address_ = AddWebLink(L"StaticText1", kIdWebAddress, 0, 0, LinkKind::kPlainText, theme().bold());

  // Sized to its rows: the sheet, a margin and the web address.
  const ui::SheetGeometry& g = sheet_.geometry();
  const SIZE outer = SetClientSize(g.value_x + g.value_width + 2 * ui::kPageMargin,
                                   sheet_.ContentHeight() + 12 + ui::kPageLinkHeight + 8);
  min_width_ = 400;
  min_height_ = outer.cy;

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);

  // The clock runs from here to the end of the run, shown or hidden.
  SetTimer(hwnd(), kIdTimer1, kTimerInterval, nullptr);
  return true;
}

void DateTimeWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd()) return;
  const int link_y = height - ui::kPageLinkHeight - 4;
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, link_y - 8)});
  ui::Place(web_address_, {ui::kPageMargin, link_y, 300, ui::kPageLinkHeight});
}

LRESULT DateTimeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: filled before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) FormShow();
  if (msg == WM_TIMER && wp == kIdTimer1) {
    Timer1Timer();
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

void DateTimeWindow::FormShow() {
  ApplyShowing(model_, ReadClock(), ReadTimeZone());
  ShowModel();
}

std::optional<ui::ReportSection> DateTimeWindow::RefreshForReport() {
  ApplyShowing(model_, ReadClock(), ReadTimeZone());
  return DateTimeSection(model_);
}

void DateTimeWindow::Timer1Timer() {
  ApplyClock(model_, ReadClock());
  sheet_.SetValue(kTimeRow, model_.time, false);
  sheet_.SetValue(kUpTimeRow, model_.up_time, false);
}

void DateTimeWindow::ShowModel() { sheet_.ShowFields<DateTimeModel>(kDateTimeFields, model_); }

}  // namespace corvane::memory_display_time
