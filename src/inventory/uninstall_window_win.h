// TfrmUnistall, "Application Install / Uninstall Information": the
// applications registered for uninstalling on this machine (both registry
// views on 64-bit Windows) and for the current user, one row per entry,
// with commands on the selected row (run its uninstaller, open its links
// and folders, delete a stray entry), each acting where the row was read.
// Opens maximised; every showing refreshes it. Closing hides it.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "inventory/app_actions_win.h"
#include "inventory/installed_apps.h"
#include "ui/report_list_window_win.h"

namespace corvane::inventory {

class UninstallWindow : public ui::ReportListWindow {
 public:
  // Reads `sources` (the system's when empty).
  explicit UninstallWindow(const ui::Theme& theme, std::unique_ptr<AppActions> actions = MakeSystemAppActions(),
                           std::vector<UninstallSource> sources = {});

  // View, Refresh (and every showing): the entries, counted, then sorted by
  // name. A value that is no text stops it: the rows read until then are
  // shown, the count and the order are left as the last whole refresh made
  // them, and the failure goes on to the error box.
  void Refresh1Click();
  void Sort1Click();
  void Print1Click();
  void Exit1Click();
  // View, Toolbar: shows or hides the toolbar; its check mark follows.
  void Toolbar1Click();
  // Commands on the selected row; without one they do nothing.
  void Uninstall1Click();
  void BrowseHelpLink1Click();
  void OpenInstallLocation1Click();
  void OpenInstallSource1Click();
  void ViewReadme1Click();
  void DeleteEntry1Click();

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OpenCell(std::size_t column);
  // The source of the selected row; nullptr without one.
  const UninstallSource* SelectedSource() const;
  // Shows the rows, in name order once the list has been sorted.
  void ShowApps(std::vector<AppRow> rows, bool complete);

  std::unique_ptr<AppActions> actions_;
  std::vector<UninstallSource> sources_;
  // Once sorted (by a whole refresh or View, Sort) the list stays so:
  // later rows are shown in name order, even those of a refresh that failed.
  bool sorted_ = false;
};

}  // namespace corvane::inventory
