// The soak run's series and its verdict, platform-free so that the judging
// is tested natively: samples taken at fixed phases of a one-minute cycle,
// each later one compared with the sample of the baseline minute at the same
// phase. Memory may grow a little (caches settling); descriptors a few;
// windows not at all; the handles the owners count must not rise above the
// baseline (fewer is fine: a background job may just have ended).
#pragma once
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/live_handles.h"

namespace corvane::soak {

using platform::kHandleKindCount;

struct Reading {
  long rss_kib = -1;  // -1: not read
  long fds = -1;
  long windows = -1;
  std::array<long, kHandleKindCount> handles{};  // -1: the program did not answer
};

struct Sample {
  long seconds = 0;  // since the series started
  int minute = 0;
  int phase = 0;  // which sample of its minute
  std::string process;
  Reading reading;
};

struct Tolerance {
  double rss_fraction = 0.10;  // memory may grow by this much...
  long rss_kib = 8 * 1024;     // ...or by this many KiB, whichever is more
  long fds = 5;
};

struct Verdict {
  bool judged = false;  // false: no minute after the baseline to compare
  bool pass = false;
  std::vector<std::string> reasons;  // why it failed, one line each
};

inline std::string Header() {
  std::string line = "time_s minute phase process rss_kib fds windows";
  for (auto name : platform::kHandleKindNames) line.append(" ").append(name);
  return line;
}

inline std::string FormatSample(const Sample& s) {
  char head[128];
  std::snprintf(head, sizeof head, "%6ld %2d %d %-5s %8ld %4ld %4ld", s.seconds, s.minute, s.phase, s.process.c_str(),
                s.reading.rss_kib, s.reading.fds, s.reading.windows);
  std::string line = head;
  for (long n : s.reading.handles) line.append(" ").append(std::to_string(n));
  return line;
}

inline Verdict Judge(const std::vector<Sample>& samples, const Tolerance& tol, int baseline_minute = 1) {
  Verdict v;
  std::map<std::pair<std::string, int>, const Sample*> base;
  for (const Sample& s : samples) {
    if (s.minute == baseline_minute) base.emplace(std::make_pair(s.process, s.phase), &s);
  }
  const auto where = [](const Sample& s) {
    return s.process + " at " + std::to_string(s.seconds) + " s (minute " + std::to_string(s.minute) + ", phase " +
           std::to_string(s.phase) + ")";
  };
  for (const Sample& s : samples) {
    const Reading& r = s.reading;
    if (r.rss_kib < 0 || r.fds < 0 || r.windows < 0 ||
        std::ranges::any_of(r.handles, [](long n) { return n < 0; })) {
      v.reasons.push_back(where(s) + ": a reading is missing");
      continue;
    }
    if (s.minute <= baseline_minute) continue;
    auto it = base.find({s.process, s.phase});
    if (it == base.end()) {
      v.reasons.push_back(where(s) + ": no baseline sample at this phase");
      continue;
    }
    v.judged = true;
    const Reading& b = it->second->reading;
    const std::string against = " (baseline " ;
    const long rss_limit = std::max(b.rss_kib + tol.rss_kib, static_cast<long>(b.rss_kib * (1.0 + tol.rss_fraction)));
    if (r.rss_kib > rss_limit) {
      v.reasons.push_back(where(s) + ": RSS " + std::to_string(r.rss_kib) + " KiB above " + std::to_string(rss_limit) +
                          against + std::to_string(b.rss_kib) + ")");
    }
    if (r.fds > b.fds + tol.fds) {
      v.reasons.push_back(where(s) + ": " + std::to_string(r.fds) + " descriptors" + against + std::to_string(b.fds) +
                          ", allowed +" + std::to_string(tol.fds) + ")");
    }
    if (r.windows != b.windows) {
      v.reasons.push_back(where(s) + ": " + std::to_string(r.windows) + " windows" + against +
                          std::to_string(b.windows) + ")");
    }
    for (size_t k = 0; k < kHandleKindCount; ++k) {
      if (r.handles[k] > b.handles[k]) {
        v.reasons.push_back(where(s) + ": " + std::to_string(r.handles[k]) + " live " +
                            std::string(platform::kHandleKindNames[k]) + " handles" + against +
                            std::to_string(b.handles[k]) + ")");
      }
    }
  }
  v.pass = v.judged && v.reasons.empty();
  return v;
}

}  // namespace corvane::soak
