// The refresh that fills the summary sheet row by row.
#pragma once
#include "app/collectors/summary_collectors.h"
#include "report/summary.h"

namespace corvane::app {

// What the refresh needs of the window that shows the sheet.
class RefreshView {
 public:
  virtual ~RefreshView() = default;
  virtual void SetBusy(bool busy) = 0;  // the application-wide hourglass
  // Row n of the model changed; with repaint the cell is painted at once, so
  // the user sees the sheet fill during a refresh that cannot be interrupted.
  virtual void RowChanged(int row, bool repaint) = 0;
};

// Runs every step without returning to the message loop, and writes the rows
// in order. Only the guarded steps catch failures; the collectors keep
// theirs, so the refresh always runs to its end. With no_com the ports row is
// cleared, not probed. The clock sample is started before row 1 and taken
// after every other row has been read, so its half second is not waited out
// idle; rows 6 to 28 are written after it.
void RunRefresh(SummaryCollectors& collectors, report::SummaryModel& sheet, RefreshView& view, bool no_com);

}  // namespace corvane::app
