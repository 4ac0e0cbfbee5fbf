// Timing for the hand-run benchmarks: microseconds from the performance
// counter, and the median and best of repeated runs printed on one line.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace corvane::bench {

inline double NowUs() {
  static const LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

inline double Once(const std::function<void()>& body) {
  const double t0 = NowUs();
  body();
  return NowUs() - t0;
}

// Median and best of `runs` after one warming run.
inline void Report(const char* what, int runs, const std::function<void()>& body) {
  body();
  std::vector<double> us;
  us.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) us.push_back(Once(body));
  std::sort(us.begin(), us.end());
  const double median = us.size() % 2 ? us[us.size() / 2] : (us[us.size() / 2 - 1] + us[us.size() / 2]) / 2;
  std::printf("%-56s median %10.1f us   best %10.1f us   (%d runs)\n", what, median, us.front(), runs);
}

}  // namespace corvane::bench
