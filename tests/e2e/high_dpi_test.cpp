// The main window on a 150 % screen: with the screen at 144 DPI (the value
// Wine reads when a process starts) every control the kit placed is 1.5
// times the size and distance it has at 96 DPI, within a pixel of rounding,
// and the window itself is 1.5 times as wide. Each resolution gets its own
// process; the screen goes back to 96 DPI before the other tests run.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/main_layout.h"
#include "app/main_window_ids.h"
#include "e2e/harness.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

// For its life, this thread sees other processes' windows in their own
// pixels: a thread that is not per-monitor aware gets them scaled back to
// its own DPI. The thread's awareness comes back afterwards.
class OwnPixels {
 public:
  OwnPixels() {
    if (!set_) return;
    old_ = set_(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // per monitor v2
    if (!old_) old_ = set_(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)));  // per monitor
  }
  ~OwnPixels() {
    if (old_) set_(old_);
  }
  OwnPixels(const OwnPixels&) = delete;
  OwnPixels& operator=(const OwnPixels&) = delete;
  bool ok() const { return old_ != nullptr; }

 private:
  using SetContextFn = HANDLE(WINAPI*)(HANDLE);
  const SetContextFn set_ = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  HANDLE old_ = nullptr;
};

// A control's rectangle relative to the client area of `parent`.
RECT RelativeTo(HWND parent, HWND control) {
  RECT r = WindowRect(control);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct Layout {
  RECT outer{};
  std::map<int, RECT> cells;  // the summary cells, relative to the sheet
  std::map<int, RECT> feet;   // the legend and the link, relative to the window
  RECT sheet{};               // relative to the window
};

std::optional<Layout> MeasureMainWindow() {
  CorvaneProcess app({L"/norefresh"});
  if (!app.started() || !app.WaitForMainWindow()) {
    ADD_FAILURE() << "no main window";
    return std::nullopt;
  }
  HWND main = app.main_window();
  HWND sheet = app.Control(app::kIdSheet);
  if (!sheet) {
    ADD_FAILURE() << "no summary sheet";
    return std::nullopt;
  }
  Layout l;
  l.outer = WindowRect(main);
  l.sheet = RelativeTo(main, sheet);
  for (int row = 1; row <= app::kRowCount; ++row) {
    for (const int id : {app::DescId(row), app::InfoId(row)}) {
      if (HWND cell = app.Control(id)) l.cells[id] = RelativeTo(sheet, cell);
    }
  }
  for (const int id : {app::kIdLegendStar, app::kIdLegend, app::kIdLinkLabel}) {
    if (HWND c = app.Control(id)) l.feet[id] = RelativeTo(main, c);
  }
  return l;
}

// An edge at 96 DPI and the same edge at 144: half as far again, give or
// take the pixel that rounding may add.
void ExpectEdge(int at96, int at144, const std::string& what) {
  EXPECT_NEAR(at144, at96 * 3 / 2.0, 1.0) << what << " (at 96 DPI: " << at96 << ")";
}

void ExpectScaled(const RECT& at96, const RECT& at144, const std::string& what) {
  ExpectEdge(at96.left, at144.left, what + " left");
  ExpectEdge(at96.top, at144.top, what + " top");
  ExpectEdge(at96.right, at144.right, what + " right");
  ExpectEdge(at96.bottom, at144.bottom, what + " bottom");
}

TEST(HighDpi, MainWindowIsLaidOutOneAndAHalfTimesAsLarge) {
  const OwnPixels own_pixels;
  ASSERT_TRUE(own_pixels.ok()) << "the system has no per-monitor awareness for this thread";
  const std::optional<Layout> at96 = MeasureMainWindow();
  ASSERT_TRUE(at96);
  ASSERT_EQ(Width(at96->outer), app::kMainDefaultWidth) << "the other tests' screen is at 96 DPI";

  std::optional<Layout> at144;
  {
    const test_support::SeededValue dpi(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                                        {144, 0, 0, 0});
    at144 = MeasureMainWindow();
  }  // back to 96 for the tests that follow
  ASSERT_TRUE(at144);

  EXPECT_NEAR(Width(at144->outer), app::kMainDefaultWidth * 3 / 2, 1) << "the window is 1.5 times as wide";
  ASSERT_EQ(at144->cells.size(), at96->cells.size());
  ASSERT_EQ(at96->cells.size(), static_cast<size_t>(2 * app::kRowCount)) << "every label and value cell";
  for (const auto& [id, box] : at96->cells) {
    ExpectScaled(box, at144->cells.at(id), "cell " + std::to_string(id));
  }
  // The sheet spans the client area, whose width is the window's less a
  // frame the system draws (not scaled exactly by half again), so only its
  // left edge is compared. The feet keep their left edges and sizes (their
  // height above the bottom follows the window's height, which on this
  // small screen is not the same in logical units).
  ExpectEdge(at96->sheet.left, at144->sheet.left, "sheet left");
  ASSERT_EQ(at96->feet.size(), 3u);
  for (const auto& [id, box] : at96->feet) {
    const RECT& big = at144->feet.at(id);
    ExpectEdge(box.left, big.left, "foot " + std::to_string(id) + " left");
    ExpectEdge(box.right, big.right, "foot " + std::to_string(id) + " right");
    ExpectEdge(Height(box), Height(big), "foot " + std::to_string(id) + " height");
  }

  // And the screen is at 96 again for a process started now.
  const std::optional<Layout> again = MeasureMainWindow();
  ASSERT_TRUE(again);
  EXPECT_EQ(Width(again->outer), app::kMainDefaultWidth);
}

}  // namespace
}  // namespace corvane::e2e
