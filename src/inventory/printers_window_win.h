// TfrmPrinters, "Printers": the installed printers in a drop-down list and
// the chosen one's status, port, capabilities, PostScript support and paper
// bins, plus the printer-driver folder; read afresh on every showing.
// Choosing a printer here chooses it for the whole program. Fixed size.
#pragma once
#include <windows.h>

#include "inventory/printers_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::inventory {

class PrintersWindow : public ui::Window {
 public:
  explicit PrintersWindow(const ui::Theme& theme);

  // Every showing: runs Refresh1Click.
  void FormShow();
  // View, Refresh (and every showing): reads the printer list afresh and
  // shows the first printer. Without any printer the printer object's error
  // goes on to the standard error box and the rows stay empty.
  void Refresh1Click();
  // A printer chosen in the drop-down list becomes the program's printer
  // and its rows are read.
  void combobox1Change();

  const PrintersModel& model() const { return model_; }

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowEntries();
  void ShowModel();

  ui::DetailSheet sheet_;
  HWND printers_ = nullptr;
  HWND link_ = nullptr;
  PrintersModel model_;
};

}  // namespace corvane::inventory
