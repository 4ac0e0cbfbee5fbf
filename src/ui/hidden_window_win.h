// A hidden window that hands its messages to a callback: the receiver for
// components that live off the system's broadcasts and their own posted
// messages. It is top-level, never shown, because broadcasts such as
// WM_DEVICECHANGE reach top-level windows only (a message-only window
// misses them).
#pragma once
#include <windows.h>

#include <functional>

#include "platform/unique_handle.h"

namespace corvane::ui {

class HiddenWindow {
 public:
  // Called for every message; the default handling follows unless it
  // returns true. A failure that escapes it goes to the standard error box.
  using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp)>;

  explicit HiddenWindow(Handler handler);
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  explicit operator bool() const { return static_cast<bool>(window_); }
  bool Post(UINT msg, WPARAM wp, LPARAM lp) const { return window_ && PostMessageW(window_.get(), msg, wp, lp); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  Handler handler_;
  platform::UniqueHandle<platform::WindowTraits> window_;
};

}  // namespace corvane::ui
