#include "platform/failure_text_win.h"

#include <cstring>

#include "platform/wmi_win.h"

namespace corvane::platform {

std::wstring FailureText(const std::exception& e) {
  if (const auto* wmi = dynamic_cast<const WmiError*>(&e)) return wmi->message();
  const char* what = e.what();
  std::wstring text;
  for (const char* p = what; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return text;
}

}  // namespace corvane::platform
