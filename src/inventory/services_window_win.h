// TfrmServices, "Services": the Win32 services of the local service manager
// in the manager's order, with their state, type and key name. Closing
// hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include "inventory/services_readers_win.h"
#include "ui/report_list_window_win.h"

namespace corvane::inventory {

class ServicesWindow : public ui::ReportListWindow {
 public:
  // Binds the service-manager functions from advapi32 at once, as the
  // window objects are made at start-up; a library that lacks one fails
  // the start-up with platform::MissingFunction.
  explicit ServicesWindow(const ui::Theme& theme);
  // Reads through functions the caller bound instead.
  ServicesWindow(const ui::Theme& theme, ServiceManagerApi api);

  // View, Refresh (and every showing): lists the services again. A manager
  // that cannot be opened leaves the list empty and raises its error.
  void Refresh1Click();
  // File, Exit: closes (hides) the window.
  void Exit1Click();

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ServiceManagerLibrary library_;  // released with the window, at program end
  ServiceManagerApi api_;
};

}  // namespace corvane::inventory
