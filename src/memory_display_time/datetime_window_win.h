// TfrmDateTime, "Time and Date": the current time (every second), the date,
// the time zone with its daylight-saving settings, the uptime and the time
// of day the system started. Closing hides it; every showing refreshes it.
#pragma once
#include <windows.h>

#include "memory_display_time/datetime_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::memory_display_time {

class DateTimeWindow : public ui::Window {
 public:
  explicit DateTimeWindow(const ui::Theme& theme);

  // Every showing: the date, the zone rows and the boot time, and the
  // timer's rows at once.
  void FormShow();
  // Every second: the time and the uptime.
  void Timer1Timer();

  const DateTimeModel& model() const { return model_; }
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowModel();

  ui::DetailSheet sheet_;
  HWND web_address_ = nullptr;
  DateTimeModel model_;
};

}  // namespace corvane::memory_display_time
