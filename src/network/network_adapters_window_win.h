// TfrmNetworkAdapters, "Network Adapters": the TCP/IP configuration of one
// network adapter at a time, picked from a drop-down of every adapter WMI
// knows. Closing hides it, every showing refreshes the list.
#pragma once
#include <windows.h>

#include "network/adapters_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::network {

class NetworkAdaptersWindow : public ui::Window {
 public:
  explicit NetworkAdaptersWindow(const ui::Theme& theme);

  // Every showing: fills the list, selects its first entry and shows it.
  void FormShow();
  // The list's text changed (an entry picked, or typed): shows the adapter
  // of that name; a name no adapter has leaves the rows as they are.
  void ComboBox1Change();
  void ComboBox1Select();

  const NetworkAdaptersModel& model() const { return model_; }
  // Every adapter of the list, read as if picked in turn; the model is left
  // with the first one picked.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ui::DetailSheet sheet_;
  HWND adapters_ = nullptr;
  HWND link_ = nullptr;
  NetworkAdaptersModel model_;
};

}  // namespace corvane::network
