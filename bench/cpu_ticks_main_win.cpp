// Cost of the processor windows' live displays on this machine:
//  - one CPU-window timer tick without its half-second clock measurement:
//    the usage sample, the counter formatting and the digit drawing into a
//    memory device context, each alone and together;
//  - the same tick in full on a hidden CPU window, less a plain half-second
//    sleep;
//  - one meters tick on a hidden meters window, and its chart blit;
//  - the identification part of the CPU window's refresh (no WMI).
// Prints the median and the best of N runs of each.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "cpu/cpu_panels_win.h"
#include "cpu/cpu_window_text.h"
#include "cpu/cpu_window_win.h"
#include "cpu/digit_glyphs.h"
#include "cpu/cpuid_live.h"
#include "cpu/meters_window_win.h"
#include "cpu/system_times_win.h"
#include "platform/unique_handle.h"
#include "ui/dpi_scale.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane;

double NowUs() {
  static const LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double ThreadCpuUs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto us = [](const FILETIME& f) {
    return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 10.0;
  };
  return us(kernel) + us(user);
}

void Report(const char* what, int runs, const std::function<void()>& body) {
  body();  // warm: first-use lookups and caches
  std::vector<double> us;
  us.reserve(static_cast<size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const double t0 = NowUs();
    body();
    us.push_back(NowUs() - t0);
  }
  std::sort(us.begin(), us.end());
  std::printf("%-52s median %9.1f us   best %9.1f us   (%d runs)\n", what, us[us.size() / 2], us.front(), runs);
}

// A memory device context the size of the larger digit display.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    platform::WindowDc screen(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~MemoryCanvas() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }

 private:
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const ui::Theme theme;
  constexpr int kRuns = 2000;

  std::printf("CPU window tick, without the clock measurement:\n");
  cpu::UsageSampler sampler;
  cpu::CpuDisplays displays;
  const cpu::DigitImages digits;
  MemoryCanvas canvas(cpu::DigitX(cpu::kCounterDigitCount), cpu::kDigitHeight);
  auto usage = [&] { cpu::ApplyUsage(displays, sampler.Take(cpu::ReadSystemTimes()), L"."); };
  auto counter = [&] { displays.counter_digits = cpu::CounterDigits(cpu::ReadCycleCounter()); };
  auto draw = [&] {
    digits.Draw(canvas.dc(), displays.speed_digits, ui::kLogicalDpi);
    digits.Draw(canvas.dc(), displays.counter_digits, ui::kLogicalDpi);
    GdiFlush();
  };
  displays.speed_digits = cpu::SpeedDigits(2394.7);
  Report("  usage sample (three system queries + arithmetic)", kRuns, usage);
  Report("  counter read and formatting", kRuns, counter);
  Report("  5 + 16 digit images into a memory DC", kRuns, draw);
  Report("  all three", kRuns, [&] {
    usage();
    counter();
    draw();
  });

  // A real, hidden CPU window: the tick as the timer runs it, measurement
  // included. The thread's processor time is too coarse here (clock ticks of
  // 10 ms or more), so the tick's own cost is its wall time less that of a
  // plain half-second sleep, taken alternately so both see the same load.
  {
    cpu::CpuWindow window(theme, nullptr, nullptr);
    if (window.EnsureBuilt()) {
      constexpr int kTicks = 8;
      window.Timer1Timer();
      std::vector<double> extra;
      for (int i = 0; i < kTicks; ++i) {
        const double t0 = NowUs();
        window.Timer1Timer();
        const double t1 = NowUs();
        Sleep(500);
        extra.push_back((t1 - t0) - (NowUs() - t1));
      }
      std::sort(extra.begin(), extra.end());
      std::printf("CPU window tick in full, less a plain 500 ms sleep (hidden window, %d ticks):\n", kTicks);
      std::printf("  median %.2f ms   best %.2f ms\n", extra[extra.size() / 2] / 1000, extra.front() / 1000);
    }
  }

  std::printf("Meters tick:\n");
  {
    cpu::MetersWindow meters(theme);
    if (meters.EnsureBuilt()) {
      Report("  GetUsage on a hidden meters window", kRuns, [&] { meters.GetUsage(); });
      const double cpu0 = ThreadCpuUs();
      for (int i = 0; i < kRuns; ++i) meters.GetUsage();
      std::printf("  thread CPU %.1f us per tick\n", (ThreadCpuUs() - cpu0) / kRuns);
      MemoryCanvas chart(cpu::MetersChart::kWidth, cpu::MetersChart::kHeight);
      Report("  chart blit into a memory DC", kRuns, [&] {
        cpu::PaintPixels(chart.dc(), meters.model().chart().image(), ui::kLogicalDpi, 0, 0);
        GdiFlush();
      });
    }
  }
  cpu::MetersChart model;
  Report("  chart step of the model alone", kRuns, [&] { model.Step(37); });

  std::printf("CPU window refresh without WMI:\n");
  Report("  identification, division test, texts", 200, [] {
    cpu::LiveCpuid source;
    const cpu::CpuIdentity identity = cpu::IdentifyCpu(source);
    cpu::CpuRowTexts rows;
    cpu::ApplyIdentification(rows, 1, identity);
    const auto items = cpu::FeatureItems(cpu::FeatureLines(identity.features, cpu::HasFDIVBug()));
    (void)items;
  });
  return 0;
}
