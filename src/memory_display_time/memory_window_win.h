// TfrmMemory, "Memory": the memory figures of the operating system, the
// memory load as a gauge, and the installed memory modules WMI lists with
// their total. Closing hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include "memory_display_time/memory_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::memory_display_time {

class MemoryWindow : public ui::Window {
 public:
  explicit MemoryWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): reads everything again and shows it.
  void Refresh1Click();
  // File, Quick Print: an image of the window on the default printer.
  void QuickPrint1Click();
  void Close1Click();

  const MemoryWindowModel& model() const { return model_; }
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ReadModel();
  void ShowModel();

  ui::DetailSheet sheet_;
  ui::DetailSheet total_sheet_;  // the one row under the list
  HWND caption_ = nullptr;
  HWND list_ = nullptr;
  HWND link_ = nullptr;
  MemoryWindowModel model_;
};

}  // namespace corvane::memory_display_time
