#include "app/main_window_win.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "app/about_box_win.h"
#include "app/application_win.h"
#include "app/collectors/os_identity_win.h"
#include "app/collectors/report_collectors_win.h"
#include "app/main_window_ids.h"
#include "app/main_layout.h"
#include "app/main_menu.h"
#include "ui/product.h"
#include "cpu/cpu_window_win.h"
#include "cpu/meters_window_win.h"
#include "inventory/personal_window_win.h"
#include "inventory/sound_readers_win.h"
#include "inventory/sound_window_win.h"
#include "inventory/startup_window_win.h"
#include "platform/text_file_win.h"
#include "report/html_export.h"
#include "report/summary_section.h"
#include "report/summary_text.h"
#include "ui/dpi_scale.h"
#include "ui/print_preview_window_win.h"
#include "platform/live_handles.h"
#include "platform/locale_win.h"
#include "platform/clipboard_win.h"
#include "platform/dpi_win.h"
#include "ui/file_dialog_win.h"
#include "platform/system_function_win.h"

namespace corvane::app {
namespace {

// The timer that builds the windows which run from start-up once this one has painted.
constexpr UINT_PTR kStartupWindowsTimer = 1;

constexpr int kBandHeight = 8;
constexpr int kFooterLine = 16;

using Binding = MainWindow::CommandBinding;

// What each command does. A command without a binding, or one that shows a
// window not built into this program, is disabled in the menu and toolbar.
// A binding with both a window and a handler runs the handler, and only
// while the program has that window.
const Binding kBindings[] = {
    {kCmdSaveToCsv, nullptr, &MainWindow::Save1Click},
    {kCmdExportHtml, nullptr, &MainWindow::ExporttoHTML1Click},
    {kCmdCopyToClipboard, nullptr, &MainWindow::CopytoClipboard1Click},
    {kCmdQuickPrint, nullptr, &MainWindow::QuickPrint1Click},
    {kCmdPrintFullSpec, nullptr, &MainWindow::Print1Click},
    {kCmdPrintHardwareSpec, nullptr, &MainWindow::PrintHardwareSpec1Click},
    {kCmdExit, nullptr, &MainWindow::Exit1Click},
    {kCmdMainSystemInfo, nullptr, &MainWindow::Refresh1Click},
    {kCmdPersonalInfo, L"TfrmPersonal", &MainWindow::PersonalInfo1Click},
    {kCmdMemoryInfo, L"TfrmMemory", nullptr},
    {kCmdDisplayInfo, L"TfrmDisplay", nullptr},
    {kCmdDiskInfo, L"TfrmDisk", nullptr},
    {kCmdAppInfo, L"TfrmUnistall", nullptr},
    {kCmdNetworkAdapters, L"TfrmNetworkAdapters", nullptr},
    {kCmdSound, nullptr, &MainWindow::Sound1Click},
    {kCmdStartup, L"TfrmStartup", &MainWindow::Startup1Click},
    {kCmdCdDvdInfo, L"TfrmCDDVD", nullptr},
    {kCmdDeviceInfo, L"TfrmDevices", nullptr},
    {kCmdPrinterInfo, L"TfrmPrinters", nullptr},
    {kCmdServices, L"TfrmServices", nullptr},
    {kCmdBiosInfo, L"TfrmBiosInfo", nullptr},
    {kCmdUsbDrives, L"TfrmUSBDrives", nullptr},
    {kCmdCpuInfo, nullptr, &MainWindow::CPUInfo1Click},
    {kCmdCpuMeters, nullptr, &MainWindow::CPUMeters1Click},
    {kCmdShowInternet, L"TfrmInternet", nullptr},
    {kCmdShowNetwork, L"TfrmNetwork", nullptr},
    {kCmdShowUsb, L"TfrmUSB", nullptr},
    {kCmdShowDateTime, L"TfrmDateTime", nullptr},
    {kCmdTransparentBackground, nullptr, &MainWindow::TransparentBackground1Click},
    {kCmdUsingCorvane, L"TfrmHelp", nullptr},
    {kCmdWebPage, nullptr, &MainWindow::WebPage1Click},
    {kCmdAbout, nullptr, &MainWindow::About1Click},
};

const Binding* FindBinding(int id) {
  auto it = std::ranges::find(kBindings, id, &Binding::id);
  return it == std::end(kBindings) ? nullptr : &*it;
}

std::vector<ui::SheetRow> SummaryRows() {
  std::vector<ui::SheetRow> rows;
  for (int n = 1; n <= kRowCount; ++n) {
    const bool marked = std::ranges::find(report::kAdminRows, n) != report::kAdminRows.end();
    rows.push_back({std::wstring(report::SummaryModel::Label(n)), L"Desc" + std::to_wstring(n), DescId(n),
                    L"Info" + std::to_wstring(n), InfoId(n), marked});
  }
  return rows;
}

// Optional since Windows 2000: looked up so the program still starts without it.
using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

}  // namespace

MainWindow::MainWindow(Application& app)
    : ui::Window(app.theme()),
      app_(app),
      version_(ui::kVersion),
      full_report_(report::FullReportLayout(ui::kWebAddressText)),
      hardware_report_(report::HardwareReportLayout()),
      sheet_(app.theme()) {}

bool MainWindow::Build() {
  ui::CreateParams p = DetailParams(L"TForm1", L"Corvane " + version_);
  p.width = kMainDefaultWidth;
  // Made as high as its first showing makes it (FormShow), so that the
  // showing moves it without laying the sheet out a second time.
  p.height = FirstShowHeight(ui::LogicalFromDpi(GetSystemMetrics(SM_CYSCREEN), platform::ScreenDpi()));
  p.menus = MainMenus();
  if (!ui::Window::Create(p)) return false;
  min_height_ = kMainMinHeight;

  toolbar_.Create(hwnd(), kIdToolbar, MainToolbar());
  FileControl(L"ToolBar1", kIdToolbar, toolbar_.hwnd());
  // Texts, not boxes: the summary's cells take no focus, and a click leaves no caret in them.
  sheet_.Create(hwnd(), kIdSheet, SummaryRows(), {}, ui::LineCells::kTexts);
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  // The sheet never shows less than the model holds.
  for (int n = 1; n <= kRowCount; ++n) sheet_.SetValue(static_cast<size_t>(n - 1), model_.Value(n), false);
  AddControl(L"lblStar", kIdLegendStar, L"STATIC", L"*", WS_VISIBLE, 0, 0, 10, 16, 0, theme().bold());
  AddControl(L"lblAdmin", kIdLegend, L"STATIC", L"Requires administrator privileges", WS_VISIBLE, 0, 0, 300, 16);
  AddWebLink(L"StaticText3", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);
  tools_.emplace(hwnd(), kCmdToolFirst, launcher_, mixer_, shortcuts::MessageBoxTeller(hwnd()));
  BindCommandLookup([this](int id, int code, bool run) {
    if (code == 0 && tools_->Handles(static_cast<unsigned>(id))) {
      if (run) tools_->Run(static_cast<unsigned>(id));
      return true;
    }
    const Binding* b = FindBinding(id);
    if (!b || (code != 0 && code != 1) || !CommandAvailable(*b)) return false;
    if (run) Execute(*b);
    return true;
  });
  UpdateCommandStates();
  // Laid out now, hidden: the first showing may keep this size and send no WM_SIZE.
  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

bool MainWindow::CommandAvailable(const CommandBinding& b) const {
  return b.shows ? app_.FindWindow(b.shows) != nullptr : b.run != nullptr;
}

void MainWindow::UpdateCommandStates() {
  for (const auto& menu : MainMenus()) {
    for (const auto& item : menu.items) {
      if (item.text.empty()) continue;
      const Binding* b = FindBinding(item.id);
      const bool on = tools_->Handles(item.id) || (b && CommandAvailable(*b));
      EnableMenuItem(GetMenu(hwnd()), item.id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    }
  }
  for (const auto& button : MainToolbar()) {
    const Binding* b = FindBinding(button.id);
    toolbar_.Enable(button.id, b && CommandAvailable(*b));
  }
}

void MainWindow::BuildStartupWindowsWhenPainted() {
  // A timer's message comes only when no window of the thread has anything
  // left to paint: the user sees the window first.
  if (!SetTimer(hwnd(), kStartupWindowsTimer, USER_TIMER_MINIMUM, nullptr)) app_.BuildStartupWindows();
}

void MainWindow::FormShow(int show, const StartupAction& action) {
  // The screen in the window's logical units; placed in its pixels.
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int height = Scale(FirstShowHeight(Logical(GetSystemMetrics(SM_CYSCREEN))));
  const int width = Scale(kMainDefaultWidth);
  SetWindowPos(hwnd(), nullptr, (screen_width - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
               height, SWP_NOZORDER | SWP_NOACTIVATE);
  // A failure of the start-up refresh is shown, and the window all the same.
  if (action.kind == StartupKind::Refresh) RunCommand(kCmdMainSystemInfo);
  ShowWindow(hwnd(), show);
  UpdateWindow(hwnd());
}

int MainWindow::RunUnattended(const std::wstring& file) {
  // Nobody is there to click a message box: failures end the process with a code.
  ui::SetUnattended(true);
  Refresh1Click();
  const DWORD error =
      platform::ReplaceFileWithAnsiText(file, report::JoinCrLf(report::SummaryLines(model_, report::LineFormat::Text)));
  return error == ERROR_SUCCESS ? 0 : 1;
}

std::optional<ui::ReportSection> MainWindow::RefreshForReport() {
  Refresh1Click();
  return report::SummarySection(model_, L"Corvane " + version_);
}

void MainWindow::Refresh1Click() { RunRefresh(app_.collectors(), model_, *this, IsNoCom(app_.args())); }

void MainWindow::SetBusy(bool busy) {
  if (busy) {
    busy_.emplace();
  } else {
    busy_.reset();
  }
}

void MainWindow::RowChanged(int row, bool repaint) {
  // The unattended run fills the model alone: there is no sheet to show it.
  if (sheet_.hwnd()) sheet_.SetValue(static_cast<size_t>(row - 1), model_.Value(row), repaint);
}

void MainWindow::Save1Click() {
  // The format follows the chosen filter, whatever extension the name has.
  const auto choice =
      ui::AskSaveFile(hwnd(), L"Text File (*.TXT)|*.txt|Comma Seperated Variable (*.CSV)|*.csv", L"TXT");
  if (!choice) return;
  Refresh1Click();
  const auto format = choice->filter_index == 2 ? report::LineFormat::Csv : report::LineFormat::Text;
  const DWORD error = platform::ReplaceFileWithAnsiText(choice->path, report::JoinCrLf(report::SummaryLines(model_, format)));
  if (error != ERROR_SUCCESS) ui::ShowErrorBox(hwnd(), platform::SystemMessage(error));
}

void MainWindow::ExporttoHTML1Click() {
  Refresh1Click();
  const auto choice = ui::AskSaveFile(hwnd(), L"HTML|*.htm", L"htm");
  if (!choice) return;
  std::wstring owner;
  if (auto* personal = dynamic_cast<inventory::PersonalWindow*>(app_.FindWindow(L"TfrmPersonal"))) {
    owner = personal->model().registered_owner;
  }
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::wstring date_time = platform::ShortDateText(now) + L" " + platform::LongTimeText(now);
  const DWORD error = platform::ReplaceFileWithAnsiText(
      choice->path, report::JoinCrLf(report::HtmlExportLines(model_, owner, date_time)));
  if (error != ERROR_SUCCESS) ui::ShowErrorBox(hwnd(), platform::SystemMessage(error));
}

void MainWindow::CopytoClipboard1Click() {
  Refresh1Click();
  if (!platform::SetClipboardText(hwnd(), report::JoinCrLf(report::SummaryLines(model_, report::LineFormat::Clipboard)))) {
    // The system's reason when it gave one (the clipboard held by another program, say).
    const DWORD error = GetLastError();
    ui::ShowErrorBox(hwnd(), error != ERROR_SUCCESS ? platform::SystemMessage(error)
                                                    : std::wstring(L"The clipboard could not be written."));
    return;
  }
  MessageBoxW(hwnd(), L"System Information copied to clipboard.", L"Corvane", MB_OK | MB_ICONINFORMATION);
}

void MainWindow::QuickPrint1Click() {
  // The page shows the sheet as large as the screen allows, without the toolbar.
  ShowWindow(toolbar_.hwnd(), SW_HIDE);
  ShowWindow(hwnd(), SW_MAXIMIZE);
  UpdateWindow(hwnd());
  // The window comes back as it was, whatever the printing does.
  struct Restore {
    HWND window, toolbar;
    ~Restore() {
      ShowWindow(toolbar, SW_SHOW);
      ShowWindow(window, SW_RESTORE);
    }
  } restore{hwnd(), toolbar_.hwnd()};
  PrintImage(L"Corvane " + version_);
}

void MainWindow::Print1Click() {
  Refresh1Click();
  report::FillFullReport(full_report_, model_);
  Preview(full_report_);
}

void MainWindow::PrintHardwareSpec1Click() {
  Refresh1Click();
  report::HardwareFacts facts;
  facts.short_windows = ShortWindowsNameOfThisSystem();  // first, as the sheet's own order has it
  facts.graphics = GraphicsCollector();
  facts.hard_disks = HardDisksCollector();
  report::FillHardwareReport(hardware_report_, model_, facts);
  Preview(hardware_report_);
}

void MainWindow::Preview(const report::ReportLayout& layout) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  ui::PrintPreviewWindow preview(theme(), report::DocumentOf(layout, platform::ShortDateText(now) + L" " +
                                                                         platform::LongTimeText(now)));
  preview.ShowModal(hwnd());
}

void MainWindow::Exit1Click() { Close(); }

void MainWindow::TransparentBackground1Click() {
  transparent_ = !transparent_;
  CheckMenuItem(GetMenu(hwnd()), kCmdTransparentBackground, MF_BYCOMMAND | (transparent_ ? MF_CHECKED : MF_UNCHECKED));
  const LONG_PTR ex = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!transparent_) {
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return;
  }
  auto set_layered = platform::LoadedFunction<SetLayeredFn>(L"user32.dll", "SetLayeredWindowAttributes");
  if (!set_layered) return;
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
  set_layered(hwnd(), ui::kWhite, 255, LWA_COLORKEY);  // white, the window's background, becomes see-through
}

void MainWindow::About1Click() {
  AboutBox box(theme(), hwnd(), version_);
  box.ShowModal(hwnd());
}

void MainWindow::CPUInfo1Click() {
  // Created with its timer on; the hourglass shows while it is made, and
  // the window keeps its own up while it fills itself.
  cpu::CpuWindow window(theme(), hwnd(), dynamic_cast<cpu::MetersWindow*>(app_.FindWindow(L"TfrmMeters")));
  {
    const ui::BusyCursor busy;
    if (!window.EnsureBuilt()) return;
  }
  window.ShowModal(hwnd());
}

void MainWindow::Sound1Click() {
  // Made for this showing: it reads the devices and the event list as it opens.
  inventory::SystemSound sound;
  inventory::SoundWindow window(theme(), hwnd(), sound);
  window.ShowModal(hwnd());
}

void MainWindow::CPUMeters1Click() {
  auto* meters = dynamic_cast<cpu::MetersWindow*>(app_.FindWindow(L"TfrmMeters"));
  if (!meters) return;
  meters->StartSampling();
  meters->ShowModal(hwnd());
}

void MainWindow::Startup1Click() {
  if (auto* startup = dynamic_cast<inventory::StartupWindow*>(app_.FindWindow(L"TfrmStartup"))) {
    startup->ShowAndRefresh();
  }
}

void MainWindow::PersonalInfo1Click() {
  if (auto* personal = dynamic_cast<inventory::PersonalWindow*>(app_.FindWindow(L"TfrmPersonal"))) {
    personal->RefreshAndShow();
  }
}

void MainWindow::WebPage1Click() { OpenWebPage(); }

void MainWindow::Execute(const CommandBinding& b) {
  if (b.run) {
    (this->*(b.run))();
  } else if (ui::Window* target = app_.FindWindow(b.shows)) {
    target->Show();
  }
}

LRESULT MainWindow::OnNotify(NMHDR* hdr) {
  if (toolbar_.HandleTooltip(hdr)) return 0;
  if (hdr->hwndFrom == toolbar_.hwnd() && hdr->code == NM_CLICK &&
      reinterpret_cast<NMMOUSE*>(hdr)->dwItemSpec == static_cast<DWORD_PTR>(-1)) {
    OpenWebPage();  // a click on the band outside the buttons
  }
  return 0;
}

void MainWindow::OnResize(int width, int height) {
  // The toolbar's own style, not IsWindowVisible(): that is false for every
  // child while the frame is still hidden, which made the layout before the
  // first showing wrong and the showing lay it out (and repaint every cell)
  // again. A size already laid out needs nothing.
  const bool toolbar_shown = (GetWindowLongPtrW(toolbar_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  const LaidOut now{width, height, toolbar_shown};
  if (sheet_.hwnd() && now == laid_out_) return;
  laid_out_ = now;
  SendMessageW(toolbar_.hwnd(), TB_AUTOSIZE, 0, 0);
  const int top = toolbar_shown ? toolbar_.Height() : 0;
  top_band_ = {0, top, width, top + kBandHeight};
  bottom_band_ = {0, height - kBandHeight, width, height};
  const int footer = 2 * kFooterLine + kBandHeight + 2;
  const int sheet_top = top + kBandHeight + 2;
  ui::Place(sheet_.hwnd(), {0, sheet_top, width, std::max(0, height - sheet_top - footer)});
  const int legend_y = height - footer + 1;
  ui::Place(Control(L"lblStar"), {4, legend_y, 10, 16});
  ui::Place(Control(L"lblAdmin"), {16, legend_y, 300, 16});
  ui::Place(Control(L"StaticText3"), {4, legend_y + kFooterLine, 300, 16});

  // Value cells follow the window's outer width; the label column stays.
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  sheet_.SetValueWidth(ValueCellWidth(Logical(outer.right - outer.left)));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

// The toolbar's height and the bands change with the DPI where the logical size may not.
void MainWindow::OnDpiChanged() { laid_out_ = {}; }

void MainWindow::OnClose() { DestroyWindow(hwnd()); }

void MainWindow::OnDestroy() { PostQuitMessage(0); }

void MainWindow::PaintBands(HDC dc) {
  // Decorative bands: navy fading to the label blue. They are kept in
  // logical units and painted at the window's DPI.
  for (const RECT& logical : {top_band_, bottom_band_}) {
    const RECT scaled{Scale(logical.left), Scale(logical.top), Scale(logical.right), Scale(logical.bottom)};
    const RECT* band = &scaled;
    const int w = std::max<int>(1, band->right - band->left);
    for (int x = band->left; x < band->right; x += 4) {
      const int t = (x - band->left) * 255 / w;
      const COLORREF c = RGB((0 * (255 - t) + 206 * t) / 255, (0 * (255 - t) + 221 * t) / 255,
                             (128 * (255 - t) + 247 * t) / 255);
      platform::UniqueBrush brush(CreateSolidBrush(c));
      RECT slice{x, band->top, std::min<LONG>(x + 4, band->right), band->bottom};
      FillRect(dc, &slice, brush.get());
    }
  }
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // For the soak run only: the handles of one kind the owners hold now. It
  // reads a counter and nothing else, so answering anyone is harmless.
  static const UINT live_handles_query = RegisterWindowMessageW(platform::kLiveHandlesMessage);
  if (live_handles_query != 0 && msg == live_handles_query) {
    return static_cast<LRESULT>(platform::LiveHandlesAnswer(static_cast<unsigned long long>(wp)));
  }
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      PaintBands(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_TIMER:
      if (wp == kStartupWindowsTimer) {
        KillTimer(hwnd(), kStartupWindowsTimer);
        app_.BuildStartupWindows();
        return 0;
      }
      break;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::app
