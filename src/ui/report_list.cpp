#include "ui/report_list.h"

#include <algorithm>

namespace corvane::ui {

void SortByCaption(ReportList& list, const TextCompare& compare) {
  static const std::wstring kEmpty;
  auto caption = [](const std::vector<std::wstring>& row) -> const std::wstring& {
    return row.empty() ? kEmpty : row.front();
  };
  std::stable_sort(list.rows.begin(), list.rows.end(), [&](const auto& a, const auto& b) {
    return compare(caption(a), caption(b)) < 0;
  });
}

std::wstring CountText(std::size_t rows) { return L"Count: " + std::to_wstring(rows); }

}  // namespace corvane::ui
