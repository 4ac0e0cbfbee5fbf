// Cost of the services window's refresh on this machine, by part: binding
// the two service-manager functions (done once at start-up), the reading
// (manager opened, sized and enumerated, names converted), the rows worded,
// and the whole Refresh1Click on a hidden window (list filled). The device
// driver window's Refresh1Click (class database walk, sort, list) for
// comparison. The first reading of the process apart, then the median and
// the best of N runs of each.
//   bench_services_refresh.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_timing_win.h"
#include "inventory/devices_window_win.h"
#include "inventory/services_readers_win.h"
#include "inventory/services_view.h"
#include "inventory/services_window_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane;
using namespace corvane::inventory;

using bench::Once;
using bench::Report;

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const ui::Theme theme;

  std::printf("Services window refresh:\n");
  const double bind = Once([] { ServiceManagerLibrary library(kServiceManagerLibrary); });
  const ServiceManagerLibrary library(kServiceManagerLibrary);
  std::vector<ServiceRecord> records;
  const double first = Once([&] { records = ReadServices(library.api()); });
  std::printf("  binding at start-up: %.1f us; first reading of the process: %.1f ms (%zu services)\n", bind,
              first / 1000, records.size());
  Report("  reading (open, size, enumerate, convert)", rounds, [&] { records = ReadServices(library.api()); });
  Report("  rows worded", rounds * 20, [&] { ServiceRows(records); });
  {
    ServicesWindow window(theme);
    if (window.EnsureBuilt()) {
      Report("  Refresh1Click on a hidden window (all of it)", rounds, [&] { window.Refresh1Click(); });
    }
  }

  std::printf("Device driver window refresh:\n");
  {
    DevicesWindow window(theme);
    if (window.EnsureBuilt()) {
      Report("  Refresh1Click on a hidden window (all of it)", rounds, [&] { window.Refresh1Click(); });
      std::printf("  (%zu drivers)\n", window.list().rows.size());
    }
  }
  return 0;
}
