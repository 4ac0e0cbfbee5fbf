#include "cpu/meters_window_win.h"

#include "cpu/cpu_window_ids.h"
#include "cpu/system_times_win.h"
#include "platform/locale_win.h"

namespace corvane::cpu {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 1000;

constexpr int kMargin = 8;
constexpr int kPanelY = 48;
constexpr int kBarPanelWidth = 36, kBarHeight = 100;
constexpr int kChartBorder = 2;
constexpr int kChartX = kMargin + kBarPanelWidth + kMargin;
constexpr int kChartPanelWidth = MetersChart::kWidth + 2 * kChartBorder;
constexpr int kChartPanelHeight = MetersChart::kHeight + 2 * kChartBorder;
constexpr int kPercentY = kPanelY + kChartPanelHeight + 6;
constexpr int kWebY = kPercentY + 22;
constexpr int kClientWidth = kChartX + kChartPanelWidth + kMargin;
constexpr int kClientHeight = kWebY + 16 + kMargin;
using namespace meters_ids;

constexpr ui::MenuItem kViewItems[] = {{L"Refresh", kCmdRefresh}};
constexpr ui::Menu kMenus[] = {{L"&File", {}}, {L"&View", kViewItems}};

}  // namespace

MetersWindow::MetersWindow(const ui::Theme& theme) : ui::Window(theme), bar_panel_(theme), chart_panel_(theme) {}

MetersWindow::~MetersWindow() {
  if (timer_on_ && hwnd()) KillTimer(hwnd(), kTimerId);
}

bool MetersWindow::Build() {
  // A fixed single border with only the minimise and close buttons.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD ex_style = WS_EX_TOPMOST;
  ui::CreateParams p{L"TfrmMeters", L"CPU Meters"};
  p.style = style;
  p.ex_style = ex_style;
  p.client_width = kClientWidth;
  p.client_height = kClientHeight;
  p.menus = kMenus;
  p.background = theme().white_brush();
  if (!ui::Window::Create(p)) return false;
  decimal_ = platform::ReadDecimalSeparator();

  AddControl(L"Label1", kIdHeading, L"STATIC", L"CPU usage and history", WS_VISIBLE, kMargin, 6, 300, 18, 0,
             theme().bold());
  AddControl(L"Label2", kIdNote, L"STATIC", L"Note: This does not currently work on Windows 7, 64bit.", WS_VISIBLE,
             kMargin, 26, 400, 16);
  bar_panel_.Create(hwnd(), kIdBarPanel, {kMargin, kPanelY, kMargin + kBarPanelWidth, kPanelY + kChartPanelHeight});
  bar_panel_.AddVerticalBar(L"ProgressBar1", kIdBar, 8, kChartBorder, kBarPanelWidth - 16, kBarHeight,
                            model_.bar());
  AdoptControls(bar_panel_);
  chart_panel_.Create(hwnd(), kIdChartPanel, {kChartX, kPanelY, kChartX + kChartPanelWidth, kPanelY + kChartPanelHeight},
                      [this](HDC dc) { PaintPixels(dc, model_.chart().image(), chart_panel_.dpi(), kChartBorder, kChartBorder); });
  FileControl(L"Image1", kIdChartPanel, chart_panel_.hwnd());
  AddControl(L"lblPercent", kIdPercent, L"STATIC", model_.label(), WS_VISIBLE, kMargin, kPercentY, 120, 18, 0,
             theme().bold());
  AddWebLink(L"StaticText1", kIdWebAddress, kMargin, kWebY, LinkKind::kPlainText);
  return true;
}

void MetersWindow::StartSampling() {
  if (!timer_on_ && EnsureBuilt()) timer_on_ = SetTimer(hwnd(), kTimerId, kTimerInterval, nullptr) != 0;
}

void MetersWindow::GetUsage() {
  std::optional<SystemTimes> reading;
  try {
    reading = ReadSystemTimes();
  } catch (...) {
    // No load can be read here: the chart draws zero, as for a failed query.
  }
  model_.Tick(reading, decimal_);
  SetWindowTextW(Control(L"lblPercent"), model_.label().c_str());
  SendMessageW(Control(L"ProgressBar1"), PBM_SETPOS, static_cast<WPARAM>(model_.bar()), 0);
  InvalidateRect(chart_panel_.hwnd(), nullptr, FALSE);
}

LRESULT MetersWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kTimerId) {
    try {
      GetUsage();
    } catch (...) {
      // A failed step is skipped; the next second tries again.
    }
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::cpu
