// The clock sample's priority rules, seen from inside the sample: the
// sampling thread runs at real-time class, time-critical priority, pinned to
// one processor while it measures, and its caller has its own settings back
// afterwards. The caller starts from settings other than the defaults, so a
// sample that "puts back" fixed values is caught too.
#include "cpu/clock_sample_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "cpu/clock_sampler.h"
#include "platform/unique_handle.h"

namespace corvane::cpu {
namespace {

// A thread's settings as the thread itself sees them.
struct Settings {
  DWORD process_class = 0;
  int thread_priority = THREAD_PRIORITY_ERROR_RETURN;
  DWORD_PTR affinity = 0;
  DWORD thread_id = 0;
};

DWORD_PTR ProcessAffinity() {
  DWORD_PTR process = 0, system = 0;
  return ::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) ? process : 0;
}

// The calling thread's affinity. The system tells it only as the old mask
// when a new one is set, so the old one is set again at once.
DWORD_PTR ThreadAffinity() {
  const DWORD_PTR old = ::SetThreadAffinityMask(::GetCurrentThread(), ProcessAffinity());
  if (old != 0) ::SetThreadAffinityMask(::GetCurrentThread(), old);
  return old;
}

Settings ReadSettings() {
  return {::GetPriorityClass(::GetCurrentProcess()), ::GetThreadPriority(::GetCurrentThread()), ThreadAffinity(),
          ::GetCurrentThreadId()};
}

DWORD_PTR LowestBit(DWORD_PTR mask) { return mask & (~mask + 1); }
DWORD_PTR HighestBit(DWORD_PTR mask) {
  DWORD_PTR bit = 0;
  for (; mask != 0; mask &= mask - 1) bit = LowestBit(mask);
  return bit;
}

// The calling thread set to a below-normal class, an above-normal thread
// priority and (with two processors or more) the highest processor, none of
// which the sample uses; everything put back at the end of the test.
class CallerSettings {
 public:
  CallerSettings() : old_(ReadSettings()) {
    EXPECT_TRUE(::SetPriorityClass(::GetCurrentProcess(), BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_TRUE(::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL));
    ::SetThreadAffinityMask(::GetCurrentThread(), HighestBit(ProcessAffinity()));
  }
  CallerSettings(const CallerSettings&) = delete;
  CallerSettings& operator=(const CallerSettings&) = delete;
  ~CallerSettings() {
    ::SetThreadAffinityMask(::GetCurrentThread(), old_.affinity);
    ::SetThreadPriority(::GetCurrentThread(), old_.thread_priority);
    ::SetPriorityClass(::GetCurrentProcess(), old_.process_class);
  }

 private:
  Settings old_;
};

void ExpectRaised(const Settings& during) {
  EXPECT_EQ(during.process_class, static_cast<DWORD>(REALTIME_PRIORITY_CLASS));
  EXPECT_EQ(during.thread_priority, THREAD_PRIORITY_TIME_CRITICAL);
  EXPECT_EQ(during.affinity, LowestBit(ProcessAffinity())) << "pinned to the process's first processor";
}

void ExpectSame(const Settings& after, const Settings& before) {
  EXPECT_EQ(after.process_class, before.process_class);
  EXPECT_EQ(after.thread_priority, before.thread_priority);
  EXPECT_EQ(after.affinity, before.affinity);
}

TEST(ClockSample, RaisedWhileMeasuringAndPutBackAfterwards) {
  const CallerSettings caller;
  const Settings before = ReadSettings();
  ASSERT_EQ(before.process_class, static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
  ASSERT_EQ(before.thread_priority, THREAD_PRIORITY_ABOVE_NORMAL);

  Settings during;
  int intervals = 0;
  const auto sample = SampleCpuClock([&] {
    ++intervals;
    during = ReadSettings();
    ::Sleep(20);
  });
  const Settings after = ReadSettings();

  ASSERT_TRUE(sample) << "every processor Wine runs on has a time-stamp counter";
  EXPECT_EQ(intervals, 1);
  EXPECT_GT(sample->tsc_ticks, 0u);
  ExpectRaised(during);
  ExpectSame(after, before);
}

TEST(ClockSample, OnTheSamplerOnlyItsOwnThreadIsRaised) {
  const CallerSettings caller;
  const Settings before = ReadSettings();
  platform::UniqueKernelObject caller_thread;
  ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(),
                                caller_thread.put(), THREAD_QUERY_INFORMATION, FALSE, 0));

  Settings during;
  int caller_priority_during = THREAD_PRIORITY_ERROR_RETURN;
  ClockSampler sampler([&] {
    return SampleCpuClock([&] {
      during = ReadSettings();
      caller_priority_during = ::GetThreadPriority(caller_thread.get());
    });
  });
  sampler.Start();
  const auto sample = sampler.Take(std::chrono::seconds(10));
  const Settings after = ReadSettings();

  ASSERT_TRUE(sample);
  EXPECT_NE(during.thread_id, before.thread_id) << "sampled on a thread of its own";
  ExpectRaised(during);
  EXPECT_EQ(caller_priority_during, before.thread_priority) << "the caller's thread is not raised";
  ExpectSame(after, before);
}

TEST(ClockSample, TwoCallersTakeTurnsAndTheClassComesBack) {
  // Each sample gives the other a moment to enter, and the second one in
  // leaves last: were they let in together, it would have found the first
  // one's real-time class and would put that back last.
  const CallerSettings caller;
  const DWORD before = ::GetPriorityClass(::GetCurrentProcess());
  std::atomic<int> inside{0}, most_inside{0};
  auto interval = [&] {
    const int now = ++inside;
    int most = most_inside;
    while (now > most && !most_inside.compare_exchange_weak(most, now)) {
    }
    for (int i = 0; i < 20 && most_inside < 2; ++i) ::Sleep(10);
    if (now == 2) ::Sleep(100);
    --inside;
  };
  std::thread other([&] { SampleCpuClock(interval); });
  SampleCpuClock(interval);
  other.join();
  EXPECT_EQ(most_inside, 1) << "the two samples overlapped";
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), before);
}

}  // namespace
}  // namespace corvane::cpu
