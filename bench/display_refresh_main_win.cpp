// The display window's refresh work: its readers one by one (the screen's
// device capabilities, the adapters with their monitors, the registry routes
// of the display class, video keys and BIOS), the whole reading with the
// model built from it, and the refresh of the real window kept hidden
// (reading, model and the controls filled). Medians and minimums over N
// rounds after one first round, reported apart.
//   bench_display_refresh.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "memory_display_time/display_readers_win.h"
#include "memory_display_time/display_registry.h"
#include "memory_display_time/display_registry_win.h"
#include "memory_display_time/display_view.h"
#include "memory_display_time/display_window_win.h"
#include "platform/os_version_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane::memory_display_time;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Time(const char* what, int rounds, const std::function<void()>& work) {
  auto t0 = Clock::now();
  work();
  const double first = Ms(Clock::now() - t0);
  std::vector<double> runs;
  for (int i = 0; i < rounds; ++i) {
    t0 = Clock::now();
    work();
    runs.push_back(Ms(Clock::now() - t0));
  }
  std::sort(runs.begin(), runs.end());
  const std::size_t n = runs.size();
  const double median = n % 2 ? runs[n / 2] : (runs[n / 2 - 1] + runs[n / 2]) / 2;
  std::printf("%-34s first %8.3f ms  median %8.3f ms  min %8.3f ms\n", what, first, median, runs.front());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  const auto version = corvane::platform::ReadVersionRecord();
  const bool nt_family = version && IsNtFamily(version->platform, version->major);
  const std::wstring_view root = ClassRoot(nt_family);

  Time("screen capabilities", rounds, [] { ReadScreenCaps(nullptr); });
  Time("adapters and monitors", rounds, [] {
    std::vector<DisplayAdapter> adapters;
    ReadDisplayAdapters(adapters);
  });
  Time("registry: class, video keys, BIOS", rounds, [&] {
    MachineKeyReader registry;
    const ClassDrivers drivers = SearchClassDrivers(registry, root, kDisplayClass, kDriverDescValue, nt_family);
    ReadVideoLists(registry, root, drivers.key_name);
    MachineKeyReader bios_registry;
    ReadVideoBios(bios_registry);
  });
  Time("reading + model", rounds, [] { BuildDisplayModel(ReadDisplay(nullptr).reading); });

  corvane::ui::Theme theme;
  DisplayWindow window(theme, {});
  if (!window.EnsureBuilt()) {
    std::fprintf(stderr, "the window could not be built\n");
    return 1;
  }
  Time("window refresh (hidden)", rounds, [&] { window.Refresh1Click(); });
  // What was timed, to tell a fast empty reading from a full one.
  const DisplayWindowModel& model = window.model();
  std::printf("%zu drop-down entries, %zu chips, %zu DACs, %zu memory sizes\n", model.entries.size(),
              model.chips.size(), model.dacs.size(), model.memories.size());
  const auto texts = corvane::ui::SheetTexts<DisplayWindowModel>(kDisplayFields, model);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    std::printf("  %-20ls %ls\n", std::wstring(kDisplayFields[i].label).c_str(), texts[i].c_str());
  }
  return 0;
}
