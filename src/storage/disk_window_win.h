// TfrmDisk, "Drive Information": one fixed volume at a time, with its type,
// universal name, serial number, sizes and "% Used" gauge, cluster figures,
// file-system features, and the identity and SMART health of the physical
// drive behind it. Created once at start-up; closing hides it, and every
// showing reads the drives afresh.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/unique_handle.h"
#include "storage/drive_info.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::storage {

struct IconTraits {
  using Handle = HICON;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = platform::UniqueHandle<IconTraits>;

// A detail sheet whose controls' notifications reach the window holding it
// (the drive list lives in the first row of one).
class ForwardingSheet : public ui::DetailSheet {
 public:
  using ui::DetailSheet::DetailSheet;

 protected:
  void OnCommand(int id, int code, HWND control) override;
};

class DiskWindow : public ui::Window {
 public:
  // `find_window` finds another start-up window by class name, or nullptr.
  using FindWindowFn = std::function<ui::Window*(std::wstring_view class_name)>;
  DiskWindow(const ui::Theme& theme, FindWindowFn find_window);
  bool Create();

  // View, Refresh: rebuilds the drive list and shows its first drive.
  void Refresh1Click();
  // Fills every row for the drive picked in the list.
  void cbDriveChange();
  // The window's shortcut table (File, Exit is F10).

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;

 private:
  void CreateGauge();
  void CreateFlagList();
  void CreateAttributeList();
  void UpdateCdDvdButton();
  void ShowDrive(const DriveView& view, UniqueIcon icon);
  void ShowSmart(const SmartView& view);
  void ShowFlags(const std::vector<FlagItem>& flags);
  void SetVolumeValue(int row, const std::wstring& text);
  void SetSmartValue(int row, const std::wstring& text);
  void cbDriveCloseUp();
  void BitBtn1Click();
  void Print1Click();
  void Exit1Click();
  void Label3Click();
  // Runs a command; a failure that escapes it goes to the standard error box.
  template <class F>
  void Guarded(F&& command);

  FindWindowFn find_window_;
  ForwardingSheet volume_sheet_;
  ForwardingSheet smart_sheet_;
  UniqueIcon icon_;
  RECT gauge_panel_{};
  std::vector<FixedVolume> drives_;  // the drive list's entries, in order
};

}  // namespace corvane::storage
