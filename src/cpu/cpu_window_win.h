// TfrmCPU, "CPU Info": the processor's identification and WMI description
// as a 19-row sheet, a live usage gauge, the measured clock and the running
// time-stamp counter in digit images, and the feature check list. Made for
// each showing and destroyed afterwards; its timer runs while it exists.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cpu/clock_sampler.h"
#include "cpu/cpu_panels_win.h"
#include "cpu/cpu_window_text.h"
#include "ui/panel_win.h"
#include "ui/scroller_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::cpu {

class MetersWindow;

// The sheet with the value cells on the tooltip colour. The page scrolls as
// a whole, so the wheel goes up to it.
class CpuSheet : public ui::DetailSheet {
 public:
  using ui::DetailSheet::DetailSheet;

 protected:
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

class CpuWindow : public ui::Window {
 public:
  // `meters` is the meters window that "Show CPU Meter" opens, or nullptr.
  CpuWindow(const ui::Theme& theme, HWND owner, MetersWindow* meters);
  ~CpuWindow() override;

  void Refresh1Click();    // View, Refresh
  void CPUSpeed1Click();   // View, CPU Speed: one clock measurement into the display
  void BitBtn1Click();     // "Show CPU Meter"
  void Print1Click();      // File, Print
  void Exit1Click();
  void Timer1Timer();      // usage, clock, counter
  bool timer_enabled() const { return timer_on_; }

  // The rows, the features and one reading of the live displays (the usage
  // over a clock measurement), without building the window.
  std::optional<ui::ReportSection> RefreshForReport() override;

  // For an inventory report that has measured the clock already: its reading
  // takes the clock figures from `clock` (the same sample, so the report's two
  // figures agree and the run waits for one sample), and the usage covers the
  // time from this call to the reading, in place of a half second of its own.
  using ClockSource = std::function<std::optional<ClockSample>()>;
  void ShareClockSample(ClockSource clock);

  const CpuRowTexts& rows() const { return rows_; }
  const CpuDisplays& displays() const { return displays_; }

 protected:
  // FormCreate: the window and its controls, hidden, with the timer on.
  bool Build() override;
  void OnResize(int width, int height) override;
  void OnClose() override;
  // FormShow: refresh, then the page scrolled to the top.
  void OnModalShown() override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetTimerEnabled(bool on);
  // The identification, the first WMI pass and the feature list, into rows_
  // and features_.
  void ReadIdentification();
  void MeasureSpeed();
  // A clock measurement into displays_; false when there is none.
  bool ReadSpeed(const std::optional<ClockSample>& sample);
  void SecondWmiPass();
  void ShowRows();
  void ShowFeatures();
  void ShowUsage();
  void ShowDigits(ui::BlackPanel& panel, const std::wstring& digits);
  void DrawFeature(const DRAWITEMSTRUCT& item);

  HWND owner_;
  MetersWindow* meters_;
  CpuSheet sheet_;
  ui::Gauge usage_panel_;
  ui::BlackPanel speed_panel_, counter_panel_;
  ui::VerticalScroller scroller_;
  DigitImages digits_;
  std::wstring decimal_ = L".";
  bool has_counter_ = false;
  bool timer_on_ = false;
  ClockSource shared_clock_;

  CpuRowTexts rows_;
  std::vector<FeatureItem> features_;
  CpuDisplays displays_;
};

}  // namespace corvane::cpu
