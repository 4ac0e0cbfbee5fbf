// TForm1: the main window with the 28-row summary sheet.
#pragma once
#include <windows.h>

#include <string>

#include "app/refresh_pipeline.h"
#include "report/summary.h"
#include "ui/sheet_win.h"
#include "ui/toolbar_win.h"
#include "ui/window_win.h"

namespace corvane::app {

class Application;

class MainWindow : public ui::Window, private RefreshView {
 public:
  explicit MainWindow(Application& app);
  bool Create();

  // The first showing: size, then what the command line asks (refresh, the
  // unattended run, or nothing), then visible.
  void FormShow(int show);
  // "Main System Info" (F5): fills the sheet row by row.
  void Refresh1Click();

  // Commands of the menus and toolbar.
  void Save1Click();
  void CopytoClipboard1Click();
  void QuickPrint1Click();
  void Exit1Click();
  void TransparentBackground1Click();
  void About1Click();
  void CPUInfo1Click();
  void CPUMeters1Click();
  void OpenWebPage();

  const report::SummaryModel& sheet() const { return model_; }
  const std::wstring& version() const { return version_; }

  // The command table drives the menu, the toolbar and their enabled state.
  struct CommandBinding {
    unsigned id;
    const wchar_t* shows;               // a start-up window this command shows, or nullptr
    void (MainWindow::*run)();          // or the handler that carries it out
  };

 protected:
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnResize(int width, int height) override;
  void OnClose() override;
  void OnDestroy() override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetBusy(bool busy) override;
  void RowChanged(int row, bool repaint) override;

  void RunUnattended(const std::wstring& file);
  void UpdateCommandStates();
  bool CommandAvailable(const CommandBinding& binding) const;
  void PaintBands(HDC dc);

  Application& app_;
  std::wstring version_;
  report::SummaryModel model_;
  ui::DetailSheet sheet_;
  ui::Toolbar toolbar_;
  bool transparent_ = false;
  RECT top_band_{}, bottom_band_{};

  friend class Application;
};

}  // namespace corvane::app
