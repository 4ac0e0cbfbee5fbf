// Small helpers shared by the storage windows.
#pragma once
#include <cstring>
#include <exception>
#include <string>

#include "platform/wmi_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

// The application-wide hourglass for the life of the object; puts back
// whatever was shown before, so nested long operations keep it up.
class Hourglass {
 public:
  Hourglass() : was_busy_(ui::IsBusy()) { ui::SetBusyCursor(true); }
  ~Hourglass() { ui::SetBusyCursor(was_busy_); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  bool was_busy_;
};

// The text of a failure for the standard error box: a WMI failure's own
// wide message, otherwise what() taken byte for byte.
inline std::wstring FailureText(const std::exception& e) {
  if (const auto* wmi = dynamic_cast<const platform::WmiError*>(&e)) return wmi->message();
  const char* what = e.what();
  return std::wstring(what, what + std::strlen(what));
}

}  // namespace corvane::storage
