#include "platform/system_error_text.h"

namespace corvane::platform {

std::wstring SystemErrorText(std::uint32_t code, std::wstring_view system_text) {
  std::wstring text = L"System Error.  Code: " + std::to_wstring(static_cast<std::int32_t>(code)) + L".\r\n";
  text += system_text;
  return text;
}

}  // namespace corvane::platform
