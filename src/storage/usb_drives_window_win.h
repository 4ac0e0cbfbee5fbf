// TfrmUSBDrives, "USB Drives": the disk drives WMI reports on the USB
// interface, one grid row each, counted against all disk drives. Created
// once at start-up; closing hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include "platform/unique_handle.h"
#include "storage/usb_drives.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

class UsbDrivesWindow : public ui::Window {
 public:
  explicit UsbDrivesWindow(const ui::Theme& theme);
  bool Create();

  // View, Refresh (and every showing): asks WMI again and shows the result.
  void Refresh1Click();
  // File, Quick Print: an image of the window on the default printer.
  void QuickPrint1Click();

  // F5 of the window's menu, for a message loop that translates the keys of
  // the active window.

 protected:
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowView(const UsbDrivesView& view);
  LRESULT DrawCapabilityCell(void* custom_draw);

  ui::DetailSheet sheet_;
  HWND caption_ = nullptr;
  HWND grid_ = nullptr;
  HWND link_ = nullptr;
  UsbDrivesView shown_;  // what the grid holds; its capability cells are drawn from here
  bool busy_ = false;
};

}  // namespace corvane::storage
