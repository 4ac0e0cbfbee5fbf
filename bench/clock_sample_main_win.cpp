// Whether the clock sample keeps its accuracy while the summary's other rows
// are read during it: N samples alone, then N samples taken by N summary
// refreshes (every other row read on this thread while the sample runs on
// its own), each as MHz to three decimals. Prints the mean, standard
// deviation, minimum and maximum of each set, and the refreshes' time.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "bench_timing_win.h"
#include "app/collectors/summary_collectors_win.h"
#include "app/refresh_pipeline.h"
#include "cpu/clock_rate.h"
#include "cpu/clock_sample_win.h"
#include "platform/com_win.h"
#include "report/summary.h"

namespace {

class NoView final : public corvane::app::RefreshView {
 public:
  void SetBusy(bool) override {}
  void RowChanged(int, bool) override {}
};

double Mhz(const std::optional<corvane::cpu::ClockSample>& sample) {
  if (!sample) return std::nan("");
  return corvane::cpu::ClockMhz(sample->tsc_ticks, sample->timer_ticks, sample->timer_frequency);
}

void Print(const char* what, const std::vector<double>& mhz) {
  double sum = 0, lo = mhz.front(), hi = mhz.front();
  for (double v : mhz) sum += v, lo = std::min(lo, v), hi = std::max(hi, v);
  const double mean = sum / static_cast<double>(mhz.size());
  double squares = 0;
  for (double v : mhz) squares += (v - mean) * (v - mean);
  std::printf("%-34s n %2zu  mean %10.3f MHz  sd %7.3f  min %10.3f  max %10.3f\n", what, mhz.size(), mean,
              std::sqrt(squares / static_cast<double>(mhz.size())), lo, hi);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const corvane::platform::ComApartment com;
  std::vector<double> alone, during;
  for (int i = 0; i < runs; ++i) alone.push_back(Mhz(corvane::cpu::SampleCpuClock()));

  auto collectors = corvane::app::MakeSystemCollectors();
  corvane::report::SummaryModel sheet;
  NoView view;
  double refresh_us = 0;
  for (int i = 0; i < runs; ++i) {
    refresh_us += corvane::bench::Once([&] { RunRefresh(*collectors, sheet, view, false); });
    during.push_back(Mhz(collectors->LastClockSample()));
  }
  Print("sample alone", alone);
  Print("sample during the summary's rows", during);
  std::printf("summary refresh, sample included: mean %.1f ms\n", refresh_us / 1000.0 / runs);
  return 0;
}
