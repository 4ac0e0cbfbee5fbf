#include "app/application_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/collectors/summary_collectors_win.h"
#include "app/help_window_win.h"
#include "app/main_window_win.h"
#include "cpu/meters_window_win.h"
#include "platform/com_win.h"
#include "storage/cddvd_window_win.h"
#include "storage/disk_window_win.h"
#include "storage/usb_drives_window_win.h"

namespace corvane::app {
namespace {

// The windows created at start-up, in this order, each kept until the
// process ends. The main window comes first; later windows are added here.
struct StartupWindow {
  const wchar_t* class_name;
  std::unique_ptr<ui::Window> (*create)(Application& app);
};

template <class W>
std::unique_ptr<ui::Window> Make(Application& app) {
  auto window = std::make_unique<W>(app.theme());
  if (!window->Create()) return nullptr;
  return window;
}

const StartupWindow kStartupWindows[] = {
    {L"TForm1",
     [](Application& app) -> std::unique_ptr<ui::Window> {
       auto main = std::make_unique<MainWindow>(app);
       if (!main->Create()) return nullptr;
       return main;
     }},
    {L"TfrmDisk",
     [](Application& app) -> std::unique_ptr<ui::Window> {
       auto disk = std::make_unique<storage::DiskWindow>(
           app.theme(), [&app](std::wstring_view class_name) { return app.FindWindow(class_name); });
       if (!disk->Create()) return nullptr;
       return disk;
     }},
    {L"TfrmHelp", &Make<HelpWindow>},
    {L"TfrmMeters", &Make<cpu::MetersWindow>},
    {L"TfrmCDDVD", &Make<storage::CdDvdWindow>},
    {L"TfrmUSBDrives", &Make<storage::UsbDrivesWindow>},
};

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> args;
  int count = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
  return args;
}

}  // namespace

Application::Application(std::vector<std::wstring> args)
    : args_(std::move(args)), theme_(std::make_unique<ui::Theme>()), collectors_(MakeSystemCollectors()) {}

Application::~Application() {
  // Later windows first: the main window owns nothing of theirs, they may refer to it.
  while (!windows_.empty()) windows_.pop_back();
}

ui::Window* Application::FindWindow(std::wstring_view class_name) const {
  auto it = std::ranges::find(windows_, class_name, [](const auto& entry) { return entry.first; });
  return it == windows_.end() ? nullptr : it->second.get();
}

int Application::Run(int show) {
  // Windows that refer to others look them up by class name, so the main
  // window's command states are settled once all windows exist.
  for (const auto& entry : kStartupWindows) {
    if (auto window = entry.create(*this)) windows_.emplace_back(entry.class_name, std::move(window));
  }
  auto* main = static_cast<MainWindow*>(FindWindow(L"TForm1"));
  if (!main) return 1;
  main->UpdateCommandStates();
  main->FormShow(show);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (ui::Window::TranslateShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunApplication(HINSTANCE, int show) {
  platform::ComApartment com;  // COM for the user-interface thread, for the whole run
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                           ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Application app(CommandLineArguments());
  return app.Run(show);
}

}  // namespace corvane::app
