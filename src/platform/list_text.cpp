#include "platform/list_text.h"

namespace corvane::platform {

std::wstring Trim(std::wstring_view text) {
  auto blank = [](wchar_t c) { return c <= L' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::wstring(text);
}

std::wstring TidyList(std::wstring_view text) {
  std::wstring s = Trim(text);
  if (s.empty()) return s;
  if (s.back() == L'|') s.pop_back();
  return Trim(s);
}

}  // namespace corvane::platform
