#include "soak/soak_series.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane::soak {
namespace {

// Three minutes of two phases for one process: windows differ by phase (a
// window open at phase 1), everything else flat.
std::vector<Sample> FlatSeries(int minutes = 3) {
  std::vector<Sample> series;
  for (int m = 0; m < minutes; ++m) {
    for (int p = 0; p < 2; ++p) {
      Sample s{m * 60L + p * 30L, m, p, "cycle", {}};
      s.reading.rss_kib = 100000;
      s.reading.fds = 40;
      s.reading.windows = p == 0 ? 50 : 60;
      s.reading.handles.fill(3);
      series.push_back(s);
    }
  }
  return series;
}

Sample& At(std::vector<Sample>& series, int minute, int phase) {
  for (Sample& s : series) {
    if (s.minute == minute && s.phase == phase) return s;
  }
  throw std::logic_error("no such sample");
}

constexpr size_t kGdi = static_cast<size_t>(platform::HandleKind::kGdiObject);

TEST(SoakVerdict, Cases) {
  const struct {
    const char* what;
    std::function<void(std::vector<Sample>&)> change;
    bool pass;
    const char* reason;  // a part of the first reason when it fails
  } cases[] = {
      {"flat", [](auto&) {}, true, ""},
      {"warm-up growth in the first minute is not judged", [](auto& s) { At(s, 0, 0).reading.rss_kib = 50000; }, true, ""},
      {"memory within 8 MiB", [](auto& s) { At(s, 2, 1).reading.rss_kib = 100000 + 8192; }, true, ""},
      {"memory beyond 10% and 8 MiB", [](auto& s) { At(s, 2, 1).reading.rss_kib = 110001; }, false, "RSS 110001 KiB"},
      {"five more descriptors", [](auto& s) { At(s, 2, 0).reading.fds = 45; }, true, ""},
      {"six more descriptors", [](auto& s) { At(s, 2, 0).reading.fds = 46; }, false, "46 descriptors"},
      {"windows compared at the same phase only", [](auto& s) { At(s, 2, 1).reading.windows = 60; }, true, ""},
      {"one window more", [](auto& s) { At(s, 2, 0).reading.windows = 51; }, false, "51 windows"},
      {"one window fewer", [](auto& s) { At(s, 2, 0).reading.windows = 49; }, false, "49 windows"},
      {"a handle more", [](auto& s) { At(s, 2, 1).reading.handles[kGdi] = 4; }, false, "4 live gdi handles"},
      {"a handle fewer", [](auto& s) { At(s, 2, 1).reading.handles[kGdi] = 2; }, true, ""},
      {"a handle more in the baseline minute itself", [](auto& s) { At(s, 1, 1).reading.handles[kGdi] = 4; }, true, ""},
      {"a program that did not answer", [](auto& s) { At(s, 0, 1).reading.handles[0] = -1; }, false, "missing"},
      {"no /proc reading", [](auto& s) { At(s, 2, 0).reading.fds = -1; }, false, "missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Sample> series = FlatSeries();
    c.change(series);
    const Verdict v = Judge(series, Tolerance{});
    EXPECT_TRUE(v.judged);
    EXPECT_EQ(v.pass, c.pass);
    if (!c.pass) {
      ASSERT_FALSE(v.reasons.empty());
      EXPECT_NE(v.reasons.front().find(c.reason), std::string::npos) << v.reasons.front();
    }
  }
}

TEST(SoakVerdict, ProcessesAreComparedWithThemselves) {
  std::vector<Sample> series = FlatSeries();
  for (Sample s : FlatSeries()) {
    s.process = "live";
    s.reading.windows += 100;
    series.push_back(s);
  }
  EXPECT_TRUE(Judge(series, Tolerance{}).pass);
}

TEST(SoakVerdict, TooShortToJudge) {
  const Verdict v = Judge(FlatSeries(2), Tolerance{});
  EXPECT_FALSE(v.judged);
  EXPECT_FALSE(v.pass);
  EXPECT_TRUE(v.reasons.empty());
}

}  // namespace
}  // namespace corvane::soak
