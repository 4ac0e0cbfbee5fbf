// TfrmPersonal, "Personal windows and system information": who the
// operating system is registered to and the identity of this installation.
// Fixed size; closing hides it. It is filled by its refresh only (View,
// Refresh, or the main window's Personal Info command before it shows it),
// and keeps what it last showed for the summary's web page.
#pragma once
#include <windows.h>

#include "inventory/personal_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::inventory {

class PersonalWindow : public ui::Window {
 public:
  explicit PersonalWindow(const ui::Theme& theme);

  // View, Refresh: fills the rows group by group under the hourglass; the
  // first rows appear one by one as they are read. Never shows a message.
  void Refresh1Click();
  // File, Quick Print: an image of the window on the application's printer.
  void QuickPrint1Click();
  void Close1Click();

  // The main window's Personal Info command: refreshed first, then shown.
  void RefreshAndShow();

  // What the rows last showed (all empty before the first refresh).
  const PersonalModel& model() const { return model_; }

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;

 private:
  void ShowRow(PersonalRow row);

  ui::DetailSheet sheet_;
  HWND link_ = nullptr;
  PersonalModel model_;
};

}  // namespace corvane::inventory
