#include "app/report_order.h"

#include <algorithm>
#include <iterator>

namespace corvane::app {

std::vector<std::size_t> ReportReadingOrder(std::span<const std::wstring_view> names) {
  std::vector<std::size_t> order(names.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto without_clock = [&](std::size_t i) {
    return std::ranges::find(kClockSections, names[i]) == std::end(kClockSections);
  };
  std::ranges::stable_partition(order, without_clock);
  return order;
}

}  // namespace corvane::app
