// TfrmUSB, "USB": the USB host-controller and USB-storage counts, and the
// tree of HID devices with their collections and capabilities. The tree is
// rebuilt on every device change from start-up on, whether or not the
// window is visible; showing the window refreshes only the counts.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/sheet_win.h"
#include "ui/window_win.h"
#include "usb/hid_listener_win.h"
#include "usb/usb_view.h"

namespace corvane::usb {

class UsbWindow : public ui::Window {
 public:
  UsbWindow(const ui::Theme& theme, ui::FindWindowFn find_window);

  // View, Refresh (and every showing): the two counts.
  void Refresh1Click();
  // "USB Drives" (and the web address below): the USB drives window.
  void Button1Click();
  void QuickPrint1Click();
  void Close1Click();

  // The device controller's events: the device set changed; one device of a walk.
  void HidCtlDeviceChange();
  bool HidCtlEnumerate(TJvHidDevice& device, int index);

  const UsbWindowModel& model() const { return model_; }
  // The counts, and the device tree walked again: through the window's own
  // device controller once it is built, else through one made for the walk.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ReadCounts();
  // Every device of the controller's list, under the tree's root.
  ui::TreeNode WalkDevices(TJvHidDeviceController& controller);

  ui::FindWindowFn find_window_;
  ui::DetailSheet sheet_;
  HWND caption_ = nullptr;
  HWND tree_ = nullptr;
  HWND button_ = nullptr;
  HWND link_ = nullptr;
  UsbWindowModel model_;
  ui::TreeNode* walking_ = nullptr;  // the tree a walk adds devices to
  std::unique_ptr<HidListener> HidCtl;
};

}  // namespace corvane::usb
