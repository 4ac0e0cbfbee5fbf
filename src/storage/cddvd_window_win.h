// TfrmCDDVD, "CD / DVD Information": one CD/DVD drive at a time, its own
// identity (INQUIRY), what WMI knows of it and the capabilities it reports,
// with the door commands and the media analysis. Closing hides it, every
// showing refreshes it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "storage/cddvd_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

// What the window shows: the drive list, the entry the rows were read
// for, and the rows and capabilities of that drive.
struct CdDvdWindowModel {
  std::vector<CdDriveEntry> drives;
  std::wstring entry;
  CdDvdDriveView view;
};

class CdDvdWindow : public ui::Window {
 public:
  explicit CdDvdWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): rebuilds the drive list, selects the
  // first drive and fills the rows for it.
  void Refresh1Click();
  // Fills the rows for the drive the list names.
  void cbDriveChange();
  void BitBtn1Click();  // "Eject CD/DVD"
  void Button1Click();  // "Load CD/DVD": closes the tray
  void Button2Click();  // "Eject Default"
  void Button3Click();  // "Analyse Inserted Media"
  void cbDriveSelect();
  void cbDriveLeave();
  void Exit1Click();

  const CdDvdWindowModel& model() const { return model_; }
  // Every drive of the list, read as if picked in turn; the model is left
  // with the first one picked.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ShowView();
  void Tell(const DriveMessage& message);
  std::wstring DriveEntry() const;

  CdDvdWindowModel model_;
  ui::DetailSheet sheet_;
  HWND drives_ = nullptr;
  HWND capability_label_ = nullptr;
  HWND capabilities_ = nullptr;
  HWND link_ = nullptr;
  bool typed_ = false;  // the list's text was edited since the rows were filled
};

}  // namespace corvane::storage
