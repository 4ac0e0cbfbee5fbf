// The soak run: two corvane.exe processes driven for a number of minutes,
// sampled every ten seconds, and judged on whether what they hold stays flat.
//
//   corvane_soak.exe MINUTES SYNC_FOLDER
//
// "live" keeps the windows with timers open the whole time: the date and time
// window, then the CPU window and, from its button, the meters. The CPU
// window is modal, and the main window holds every command that arrives while
// one runs, so nothing else can be driven in that process; hence a second one.
// "cycle" refreshes its summary every ten seconds and, at the start of every
// minute, opens every other window (from its main window; the user list and
// the computers from the network window), refreshes it and closes it.
//
// Each sample reads, per process: the number of its windows (top-level ones
// and all their descendants), the handles its owners count (the main
// window's test-only query) and, through SYNC_FOLDER, its resident memory and
// open descriptors, which Wine does not give a Windows program: the driver
// asks with a file want-N and tests/soak/soak.sh, which watches from Linux,
// answers with have-N ("live RSS_KIB FDS" and "cycle RSS_KIB FDS" lines; it
// tells them apart by their start: live is started first, and cycle only once
// live has its windows open). Wine answers GetGuiResources and
// GetProcessHandleCount with 0, hence the program's own counts.
//
// Writes the series and the verdict to its output and to SYNC_FOLDER\series.log.
// Exit code: 0 pass, 1 fail, 2 could not run, 3 too short to judge.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window_ids.h"
#include "cpu/cpu_window_ids.h"
#include "e2e/harness.h"
#include "inventory/bios_info_window_ids.h"
#include "inventory/devices_window_ids.h"
#include "inventory/personal_window_ids.h"
#include "inventory/printers_window_ids.h"
#include "inventory/services_window_ids.h"
#include "inventory/startup_window_ids.h"
#include "inventory/uninstall_window_ids.h"
#include "memory_display_time/display_window_ids.h"
#include "memory_display_time/memory_window_ids.h"
#include "network/internet_window_ids.h"
#include "network/network_adapters_window_ids.h"
#include "network/computers_window_ids.h"
#include "network/network_window_ids.h"
#include "network/user_list_window_ids.h"
#include "platform/live_handles.h"
#include "platform/test_printer_win.h"
#include "soak/soak_series.h"
#include "storage/cddvd_window_ids.h"
#include "storage/disk_window_ids.h"
#include "storage/usb_drives_window_ids.h"
#include "usb/usb_window_ids.h"

namespace corvane::soak {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using e2e::CorvaneProcess;

constexpr auto kSampleEvery = 10s;
constexpr int kPhases = 6;  // samples a minute
constexpr auto kProcWait = 15s;

// A window of the cycle: the command that shows it, the window's own refresh
// command (0: it has none) and the window whose command it is (nullptr: the
// main window; another is visited while that one is open).
struct CycleWindow {
  int command;
  const wchar_t* window_class;
  bool modal;
  int refresh;
  const wchar_t* opened_from = nullptr;
};

// The windows the live process keeps open, their timers running.
const wchar_t* const kKeptOpen[] = {L"TfrmDateTime", L"TfrmCPU", L"TfrmMeters"};

// Every window the program shows but those.
const CycleWindow kCycle[] = {
    {app::kCmdPersonalInfo, L"TfrmPersonal", false, inventory::personal_ids::kCmdRefresh},
    {app::kCmdMemoryInfo, L"TfrmMemory", false, memory_display_time::memory_ids::kCmdRefresh},
    {app::kCmdDisplayInfo, L"TfrmDisplay", false, memory_display_time::display_ids::kCmdRefresh},
    {app::kCmdDiskInfo, L"TfrmDisk", false, storage::disk_ids::kCmdRefresh},
    {app::kCmdAppInfo, L"TfrmUnistall", false, inventory::uninstall_ids::kCmdRefresh},
    {app::kCmdNetworkAdapters, L"TfrmNetworkAdapters", false, network::adapters_ids::kCmdRefresh},
    {app::kCmdSound, L"TfrmSound", true, 0},
    {app::kCmdStartup, L"TfrmStartup", false, inventory::startup_ids::kCmdRefresh},
    {app::kCmdCdDvdInfo, L"TfrmCDDVD", false, storage::cddvd_ids::kCmdRefresh},
    {app::kCmdDeviceInfo, L"TfrmDevices", false, inventory::devices_ids::kCmdRefresh},
    {app::kCmdPrinterInfo, L"TfrmPrinters", false, inventory::printers_ids::kCmdRefresh},
    {app::kCmdServices, L"TfrmServices", false, inventory::services_ids::kCmdRefresh},
    {app::kCmdBiosInfo, L"TfrmBiosInfo", false, inventory::bios_ids::kCmdRefresh},
    {app::kCmdUsbDrives, L"TfrmUSBDrives", false, storage::usb_drives_ids::kCmdRefresh},
    {app::kCmdShowInternet, L"TfrmInternet", false, network::internet_ids::kCmdRefresh},
    {app::kCmdShowNetwork, L"TfrmNetwork", false, network::network_ids::kCmdRefresh},
    {network::network_ids::kIdUserList, L"TfrmUserList", false, network::user_list_ids::kCmdRefresh, L"TfrmNetwork"},
    {network::network_ids::kIdComputers, L"TfrmComputers", false, network::computers_ids::kCmdRefresh, L"TfrmNetwork"},
    {app::kCmdShowUsb, L"TfrmUSB", false, usb::usb_ids::kCmdRefresh},
    {app::kCmdUsingCorvane, L"TfrmHelp", false, 0},
    {app::kCmdAbout, L"TAboutBox", true, 0},
    {app::kCmdPrintFullSpec, L"TfrmPrintPreview", true, 0},
};

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
  return s;
}

// Lines go to the output and to the log file the shell side shows as they come.
class Out {
 public:
  explicit Out(const std::wstring& log) : file_(log.empty() ? nullptr : _wfopen(log.c_str(), L"a")) {}
  ~Out() {
    if (file_) std::fclose(file_);
  }
  void Line(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    if (file_) {
      std::fprintf(file_, "%s\n", text.c_str());
      std::fflush(file_);
    }
  }

 private:
  FILE* file_;
};

// A command run in the window `target`, waited for.
bool Run(HWND target, int command, std::chrono::milliseconds timeout = e2e::kRefreshTimeout) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(target, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL,
                             static_cast<UINT>(timeout.count()), &result) != 0;
}

bool CloseAndWait(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  return e2e::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, e2e::kUiTimeout);
}

class Soak {
 public:
  Soak(int minutes, std::wstring sync) : minutes_(minutes), sync_(std::move(sync)), out_(sync_.empty() ? L"" : sync_ + L"series.log") {}

  int Main() {
    out_.Line("soak: " + std::to_string(minutes_) + " minute(s), a sample every " +
              std::to_string(kSampleEvery.count()) + " s");
    // A clean prefix has no printer: the printers window and the print
    // preview would only say so. The tests' own printer, as the suites use it.
    if (const DWORD error = test_support::InstallTestPrinter(test_support::kTestPrinter, true); error != 0) {
      out_.Line("note: no test printer (error " + std::to_string(error) + ")");
    }
    if (!StartLive() || !StartCycle()) {
      out_.Line("FAIL: " + failure_);
      return 2;
    }
    out_.Line(Header());
    const auto start = Clock::now();
    for (int minute = 0; minute < minutes_ && failure_.empty(); ++minute) {
      for (int phase = 0; phase < kPhases && failure_.empty(); ++phase) {
        std::this_thread::sleep_until(start + (minute * kPhases + phase) * kSampleEvery);
        if (phase == 0) RunCycle();
        if (!RunWatched(cycle_->main_window(), app::kCmdMainSystemInfo, "summary refresh")) {
          Note("cycle: the summary refresh did not finish");
        }
        Boxes(*cycle_, "cycle");
        Boxes(*live_, "live");
        if (!live_->running()) failure_ = "the live corvane.exe ended";
        for (const wchar_t* kept : kKeptOpen) {
          if (failure_.empty() && !live_->FindWindowOfClass(kept)) failure_ = "live: " + Narrow(kept) + " is no longer shown";
        }
        if (!cycle_->running()) failure_ = "the cycle corvane.exe ended";
        if (!failure_.empty()) break;
        TakeSamples(std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count(), minute, phase);
      }
    }
    Stop();
    return Verdict();
  }

 private:
  void Note(const std::string& text) {
    notes_.push_back(text);
    out_.Line("note: " + text);
  }
  void Boxes(const CorvaneProcess& app, const std::string& name) {
    for (const std::wstring& box : app.DismissMessageBoxes()) Note(name + ": message box: " + Narrow(box));
  }

  bool StartLive() {
    live_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (!live_->started() || !live_->WaitForMainWindow()) return Fail("the live corvane.exe did not start");
    if (!live_->SendCommand(app::kCmdShowDateTime) || !live_->WaitForWindow(L"TfrmDateTime")) {
      return Fail("live: no date and time window");
    }
    live_->PostCommand(app::kCmdCpuInfo);
    HWND cpu = live_->WaitForWindow(L"TfrmCPU", e2e::kRefreshTimeout);
    if (!cpu || !live_->Responsive()) return Fail("live: no CPU window");
    HWND button = e2e::FindDescendantById(cpu, cpu::cpu_ids::kIdShowMeter);
    if (!button || !e2e::ClickButton(button) || !live_->WaitForWindow(L"TfrmMeters")) {
      return Fail("live: no meters window from the CPU window");
    }
    return true;
  }

  void Stop() {
    // The CPU window's showing ends first, so the process closes as a user would close it.
    if (HWND cpu = live_->FindWindowOfClass(L"TfrmCPU")) CloseAndWait(cpu);
    live_->Close();
    cycle_->Close();
  }

  bool StartCycle() {
    cycle_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{});
    if (!cycle_->started() || !cycle_->WaitForMainWindow()) return Fail("the cycle corvane.exe did not start");
    return true;
  }

  bool Fail(std::string why) {
    failure_ = std::move(why);
    return false;
  }

  // Runs a command in `target` of the cycle process and waits for it from a
  // thread of its own, so that a message box it shows meanwhile is noted and
  // dismissed rather than holding the run up.
  bool RunWatched(HWND target, int command, const std::string& what) {
    std::atomic<bool> done{false};
    bool finished = false;
    std::thread sender([&] {
      finished = Run(target, command, 2 * e2e::kRefreshTimeout);
      done = true;
    });
    while (!done) {
      Boxes(*cycle_, "cycle: " + what);
      std::this_thread::sleep_for(100ms);
    }
    sender.join();
    return finished;
  }

  void RunCycle() {
    for (const CycleWindow& w : kCycle) {
      if (!w.opened_from) Visit(w, cycle_->main_window());
    }
  }

  // Opens the window with its command in `opener`, refreshes it, visits the
  // windows it leads to and closes it.
  void Visit(const CycleWindow& w, HWND opener) {
    const std::string name = Narrow(w.window_class);
    if (w.modal) {
      PostMessageW(opener, WM_COMMAND, MAKEWPARAM(w.command, 0), 0);
    } else if (!RunWatched(opener, w.command, name)) {
      Note("cycle: " + name + ": the command did not finish");
    }
    HWND window = cycle_->WaitForWindow(w.window_class, e2e::kRefreshTimeout);
    if (!window) {
      Note("cycle: " + name + " did not show");
      Boxes(*cycle_, "cycle: " + name);
      return;
    }
    if (w.refresh && !RunWatched(window, w.refresh, name + " refresh")) {
      Note("cycle: " + name + ": the refresh did not finish");
    }
    for (const CycleWindow& next : kCycle) {
      if (next.opened_from && std::wstring_view(next.opened_from) == w.window_class) Visit(next, window);
    }
    Boxes(*cycle_, "cycle: " + name);
    if (!CloseAndWait(window)) Note("cycle: " + name + " did not close");
    if (!cycle_->Responsive()) Note("cycle: the main window stopped answering after " + name);
  }

  long CountWindows(const CorvaneProcess& app) const {
    long n = 0;
    for (HWND top : app.TopLevelWindows({}, /*visible_only=*/false)) n += 1 + static_cast<long>(e2e::Descendants(top).size());
    return n;
  }

  Reading ReadProcess(const CorvaneProcess& app) const {
    Reading r;
    r.windows = CountWindows(app);
    static const UINT query = RegisterWindowMessageW(platform::kLiveHandlesMessage);
    for (size_t k = 0; k < kHandleKindCount; ++k) r.handles[k] = static_cast<long>(e2e::Ask(app.main_window(), query, k));
    return r;
  }

  // Resident memory and descriptors of both processes, from the shell side.
  void ReadProc(Reading& live, Reading& cycle) {
    if (sync_.empty()) return;
    const std::wstring n = std::to_wstring(++proc_requests_);
    const std::wstring want = sync_ + L"want-" + n;
    if (FILE* f = _wfopen(want.c_str(), L"w")) std::fclose(f);
    const std::wstring have = sync_ + L"have-" + n;
    if (!e2e::WaitUntil([&] { return e2e::FileExists(have); }, kProcWait, 50ms)) {
      Note("no /proc reading from the shell side");
      return;
    }
    std::istringstream lines(e2e::ReadFileBytes(have).value_or(""));
    std::string tag;
    long rss = -1, fds = -1;
    while (lines >> tag >> rss >> fds) {
      if (tag != "live" && tag != "cycle") continue;
      Reading& r = tag == "live" ? live : cycle;
      r.rss_kib = rss;
      r.fds = fds;
    }
  }

  void TakeSamples(long seconds, int minute, int phase) {
    Reading live = ReadProcess(*live_);
    Reading cycle = ReadProcess(*cycle_);
    ReadProc(live, cycle);
    for (auto [name, reading] : {std::pair{"cycle", &cycle}, std::pair{"live", &live}}) {
      samples_.push_back(Sample{seconds, minute, phase, name, *reading});
      out_.Line(FormatSample(samples_.back()));
    }
  }

  int Verdict() {
    if (!failure_.empty()) {
      out_.Line("FAIL: " + failure_);
      return 1;
    }
    const soak::Verdict v = Judge(samples_, Tolerance{});
    const std::string boxes = notes_.empty() ? "" : " (" + std::to_string(notes_.size()) + " note(s) above)";
    if (!v.reasons.empty()) {
      for (const std::string& reason : v.reasons) out_.Line("  " + reason);
      out_.Line("FAIL: " + std::to_string(v.reasons.size()) +
                " sample(s) not flat after the first minute: RSS within +10% or +8 MiB, descriptors +5, windows equal, "
                "counted handles not above the baseline at the same phase" + boxes);
      return 1;
    }
    if (!v.judged) {
      out_.Line("NO VERDICT: nothing after the baseline minute (minute 1) to compare; run at least 3 minutes" + boxes);
      return 3;
    }
    out_.Line("PASS: every series flat against minute 1 at the same phase: RSS within +10% or +8 MiB, descriptors "
              "+5, windows equal, counted handles not above" + boxes);
    return 0;
  }

  int minutes_;
  std::wstring sync_;
  Out out_;
  std::unique_ptr<CorvaneProcess> live_, cycle_;
  std::string failure_;
  std::vector<std::string> notes_;
  std::vector<Sample> samples_;
  int proc_requests_ = 0;
};

}  // namespace
}  // namespace corvane::soak

int wmain(int argc, wchar_t** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  const int minutes = argc > 1 ? _wtoi(argv[1]) : 10;
  std::wstring sync = argc > 2 ? argv[2] : L"";
  if (!sync.empty() && sync.back() != L'\\') sync += L'\\';
  if (minutes < 1) {
    std::fprintf(stderr, "usage: corvane_soak.exe MINUTES [SYNC_FOLDER]\n");
    return 2;
  }
  if (!corvane::e2e::FileExists(corvane::e2e::CorvanePath())) {
    std::fprintf(stderr, "%ls not found beside this program\n", corvane::e2e::CorvanePath().c_str());
    return 2;
  }
  return corvane::soak::Soak(minutes, sync).Main();
}
