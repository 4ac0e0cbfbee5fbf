// TfrmUserList, "User List": the domain or workgroup this machine belongs
// to and the accounts enumerated there. The enumeration may wait for a
// server, so it runs in the background. Closing hides it, every showing
// refreshes it.
#pragma once
#include <windows.h>

#include <optional>

#include "network/user_list_view.h"
#include "ui/background_job_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::network {

class UserListWindow : public ui::Window {
 public:
  explicit UserListWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): starts reading the name and the
  // accounts; both are shown when the reading ends.
  void Refresh1Click();
  void Print1Click();
  void Exit1Click();

  const UserListModel& model() const { return model_; }
  bool reading() const { return job_.running(); }
  // Reads the name and the accounts (or takes the reading under way),
  // waiting for it up to the report's bound; a reading asked to stop gives
  // the accounts read so far.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnClose() override;

 private:
  void ShowModel();
  static UserListModel Read(std::stop_token stop);

  ui::DetailSheet sheet_;
  HWND accounts_ = nullptr;
  HWND link_ = nullptr;
  UserListModel model_;
  ui::BackgroundJob<UserListModel> job_;
  std::optional<ui::BusyCursor> busy_;
};

}  // namespace corvane::network
