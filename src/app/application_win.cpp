#include "app/application_win.h"

#include <commctrl.h>

#include <algorithm>

#include "app/collectors/summary_collectors_win.h"
#include "app/command_line.h"
#include "app/creation_order.h"
#include "app/help_window_win.h"
#include "app/inventory_report_win.h"
#include "app/main_window_win.h"
#include "cpu/cpu_window_win.h"
#include "cpu/meters_window_win.h"
#include "inventory/bios_info_window_win.h"
#include "inventory/devices_window_win.h"
#include "inventory/personal_window_win.h"
#include "inventory/printers_window_win.h"
#include "inventory/services_window_win.h"
#include "inventory/sound_readers_win.h"
#include "inventory/sound_window_win.h"
#include "inventory/startup_window_win.h"
#include "inventory/uninstall_window_win.h"
#include "memory_display_time/datetime_window_win.h"
#include "memory_display_time/display_window_win.h"
#include "memory_display_time/memory_window_win.h"
#include "network/computers_window_win.h"
#include "network/internet_window_win.h"
#include "network/network_adapters_window_win.h"
#include "network/network_window_win.h"
#include "network/user_list_window_win.h"
#include "platform/com_win.h"
#include "platform/dpi_win.h"
#include "platform/failure_text_win.h"
#include "storage/cddvd_window_win.h"
#include "storage/disk_window_win.h"
#include "storage/usb_drives_window_win.h"
#include "usb/usb_window_win.h"

namespace corvane::app {
namespace {

// The creation list: every window object is made at start-up, in this
// order, and kept until the process ends, so look-ups by class name and the
// states of the commands that show them hold from the start. A window builds
// its Win32 window and controls the first time it is shown; one whose
// building must start something that runs from start-up (a device-change
// listener, say) is marked to be built as soon as the main window has painted.
struct ListedWindow {
  const wchar_t* class_name;
  std::unique_ptr<ui::Window> (*make)(Application& app);
  bool build_at_startup = false;
};

// A window that leads on to others finds them through the application.
template <class W>
std::unique_ptr<ui::Window> MakeWithFinder(Application& app) {
  return std::make_unique<W>(app.theme(),
                             [&app](std::wstring_view class_name) { return app.FindWindow(class_name); });
}

template <class W>
std::unique_ptr<ui::Window> Make(Application& app) {
  return std::make_unique<W>(app.theme());
}

constexpr ListedWindow kCreationList[] = {
    {L"TForm1", [](Application& app) -> std::unique_ptr<ui::Window> { return std::make_unique<MainWindow>(app); }},
    {L"TfrmPersonal", &Make<inventory::PersonalWindow>},
    {L"TfrmMemory", &Make<memory_display_time::MemoryWindow>},
    {L"TfrmDisplay", &MakeWithFinder<memory_display_time::DisplayWindow>},
    {L"TfrmDisk", &MakeWithFinder<storage::DiskWindow>},
    {L"TfrmDevices", &Make<inventory::DevicesWindow>},
    {L"TfrmUnistall", &Make<inventory::UninstallWindow>},
    {L"TfrmStartup", &Make<inventory::StartupWindow>},
    {L"TfrmHelp", &Make<HelpWindow>},
    {L"TfrmMeters", &Make<cpu::MetersWindow>},
    {L"TfrmCDDVD", &Make<storage::CdDvdWindow>},
    {L"TfrmNetwork", &MakeWithFinder<network::NetworkWindow>},
    {L"TfrmUserList", &Make<network::UserListWindow>},
    {L"TfrmNetworkAdapters", &Make<network::NetworkAdaptersWindow>},
    {L"TfrmComputers", &Make<network::ComputersWindow>},
    {L"TfrmInternet", &Make<network::InternetWindow>},
    {L"TfrmPrinters", &Make<inventory::PrintersWindow>},
    // Binds its service-manager functions as it is made.
    {L"TfrmServices", &Make<inventory::ServicesWindow>},
    {L"TfrmBiosInfo", &Make<inventory::BiosInfoWindow>},
    {L"TfrmUSBDrives", &Make<storage::UsbDrivesWindow>},
    // Its device tree follows every device change from start-up on.
    {L"TfrmUSB", &MakeWithFinder<usb::UsbWindow>, true},
    // Built on first showing like the rest: its clock feeds only rows nobody
    // sees while it is hidden, and every showing fills them at once.
    {L"TfrmDateTime", &Make<memory_display_time::DateTimeWindow>},
};

// The shared order (creation_order.h) is this list's, name for name.
constexpr bool MatchesCreationOrder() {
  if (std::size(kCreationList) != std::size(kCreationOrder)) return false;
  for (std::size_t i = 0; i < std::size(kCreationList); ++i) {
    if (std::wstring_view(kCreationList[i].class_name) != kCreationOrder[i]) return false;
  }
  return true;
}
static_assert(MatchesCreationOrder(), "kCreationOrder must name the creation list's windows in its order");

}  // namespace

Application::Application(std::vector<std::wstring> args, std::unique_ptr<SummaryCollectors> collectors)
    : args_(std::move(args)), theme_(std::make_unique<ui::Theme>()), collectors_(std::move(collectors)) {}

Application::~Application() {
  // Later windows first: the main window owns nothing of theirs, they may refer to it.
  while (!windows_.empty()) windows_.pop_back();
}

void Application::BuildStartupWindows() {
  for (const auto& entry : kCreationList) {
    if (entry.build_at_startup) FindWindow(entry.class_name)->EnsureBuilt();
  }
}

ui::Window* Application::FindWindow(std::wstring_view class_name) const {
  auto it = std::ranges::find(windows_, class_name, [](const auto& entry) { return entry.first; });
  return it == windows_.end() ? nullptr : it->second.get();
}

int Application::Run(int show) {
  const StartupAction action = DecideStartup(args_);
  if (action.kind == StartupKind::BadReport || action.kind == StartupKind::BadFormat) {
    ui::SetUnattended(true);  // the message goes to the standard error stream
    ui::ShowErrorBox(nullptr, action.kind == StartupKind::BadReport ? kReportUsage : kFormatUsage);
    return kBadArgumentsExit;
  }
  const bool unattended = action.kind == StartupKind::Unattended || action.kind == StartupKind::Report;
  // Nobody is there to click a message box: every failure goes to the
  // standard error stream, from the making of the windows on.
  if (unattended) ui::SetUnattended(true);

  // A window that cannot be made (a system library without a function it
  // binds) ends the start-up with its message.
  try {
    for (const auto& entry : kCreationList) windows_.emplace_back(entry.class_name, entry.make(*this));
  } catch (const std::exception& e) {
    ui::ShowErrorBox(nullptr, platform::FailureText(e));
    return 1;
  }
  auto* main = static_cast<MainWindow*>(FindWindow(L"TForm1"));

  // The unattended run builds no window: it fills the summary and writes it.
  if (action.kind == StartupKind::Unattended) return main->RunUnattended(action.file);
  // The inventory report builds no window either: each reads its model alone.
  if (action.kind == StartupKind::Report) {
    std::vector<std::pair<std::wstring_view, ui::Window*>> reported;
    for (const auto& [name, window] : windows_) reported.emplace_back(name, window.get());
    // The processor and sound windows are made each time they are shown;
    // the report makes its own, after the creation list's windows.
    cpu::CpuWindow cpu(theme(), nullptr, dynamic_cast<cpu::MetersWindow*>(FindWindow(L"TfrmMeters")));
    // Its clock figures are the summary's, from the one sample of this run.
    cpu.ShareClockSample([this] { return collectors_->LastClockSample(); });
    reported.emplace_back(kReportedOnDemand[0], &cpu);
    inventory::SystemSound sound_system;
    inventory::SoundWindow sound(theme(), nullptr, sound_system);
    reported.emplace_back(kReportedOnDemand[1], &sound);
    return RunInventoryReport(reported, action.file, action.format);
  }

  if (!main->EnsureBuilt()) return 1;
  main->FormShow(show, action);
  // A window built at start-up only to listen (the USB window's device
  // tree) is built right after the main window has painted.
  main->BuildStartupWindowsWhenPainted();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (ui::Window::TranslateShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunApplication(HINSTANCE, int show) {
  std::vector<std::wstring> args = SplitCommandLine(GetCommandLineW());
  // The half-second clock sample runs on its own thread from here on: the
  // libraries the first calls load, COM, the common controls, the windows
  // and the rows (or the report's other sections) all run during it, and
  // the first refresh takes it. It needs nothing of what follows.
  std::unique_ptr<SummaryCollectors> collectors = MakeSystemCollectors();
  if (SamplesClockAtStart(DecideStartup(args).kind)) collectors->StartClockSample();
  // Before any window or font: the manifest says so already where it is read.
  platform::DeclareDpiAwareness();
  platform::ComApartment com;  // COM for the user-interface thread, for the whole run
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                           ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Application app(std::move(args), std::move(collectors));
  return app.Run(show);
}

}  // namespace corvane::app
