// TfrmDisplay, "Display": the display adapters with their chip, DAC, memory
// and state flags, the video BIOS, the screen's capabilities, the monitors
// and the driver version. Closing hides it; every showing starts from fresh
// lists and reads everything again.
#pragma once
#include <windows.h>

#include "memory_display_time/display_view.h"
#include "ui/check_list_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::memory_display_time {

class DisplayWindow : public ui::Window {
 public:
  // `find_window` finds the main window, whose device context gives the
  // refresh rate and driver version.
  DisplayWindow(const ui::Theme& theme, ui::FindWindowFn find_window);

  // Every showing: empty lists, then a refresh.
  void FormShow();
  // View, Refresh: reads everything and shows the first entry of the list.
  void Refresh1Click();
  // The adapter update for the entry picked in the drop-down list.
  void cbDisplayChange();
  void Print1Click();
  void Close1Click();

  const DisplayWindowModel& model() const { return model_; }
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnResize(int width, int height) override;

 private:
  // Reads everything into the model; why listing the adapters failed, if it did.
  std::optional<std::wstring> ReadModel();
  void ShowEntries();
  void ShowModel();

  ui::FindWindowFn find_window_;
  ui::DetailSheet sheet_;
  ui::CheckList flags_;
  HWND caption_ = nullptr;
  HWND link_ = nullptr;
  DisplayWindowModel model_;
};

}  // namespace corvane::memory_display_time
