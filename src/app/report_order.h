// The order in which the inventory report reads its sections. The sections
// that show the measured clock (the summary's row 5, the processor's clock
// figures) wait for its half-second sample, which runs on its own thread from
// start-up on; read last, they let every other section be read while it
// runs. The report still lists the sections in the creation order.
#pragma once
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace corvane::app {

inline constexpr std::wstring_view kClockSections[] = {L"TForm1", L"TfrmCPU"};

// Indices into `names`: the sections without the clock in their order, then
// those with it in theirs.
std::vector<std::size_t> ReportReadingOrder(std::span<const std::wstring_view> names);

}  // namespace corvane::app
