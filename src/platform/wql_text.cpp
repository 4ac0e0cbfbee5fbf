#include "platform/wql_text.h"

namespace corvane::platform {

std::wstring WqlQuoted(std::wstring_view text) {
  const bool single = text.find(L'"') != std::wstring_view::npos && text.find(L'\'') == std::wstring_view::npos;
  const wchar_t quote = single ? L'\'' : L'"';
  std::wstring quoted;
  quoted.reserve(text.size() + 2);
  quoted += quote;
  for (const wchar_t c : text) {
    if (c == L'\\' || c == quote) quoted += L'\\';
    quoted += c;
  }
  quoted += quote;
  return quoted;
}

}  // namespace corvane::platform
