// Cost of the memory window's refresh and of the date and time window's
// timer tick on this machine:
//  - the memory refresh by part: the memory status and system information,
//    the WMI table query of the modules (the first one of the process
//    apart: it loads and starts WMI), the model, and the whole
//    Refresh1Click on a hidden window (list and cells shown);
//  - one date and time tick: reading the clock and the millisecond count
//    and wording the Time and System Up Time rows, and the whole
//    Timer1Timer on a hidden window (the two cells set too).
// Prints the median and the best of N runs of each.
//   bench_memory_refresh.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_timing_win.h"
#include "memory_display_time/datetime_readers_win.h"
#include "memory_display_time/datetime_window_win.h"
#include "memory_display_time/memory_readers_win.h"
#include "memory_display_time/memory_window_win.h"
#include "platform/com_win.h"
#include "platform/locale_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane;
using namespace corvane::memory_display_time;

using bench::Once;
using bench::Report;

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  platform::ComApartment com;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const ui::Theme theme;

  std::printf("Memory window refresh:\n");
  ModuleTable table;
  const double first_query = Once([&] { table = ReadModuleTable(); });
  std::printf("  first WMI query of the process: %.1f ms (%d modules, %d properties)\n", first_query / 1000,
              table.instances, table.properties);
  const MemoryFigures figures = ReadMemoryFigures();
  const std::wstring thousands = platform::ReadThousandsSeparator();
  Report("  memory status + system information", rounds * 20, [] { ReadMemoryFigures(); });
  Report("  WMI table query of Win32_PhysicalMemory", rounds, [&] { table = ReadModuleTable(); });
  Report("  model (texts, module rows, total)", rounds * 20, [&] { BuildMemoryModel(figures, table, thousands); });
  {
    MemoryWindow window(theme);
    if (window.EnsureBuilt()) {
      Report("  Refresh1Click on a hidden window (all of it)", rounds, [&] { window.Refresh1Click(); });
    }
  }

  std::printf("Date and time tick:\n");
  DateTimeModel model;
  Report("  clock + tick count read, Time and Up Time worded", rounds * 200,
         [&] { ApplyClock(model, ReadClock()); });
  {
    DateTimeWindow window(theme);
    if (window.EnsureBuilt()) {
      Report("  Timer1Timer on a hidden window (two cells set)", rounds * 200, [&] { window.Timer1Timer(); });
      Report("  FormShow on a hidden window (every row)", rounds * 20, [&] { window.FormShow(); });
    }
  }
  return 0;
}
