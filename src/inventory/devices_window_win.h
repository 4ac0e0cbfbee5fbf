// TfrmDevices, "Device Info": one driver per device class from the
// registry's class database, sorted by driver in the user's order, with a
// count below. Closing hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include <span>
#include <string_view>

#include "inventory/devices_view.h"
#include "ui/report_list_window_win.h"

namespace corvane::inventory {

class DevicesWindow : public ui::ReportListWindow {
 public:
  // `class_keys`: where the class database is looked for, in order (the
  // table must outlive the window).
  explicit DevicesWindow(const ui::Theme& theme, std::span<const std::wstring_view> class_keys = kDeviceClassKeys);

  // View, Refresh (F5, and every showing): lists the drivers again. A value
  // that is not text stops it: the rows read before it are shown, the count
  // stays the last whole refresh's, and the failure goes on to the error box.
  void Refresh1Click();
  // File, Print (Ctrl+P): the list on a printer, under "Device Info".
  void Print1Click();
  // File, Exit (F12): closes (hides) the window.
  void Exit1Click();

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowSorted(std::vector<std::vector<std::wstring>> rows, bool complete);

  std::span<const std::wstring_view> class_keys_;
};

}  // namespace corvane::inventory
