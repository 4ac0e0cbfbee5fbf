// TfrmInternet, "Internet": the online state, the built-in browser's
// settings, favourites, typed addresses and flags, the Flash control and the
// browsers found. Fixed size; closing hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include "network/internet_view.h"
#include "ui/check_list_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::network {

class InternetWindow : public ui::Window {
 public:
  explicit InternetWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): reads everything again.
  void Refresh1Click();
  // File, Exit: hides the window.
  void Exit1Click();

  const InternetWindowModel& model() const { return model_; }
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowModel();

  ui::DetailSheet sheet_;
  HWND browsers_ = nullptr;
  HWND typed_urls_ = nullptr;
  HWND favourites_ = nullptr;
  ui::CheckList flags_;
  InternetWindowModel model_;
};

}  // namespace corvane::network
