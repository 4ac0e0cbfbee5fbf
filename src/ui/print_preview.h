// The print preview's arithmetic: zoom steps, the zoom that fits a page in
// view, where the page stands in the view and how far it scrolls, and the
// status texts. Platform-free.
#pragma once
#include <string>

namespace corvane::ui {

inline constexpr int kPreviewMinZoom = 10;   // percent
inline constexpr int kPreviewMaxZoom = 400;
inline constexpr int kPreviewGap = 12;       // screen pixels around the page

// The next step up or down of 25, 50, 75, 100, 150, 200, 300, 400 percent
// from any zoom; the ends stay.
int ZoomIn(int percent);
int ZoomOut(int percent);

// A page of `paper_width` by `paper_height` (1/96 inch) shown at `percent`
// on a screen of `dpi`, in screen pixels.
struct PreviewSize {
  int width = 0, height = 0;
  friend bool operator==(const PreviewSize&, const PreviewSize&) = default;
};
PreviewSize PageOnScreen(int paper_width, int paper_height, int percent, int dpi);

// The largest whole percent (within the limits) at which the page and the
// gap around it fit the view.
int FitZoom(int paper_width, int paper_height, int view_width, int view_height, int dpi);

// Where the page's top left corner stands in a view scrolled to
// (scroll_x, scroll_y): centred while it is narrower (or lower) than the
// view, else at the gap less the scroll. The scroll ranges are the page
// and its gaps.
struct PreviewPlace {
  int left = 0, top = 0;
  int range_x = 0, range_y = 0;  // the content's size: scroll bars from 0 to it
  friend bool operator==(const PreviewPlace&, const PreviewPlace&) = default;
};
PreviewPlace PlacePage(PreviewSize page, int view_width, int view_height, int scroll_x, int scroll_y);

// The page shown after a step, kept within 0 .. pages - 1.
int StepPage(int page, int step, int pages);

// "Page 2 of 3"; "100%".
std::wstring PageStatusText(int page_index, int pages);
std::wstring ZoomStatusText(int percent);

}  // namespace corvane::ui
