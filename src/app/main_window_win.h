// TForm1: the main window with the 28-row summary sheet.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/refresh_pipeline.h"
#include "report/summary.h"
#include "report/summary_reports.h"
#include "shortcuts/launcher_win.h"
#include "shortcuts/microphone_win.h"
#include "shortcuts/tool_actions_win.h"
#include "ui/sheet_win.h"
#include "ui/toolbar_win.h"
#include "ui/window_win.h"

namespace corvane::app {

class Application;

class MainWindow : public ui::Window, private RefreshView {
 public:
  explicit MainWindow(Application& app);

  // The first showing: size, then the refresh when the command line asks
  // for it, then visible.
  void FormShow(int show, const StartupAction& action);
  // Builds the windows that run from start-up (Application::BuildStartupWindows)
  // once this window has painted, from the message loop.
  void BuildStartupWindowsWhenPainted();
  // The unattended run: fills the model without building any window, writes
  // it to `file` and gives the process exit code (0, or 1 when the file
  // could not be written).
  int RunUnattended(const std::wstring& file);
  // The inventory report's first section: the summary refreshed, all 28 rows.
  std::optional<ui::ReportSection> RefreshForReport() override;
  // "Main System Info" (F5): fills the sheet row by row.
  void Refresh1Click();

  // Commands of the menus and toolbar.
  void Save1Click();
  // File, Export to HTML: refreshes the sheet, asks for the file and writes
  // the summary as a web page titled with the registered owner that the
  // personal-information window last showed.
  void ExporttoHTML1Click();
  void CopytoClipboard1Click();
  void QuickPrint1Click();
  // File, "Print Full Spec" and "Print Hardware Spec": the sheet refreshed,
  // its report filled and previewed until the user closes the preview.
  void Print1Click();
  void PrintHardwareSpec1Click();
  void Exit1Click();
  void TransparentBackground1Click();
  void About1Click();
  void CPUInfo1Click();
  void Sound1Click();
  void CPUMeters1Click();
  // View, Startup: shows the startup window, then refreshes it.
  void Startup1Click();
  // View, Personal Info (F6): refreshes the personal-information window, then shows it.
  void PersonalInfo1Click();
  void WebPage1Click();

  const report::SummaryModel& sheet() const { return model_; }
  // The tool menus' items; null until the window is built.
  const shortcuts::ToolActions* tools() const { return tools_ ? &*tools_ : nullptr; }
  const std::wstring& version() const { return version_; }

  // The command table drives the menu, the toolbar and their enabled state.
  struct CommandBinding {
    int id;
    const wchar_t* shows;        // a start-up window this command shows, or nullptr
    void (MainWindow::*run)();  // or the handler that carries it out (with `shows`: the window must exist)
  };

 protected:
  bool Build() override;  // FormCreate
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnResize(int width, int height) override;
  void OnDpiChanged() override;
  void OnClose() override;
  void OnDestroy() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetBusy(bool busy) override;
  void RowChanged(int row, bool repaint) override;

  void UpdateCommandStates();
  bool CommandAvailable(const CommandBinding& binding) const;
  void Execute(const CommandBinding& binding);
  void PaintBands(HDC dc);
  void Preview(const report::ReportLayout& layout);

  Application& app_;
  std::wstring version_;
  report::SummaryModel model_;
  // The printed reports: made once, filled for every print.
  report::ReportLayout full_report_;
  report::ReportLayout hardware_report_;
  ui::DetailSheet sheet_;
  ui::Toolbar toolbar_;
  std::optional<ui::BusyCursor> busy_;
  shortcuts::SystemLauncher launcher_;
  shortcuts::SystemMixer mixer_;
  std::optional<shortcuts::ToolActions> tools_;
  bool transparent_ = false;
  RECT top_band_{}, bottom_band_{};
  struct LaidOut {
    int width = -1, height = -1;
    bool toolbar_shown = false;
    bool operator==(const LaidOut&) const = default;
  };
  LaidOut laid_out_;  // what OnResize last arranged the controls for
};

}  // namespace corvane::app
