// Cost of each question the summary refresh asks, on this machine: every
// collector is timed through a forwarding wrapper while one refresh runs.
// The clock row includes its half-second measurement sleep; every other row
// is the pipeline's own cost. Prints one line per collector, slowest first.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/collectors/summary_collectors_win.h"
#include "app/refresh_pipeline.h"
#include "platform/com_win.h"

namespace {

using corvane::app::SummaryCollectors;

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

class TimedCollectors final : public SummaryCollectors {
 public:
  explicit TimedCollectors(SummaryCollectors& inner) : inner_(inner) {}
  std::vector<std::pair<std::string, double>> costs;

#define TIMED(Type, Name)                        \
  Type Name() override {                         \
    const double t0 = NowMs();                   \
    struct Record {                              \
      TimedCollectors* self;                     \
      double t0;                                 \
      ~Record() { self->costs.emplace_back(#Name, NowMs() - t0); } \
    } record{this, t0};                          \
    return inner_.Name();                        \
  }
  TIMED(std::optional<bool>, IsWow64)
  TIMED(corvane::app::WindowsIdentity, IdentifyWindows)
  TIMED(std::wstring, BrowserVersion)
  TIMED(std::wstring, Memory)
  TIMED(std::wstring, CpuBrand)
  TIMED(std::wstring, CpuIdentifier)
  TIMED(void, StartClockSample)
  TIMED(std::wstring, CpuSpeed)
  TIMED(std::optional<corvane::cpu::ClockSample>, LastClockSample)
  TIMED(std::optional<std::wstring>, FirstWaveOutDevice)
  TIMED(std::wstring, DisplayAdapters)
  TIMED(int, MonitorCount)
  TIMED(std::wstring, MonitorNames)
  TIMED(std::wstring, Resolution)
  TIMED(std::wstring, ColourDepth)
  TIMED(std::wstring, NetworkPresence)
  TIMED(std::wstring, NetworkAdapters)
  TIMED(corvane::app::OpticalDriveReading, OpticalDrives)
  TIMED(std::wstring, SerialPorts)
  TIMED(std::wstring, ProbedParallelPorts)
  TIMED(std::wstring, RegistryParallelPorts)
  TIMED(std::wstring, Mouse)
  TIMED(std::wstring, DriveSizes)
  TIMED(std::wstring, DriveFreeSpace)
  TIMED(std::wstring, UsbControllers)
  TIMED(std::wstring, FirewireControllers)
  TIMED(std::wstring, BiosManufacturer)
  TIMED(std::wstring, ProductName)
  TIMED(std::wstring, AcPower)
  TIMED(std::wstring, BiosText)
  TIMED(std::wstring, TimeZone)
  TIMED(std::wstring, Battery)
  TIMED(std::wstring, Motherboard)
  TIMED(std::wstring, IpAddresses)
  TIMED(std::wstring, MacAddress)
  TIMED(std::wstring, HostName)
#undef TIMED

 private:
  SummaryCollectors& inner_;
};

class NullView final : public corvane::app::RefreshView {
  void SetBusy(bool) override {}
  void RowChanged(int, bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  corvane::platform::ComApartment com;
  auto system = corvane::app::MakeSystemCollectors();
  std::vector<std::pair<std::string, double>> best, first;
  double total_best = 1e300, total_first = 0;
  for (int round = 0; round < rounds; ++round) {
    TimedCollectors timed(*system);
    corvane::report::SummaryModel sheet;
    NullView view;
    const double t0 = NowMs();
    corvane::app::RunRefresh(timed, sheet, view, false);
    const double total = NowMs() - t0;
    total_best = std::min(total_best, total);
    if (best.empty()) {
      total_first = total;
      first = best = timed.costs;
    } else {
      for (size_t i = 0; i < best.size() && i < timed.costs.size(); ++i) {
        best[i].second = std::min(best[i].second, timed.costs[i].second);
      }
    }
  }
  // The first refresh of a process pays for loading and connecting (WMI above all).
  std::vector<std::tuple<std::string, double, double>> rows;
  double clock_first = 0, clock_best = 0;
  for (size_t i = 0; i < best.size(); ++i) {
    rows.emplace_back(best[i].first, first[i].second, best[i].second);
    if (best[i].first == "CpuSpeed") clock_first = first[i].second, clock_best = best[i].second;
  }
  std::ranges::sort(rows, [](const auto& a, const auto& b) { return std::get<1>(a) > std::get<1>(b); });
  std::printf("whole refresh: first %.1f ms, best of %d %.1f ms; without the clock row: first %.1f ms, best %.1f ms\n",
              total_first, rounds, total_best, total_first - clock_first, total_best - clock_best);
  std::printf("  %-24s %10s %10s\n", "collector", "first ms", "best ms");
  for (const auto& [name, f, b] : rows) std::printf("  %-24s %10.2f %10.2f\n", name.c_str(), f, b);
  return 0;
}
