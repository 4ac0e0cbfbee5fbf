// TfrmCDDVD, "CD / DVD Information": one CD/DVD drive at a time, its own
// identity (INQUIRY), what WMI knows of it and the capabilities it reports,
// with the door commands and the media analysis. Created once at start-up;
// closing hides it, every showing refreshes it.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/unique_handle.h"
#include "storage/cddvd_view.h"
#include "ui/window_win.h"

namespace corvane::storage {

class CdDvdSheet;

class CdDvdWindow : public ui::Window {
 public:
  explicit CdDvdWindow(const ui::Theme& theme);
  ~CdDvdWindow() override;
  bool Create();

  // View, Refresh (and every showing): rebuilds the drive list, selects the
  // first drive and fills the rows for it.
  void Refresh1Click();
  // Fills the rows for the drive the list names.
  void cbDriveChange();
  void BitBtn1Click();  // "Eject CD/DVD"
  void Button1Click();  // "Load CD/DVD": closes the tray
  void Button2Click();  // "Eject Default"
  void Button3Click();  // "Analyse Inserted Media"

  // F5 and F12 of the window's menu, for a message loop that translates the
  // keys of the active window.

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  using Handler = void (CdDvdWindow::*)();
  // Runs a command unless one is under way. The readiness wait and message
  // boxes let messages run, so a click or a showing can arrive meanwhile; the
  // last one is kept and sent again once the running command has ended.
  void Run(Handler handler, int id, int code, HWND control);
  void ShowView(const CdDvdDriveView& view);
  void Tell(const DriveMessage& message);
  std::wstring DriveEntry() const;
  void OpenWebPage();

  std::unique_ptr<CdDvdSheet> sheet_;
  HWND drives_ = nullptr;
  HWND capability_label_ = nullptr;
  HWND capabilities_ = nullptr;
  HWND link_ = nullptr;
  bool busy_ = false;
  bool typed_ = false;  // the list's text was edited since the rows were filled
  struct Pending {
    int id;
    int code;
    HWND control;
  };
  std::optional<Pending> pending_;
};

}  // namespace corvane::storage
