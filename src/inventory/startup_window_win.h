// TfrmStartup, "Startup": what the system starts automatically, from the
// Run keys and the startup folders, in the order read. The main window's
// "Startup" shows it and then refreshes it; showing alone does not.
#pragma once
#include <windows.h>

#include <functional>

#include "inventory/startup_entries.h"
#include "ui/report_list_window_win.h"

namespace corvane::inventory {

class StartupWindow : public ui::ReportListWindow {
 public:
  // Where a refresh looks, asked at every refresh.
  using PlacesSource = std::function<StartupPlaces()>;
  explicit StartupWindow(const ui::Theme& theme, PlacesSource places = {});

  // View, Refresh: every place read, then the list shown at once with its
  // count. A value that is no text stops it: the rows read until then are
  // shown, the count is left as it was, and the failure goes on to the
  // error box.
  void Refresh1Click();
  void Exit1Click();
  // The main window's "Startup": shows the window, then refreshes it.
  void ShowAndRefresh();

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;

 private:
  PlacesSource places_;
};

}  // namespace corvane::inventory
