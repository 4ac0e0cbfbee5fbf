#include "usb/hid_listener_win.h"

#include <dbt.h>

#include "usb/hid_source_win.h"

namespace corvane::usb {

HidListener::HidListener() : controller_(MakeSystemHidSource()) {
  if (!controller_.HasLibraries()) return;
  window_ = std::make_unique<ui::HiddenWindow>([this](UINT msg, WPARAM wp, LPARAM lp) { return OnMessage(msg, wp, lp); });
  window_->Post(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, static_cast<LPARAM>(TJvHidDeviceController::kFirstChange));
}

bool HidListener::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DEVICECHANGE && wp == DBT_DEVNODES_CHANGED) controller_.DevicesChanged(static_cast<std::intptr_t>(lp));
  return false;  // every message still goes to the default handling
}

}  // namespace corvane::usb
