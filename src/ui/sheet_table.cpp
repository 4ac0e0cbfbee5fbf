#include "ui/sheet_table.h"

namespace corvane::ui {

std::wstring JoinLines(std::span<const std::wstring> lines) {
  std::wstring text;
  for (const auto& line : lines) {
    if (&line != lines.data()) text += L"\r\n";
    text += line;
  }
  return text;
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(L"\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::wstring_view::npos) break;
    const std::size_t next = text.compare(end, 2, L"\r\n") == 0 ? end + 2 : end + 1;
    text.remove_prefix(next);
  }
  return lines;
}

}  // namespace corvane::ui
