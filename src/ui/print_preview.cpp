#include "ui/print_preview.h"

#include <algorithm>
#include <array>

namespace corvane::ui {
namespace {

constexpr std::array<int, 8> kSteps = {25, 50, 75, 100, 150, 200, 300, 400};

}  // namespace

int ZoomIn(int percent) {
  for (int step : kSteps)
    if (step > percent) return step;
  return std::max(percent, kSteps.back());
}

int ZoomOut(int percent) {
  for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
    if (*it < percent) return *it;
  return std::min(percent, kSteps.front());
}

PreviewSize PageOnScreen(int paper_width, int paper_height, int percent, int dpi) {
  const auto scale = [&](int units) {
    return static_cast<int>(static_cast<long long>(units) * dpi * percent / (96LL * 100));
  };
  return {scale(paper_width), scale(paper_height)};
}

int FitZoom(int paper_width, int paper_height, int view_width, int view_height, int dpi) {
  if (paper_width <= 0 || paper_height <= 0 || dpi <= 0) return 100;
  const long long room_x = std::max(0, view_width - 2 * kPreviewGap);
  const long long room_y = std::max(0, view_height - 2 * kPreviewGap);
  const long long by_width = room_x * 96 * 100 / (static_cast<long long>(paper_width) * dpi);
  const long long by_height = room_y * 96 * 100 / (static_cast<long long>(paper_height) * dpi);
  return static_cast<int>(std::clamp<long long>(std::min(by_width, by_height), kPreviewMinZoom, kPreviewMaxZoom));
}

PreviewPlace PlacePage(PreviewSize page, int view_width, int view_height, int scroll_x, int scroll_y) {
  PreviewPlace place;
  place.range_x = page.width + 2 * kPreviewGap;
  place.range_y = page.height + 2 * kPreviewGap;
  place.left = place.range_x <= view_width ? (view_width - page.width) / 2 : kPreviewGap - scroll_x;
  place.top = place.range_y <= view_height ? (view_height - page.height) / 2 : kPreviewGap - scroll_y;
  return place;
}

int StepPage(int page, int step, int pages) { return std::clamp(page + step, 0, std::max(pages, 1) - 1); }

std::wstring PageStatusText(int page_index, int pages) {
  return L"Page " + std::to_wstring(page_index + 1) + L" of " + std::to_wstring(pages);
}

std::wstring ZoomStatusText(int percent) { return std::to_wstring(percent) + L"%"; }

}  // namespace corvane::ui
