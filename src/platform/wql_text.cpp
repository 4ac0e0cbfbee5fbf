#include "platform/wql_text.h"

namespace corvane::platform {

std::wstring WqlQuoted(std::wstring_view text) {
  std::wstring quoted;
  quoted.reserve(text.size() + 2);
  quoted += L'"';
  for (const wchar_t c : text) {
    if (c == L'\\' || c == L'"') quoted += L'\\';
    quoted += c;
  }
  quoted += L'"';
  return quoted;
}

}  // namespace corvane::platform
