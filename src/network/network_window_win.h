// TfrmNetwork, "Network": how this machine stands on the network (names,
// addresses, rights, adapters, shares, mapped drives, domain), with the
// buttons that lead on to the adapter, user and computer windows and to
// the system's network connections. Closing hides it, every showing
// refreshes it.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "network/network_view.h"
#include "ui/background_job_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::network {

class NetworkWindow : public ui::Window {
 public:
  NetworkWindow(const ui::Theme& theme, ui::FindWindowFn find_window);

  // View, Refresh (and every showing): fills every row. The account's
  // domain, the workgroup and the description come from a look-up that may
  // wait for a domain controller: it runs in the background and its rows
  // are filled when it ends.
  void Refresh1Click();
  void Button1Click();  // "Network Adapters"
  void Button2Click();  // "Configure Adapters": the system's network connections
  void Button3Click();  // "User List"
  void Button4Click();  // "Computers"
  // "Map Network Drive": the system's dialog, then the drives row again.
  void MapDriveClick();
  void Print1Click();
  void Exit1Click();

  const NetworkWindowModel& model() const { return model_; }
  // Every row; the account's look-up is waited for up to the report's bound
  // (its three rows stay empty when it has not ended by then).
  std::optional<ui::ReportSection> RefreshForReport() override;
  // A look-up of the account's domain is still running.
  bool looking_up() const { return lookup_.running(); }

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnClose() override;

 private:
  struct AccountTexts {
    std::wstring domain, workgroup, description;
  };
  using RowRead = std::function<void(NetworkRow)>;
  // The rows up to the adapters, each handed to `read` once it is in the
  // model; the IP helper's answer for the adapter list.
  std::uint32_t ReadFirstRows(const RowRead& read);
  // The shares and the mapped drives.
  void ReadLastRows(const RowRead& read);
  void ShowRow(NetworkRow row, bool repaint);
  void StartAccountLookUp();
  static AccountTexts LookUpAccount(std::stop_token);
  void ShowWindowOf(const wchar_t* class_name);

  ui::FindWindowFn find_window_;
  ui::DetailSheet sheet_;
  HWND link_ = nullptr;
  NetworkWindowModel model_;
  ui::BackgroundJob<AccountTexts> lookup_;
  std::optional<ui::BusyCursor> lookup_busy_;  // the hourglass while the look-up runs
};

}  // namespace corvane::network
