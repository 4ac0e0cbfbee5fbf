// TfrmMeters, "CPU Meters": the processor load as a scrolling history chart,
// a bar and a percentage, sampled once a second. Its timer is off until
// sampling is switched on; from then on sampling goes on whether the window
// is shown or hidden.
#pragma once
#include <windows.h>

#include <string>

#include "cpu/cpu_panels_win.h"
#include "cpu/cpu_window_text.h"
#include "cpu/meters_chart.h"
#include "ui/window_win.h"

namespace corvane::cpu {

class MetersWindow : public ui::Window {
 public:
  explicit MetersWindow(const ui::Theme& theme);
  ~MetersWindow() override;

  // Builds the window (hidden) if need be and switches the timer on;
  // nothing switches it off again.
  void StartSampling();
  bool sampling() const { return timer_on_; }
  // One timer step: a sample, the chart moved on, label and bar set.
  void GetUsage();
  const MetersModel& model() const { return model_; }

 protected:
  // FormCreate: hidden, the chart cleared to its grid, the timer off.
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  MetersModel model_;
  ui::BlackPanel bar_panel_, chart_panel_;
  std::wstring decimal_ = L".";
  bool timer_on_ = false;
};

}  // namespace corvane::cpu
