// The HID device controller on the system: its devices come from SetupAPI
// and the HID library, its refreshes from the system's "device nodes
// changed" broadcast, received by a hidden window. The first refresh is
// posted to that window when the listener is made, so it runs from the
// message loop once the owner has finished building.
#pragma once
#include <memory>

#include "ui/hidden_window_win.h"
#include "usb/hid_controller.h"

namespace corvane::usb {

class HidListener {
 public:
  HidListener();
  HidListener(const HidListener&) = delete;
  HidListener& operator=(const HidListener&) = delete;

  TJvHidDeviceController& controller() { return controller_; }

 private:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp);

  TJvHidDeviceController controller_;
  // Made only where the libraries are: without them no change ever arrives.
  std::unique_ptr<ui::HiddenWindow> window_;
};

}  // namespace corvane::usb
