// TfrmBiosInfo, "BIOS Info": the machine's identifier and the dates and
// versions of the system and video BIOS, read afresh on every showing.
// Closing hides it.
#pragma once
#include <windows.h>

#include "inventory/bios_info_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::inventory {

class BiosInfoWindow : public ui::Window {
 public:
  explicit BiosInfoWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): fills the rows. A version that cannot
  // be read ends it with its message; the rows read by then are shown.
  void Refresh1Click();
  // File, Quick Print: an image of the window on the default printer.
  void QuickPrint1Click();
  void Close1Click();

  const BiosInfoModel& model() const { return model_; }

  // The inventory report: reads everything again into the model without
  // building the window, and returns the model as a section.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ui::DetailSheet sheet_;
  HWND link_ = nullptr;
  BiosInfoModel model_;
};

}  // namespace corvane::inventory
