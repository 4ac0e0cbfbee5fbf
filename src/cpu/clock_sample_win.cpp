#include "cpu/clock_sample_win.h"

#include <windows.h>

#include <mutex>

#include "cpu/cpuid_live.h"

namespace corvane::cpu {
namespace {

// The clock sample must not be pre-empted and must read one processor's
// counter at both ends. Everything it changes is put back when it ends: a
// process left at real-time priority would starve the rest of the desktop
// whenever it is busy. A setting that cannot be read is left alone, since it
// could not be restored.
class ClockSampleScope {
 public:
  ClockSampleScope() noexcept {
    const DWORD_PTR one = LowestProcessor();
    if (one != 0) old_affinity_ = ::SetThreadAffinityMask(thread_, one);
    old_class_ = ::GetPriorityClass(process_);
    if (old_class_ != 0) ::SetPriorityClass(process_, REALTIME_PRIORITY_CLASS);
    old_priority_ = ::GetThreadPriority(thread_);
    if (old_priority_ != THREAD_PRIORITY_ERROR_RETURN) ::SetThreadPriority(thread_, THREAD_PRIORITY_TIME_CRITICAL);
  }
  ClockSampleScope(const ClockSampleScope&) = delete;
  ClockSampleScope& operator=(const ClockSampleScope&) = delete;
  ~ClockSampleScope() {
    if (old_priority_ != THREAD_PRIORITY_ERROR_RETURN) ::SetThreadPriority(thread_, old_priority_);
    if (old_class_ != 0) ::SetPriorityClass(process_, old_class_);
    if (old_affinity_ != 0) ::SetThreadAffinityMask(thread_, old_affinity_);
  }

 private:
  DWORD_PTR LowestProcessor() const noexcept {
    DWORD_PTR process_mask = 0, system_mask = 0;
    if (!::GetProcessAffinityMask(process_, &process_mask, &system_mask)) return 0;
    return process_mask & (~process_mask + 1);
  }

  HANDLE process_ = ::GetCurrentProcess();
  HANDLE thread_ = ::GetCurrentThread();
  DWORD_PTR old_affinity_ = 0;
  DWORD old_class_ = 0;
  int old_priority_ = THREAD_PRIORITY_ERROR_RETURN;
};

// The priority class is the whole process's: two samples in flight at once
// could each find the other's raised class and put that back for good.
std::mutex& SampleMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::optional<ClockSample> SampleCpuClock() {
  return SampleCpuClock([] { ::Sleep(500); });
}

std::optional<ClockSample> SampleCpuClock(const std::function<void()>& interval) {
  // Without the counter RDTSC would fault, so the feature bit decides.
  LiveCpuid processor;
  if (!HasTimeStampCounter(processor)) return std::nullopt;
  LARGE_INTEGER frequency{}, t0{}, t1{};
  const bool timer = ::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
  ClockSample sample;
  {
    const std::lock_guard<std::mutex> one_at_a_time(SampleMutex());
    const ClockSampleScope scope;
    const std::uint64_t c0 = ReadCycleCounter();
    if (timer) ::QueryPerformanceCounter(&t0);
    interval();
    const std::uint64_t c1 = ReadCycleCounter();
    if (timer) ::QueryPerformanceCounter(&t1);
    sample.tsc_ticks = c1 - c0;
  }
  if (timer && t1.QuadPart > t0.QuadPart) {
    sample.timer_ticks = static_cast<std::uint64_t>(t1.QuadPart - t0.QuadPart);
    sample.timer_frequency = static_cast<std::uint64_t>(frequency.QuadPart);
  }
  return sample;
}

}  // namespace corvane::cpu
