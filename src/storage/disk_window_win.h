// TfrmDisk, "Drive Information": one fixed volume at a time, with its type,
// universal name, serial number, sizes and "% Used" gauge, cluster figures,
// file-system features, and the identity and SMART health of the physical
// drive behind it. Closing hides it, and every showing reads the drives
// afresh.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "platform/unique_handle.h"
#include "storage/drive_info.h"
#include "storage/nvme_transport_win.h"
#include "ui/check_list_win.h"
#include "ui/panel_win.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

class DiskWindow : public ui::Window {
 public:
  // `find_window` finds another window of the creation list by class name, or nullptr.
  // `nvme` reads the health of NVMe disks (tests give a scripted one).
  using FindWindowFn = ui::FindWindowFn;
  DiskWindow(const ui::Theme& theme, FindWindowFn find_window,
             std::unique_ptr<NvmeTransport> nvme = std::make_unique<Win32NvmeTransport>());

  // View, Refresh: rebuilds the drive list and shows its first drive.
  void Refresh1Click();
  // Reads the drive picked in the list into the model, and shows it.
  void cbDriveChange();
  void cbDriveCloseUp();
  void BitBtn1Click();
  void Print1Click();
  void Exit1Click();

  // What the window shows, kept after each reading.
  const DiskWindowModel& model() const { return model_; }
  // Every drive of the list, read as if picked in turn; the model is left
  // with the first one picked.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnResize(int width, int height) override;

 private:
  void CreateAttributeList();
  void ShowModel(platform::UniqueIcon icon);

  FindWindowFn find_window_;
  std::unique_ptr<NvmeTransport> nvme_;
  DiskWindowModel model_;
  ui::DetailSheet volume_sheet_;
  ui::DetailSheet smart_sheet_;
  ui::Gauge gauge_;
  ui::CheckList flags_;
  platform::UniqueIcon icon_;
};

}  // namespace corvane::storage
