// TfrmUSBDrives, "USB Drives": the disk drives WMI reports on the USB
// interface, one grid row each, counted against all disk drives. Closing
// hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include "storage/disk_drives_win.h"
#include "storage/usb_drives.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

class UsbDrivesWindow : public ui::Window {
 public:
  explicit UsbDrivesWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): asks WMI again and shows the result.
  void Refresh1Click();
  // File, Quick Print: an image of the window on the default printer.
  void QuickPrint1Click();
  void Close1Click();

  // What the grid and the counts show.
  const UsbDrivesView& model() const { return model_; }
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  DiskDriveReading ReadModel();
  void ShowModel();
  LRESULT DrawCapabilityCell(void* custom_draw);

  ui::DetailSheet sheet_;
  HWND caption_ = nullptr;
  HWND grid_ = nullptr;
  HWND link_ = nullptr;
  UsbDrivesView model_;  // its capability cells are drawn from here
};

}  // namespace corvane::storage
