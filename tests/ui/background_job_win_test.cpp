// Background jobs under Wine: the result comes back through the window's
// message queue on the window's thread; a failure is thrown there; one job
// runs at a time; an abandoned job is stopped, never posts, and its late
// end harms nothing.
#include "ui/background_job_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

using namespace std::chrono_literals;

// A message-only window that keeps the number of the last job end posted to it.
class Receiver {
 public:
  Receiver() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneJobReceiver";
    RegisterClassW(&wc);
    window_.reset(CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
  }
  HWND hwnd() const { return window_.get(); }

  // Runs messages until a job end arrives or `bound` passes; its wParam.
  std::optional<WPARAM> WaitForEnd(std::chrono::milliseconds bound) const {
    const auto until = std::chrono::steady_clock::now() + bound;
    MSG msg;
    while (std::chrono::steady_clock::now() < until) {
      while (PeekMessageW(&msg, window_.get(), 0, 0, PM_REMOVE)) {
        if (msg.message == kBackgroundJobEnded) return msg.wParam;
        DispatchMessageW(&msg);
      }
      Sleep(5);
    }
    return std::nullopt;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
  platform::UniqueWindow window_;
};

TEST(BackgroundJob, ResultComesBackOnTheWindowsThread) {
  Receiver receiver;
  ASSERT_TRUE(receiver.hwnd());
  BackgroundJob<std::wstring> job;
  const DWORD ui_thread = GetCurrentThreadId();
  std::atomic<DWORD> work_thread = 0;
  ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [&](std::stop_token) {
    work_thread = GetCurrentThreadId();
    std::this_thread::sleep_for(50ms);
    return std::wstring(L"walked");
  }));
  EXPECT_TRUE(job.running());
  EXPECT_FALSE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [](std::stop_token) { return std::wstring(); }))
      << "one job at a time";

  const auto end = receiver.WaitForEnd(5s);
  ASSERT_TRUE(end);
  EXPECT_NE(work_thread.load(), ui_thread);
  EXPECT_EQ(job.Take(*end), std::optional<std::wstring>(L"walked"));
  EXPECT_FALSE(job.running());
  EXPECT_EQ(job.Take(*end), std::nullopt) << "taken once";

  // The next job gets another number: a stale message is not its end.
  ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [](std::stop_token) { return std::wstring(L"again"); }));
  EXPECT_EQ(job.Take(*end), std::nullopt);
  const auto second = receiver.WaitForEnd(5s);
  ASSERT_TRUE(second);
  EXPECT_NE(*second, *end);
  EXPECT_EQ(job.Take(*second), std::optional<std::wstring>(L"again"));
}

TEST(BackgroundJob, AFailureIsThrownWhereTheResultIsTaken) {
  Receiver receiver;
  BackgroundJob<int> job;
  ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded,
                        [](std::stop_token) -> int { throw std::runtime_error("no network"); }));
  const auto end = receiver.WaitForEnd(5s);
  ASSERT_TRUE(end);
  EXPECT_THROW(job.Take(*end), std::runtime_error);
  EXPECT_FALSE(job.running()) << "a failed job is over too";
}

TEST(BackgroundJob, AbandonedJobIsStoppedAndNeverPosts) {
  Receiver receiver;
  std::atomic<bool> stopped_by_request = false;
  {
    BackgroundJob<int> job;
    ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [&](std::stop_token stop) {
      while (!stop.stop_requested()) std::this_thread::sleep_for(5ms);
      stopped_by_request = true;
      return 1;
    }));
    const auto start = std::chrono::steady_clock::now();
    job.Abandon(5s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_TRUE(stopped_by_request);
    EXPECT_FALSE(job.running());
  }
  EXPECT_FALSE(receiver.WaitForEnd(200ms)) << "an abandoned job's end is not posted";

  // A job that does not stop is waited for only as long as the bound, and
  // its late end is not posted either; its window may be gone by then.
  std::atomic<bool> release = false, ended = false;
  const auto start = std::chrono::steady_clock::now();
  {
    BackgroundJob<int> job;
    ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [&](std::stop_token) {
      while (!release) std::this_thread::sleep_for(5ms);
      ended = true;
      return 2;
    }));
  }  // the destructor abandons it, waiting kAbandonWait at most
  EXPECT_LT(std::chrono::steady_clock::now() - start, kAbandonWait + 3s);
  EXPECT_FALSE(ended);
  release = true;
  for (int i = 0; i < 200 && !ended; ++i) std::this_thread::sleep_for(5ms);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(receiver.WaitForEnd(200ms));
}

// Waiting instead of taking a posted end (a window that is not built): the
// result of a job that ends in time, the partial result of one that stops
// when asked, nothing from one that ignores the request (after bound plus
// grace, not longer), and the work's failure thrown again.
TEST(BackgroundJob, WaitIsBoundedAndTakesWhatEndedInTime) {
  enum class Behaviour { kEndsAtOnce, kStopsWhenAsked, kIgnoresStop, kThrows };
  struct Case {
    Behaviour behaviour;
    std::optional<int> result;
    bool throws;
  };
  const Case cases[] = {
      {Behaviour::kEndsAtOnce, 7, false},
      {Behaviour::kStopsWhenAsked, 3, false},
      {Behaviour::kIgnoresStop, std::nullopt, false},
      {Behaviour::kThrows, std::nullopt, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.behaviour));
    Receiver receiver;
    std::atomic<bool> release = false, ended = false;
    BackgroundJob<int> job;
    ASSERT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [&](std::stop_token stop) -> int {
      struct Mark {
        std::atomic<bool>& ended;
        ~Mark() { ended = true; }
      } mark{ended};
      switch (c.behaviour) {
        case Behaviour::kEndsAtOnce:
          return 7;
        case Behaviour::kStopsWhenAsked:
          while (!stop.stop_requested()) std::this_thread::sleep_for(5ms);
          return 3;
        case Behaviour::kIgnoresStop:
          while (!release) std::this_thread::sleep_for(5ms);
          return 4;
        case Behaviour::kThrows:
          throw std::runtime_error("no network");
      }
      return 0;
    }));
    const auto start = std::chrono::steady_clock::now();
    std::optional<int> result;
    bool threw = false;
    try {
      result = job.Wait(c.behaviour == Behaviour::kEndsAtOnce || c.behaviour == Behaviour::kThrows ? 5s : 300ms,
                        300ms);
    } catch (const std::runtime_error&) {
      threw = true;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(threw, c.throws);
    EXPECT_FALSE(job.running());
    EXPECT_FALSE(job.Take(1)) << "nothing is left to take";
    release = true;
    for (int i = 0; i < 200 && !ended; ++i) std::this_thread::sleep_for(5ms);
    EXPECT_TRUE(ended);
    // A job may be started again afterwards.
    EXPECT_TRUE(job.Start(receiver.hwnd(), kBackgroundJobEnded, [](std::stop_token) { return 1; }));
    EXPECT_EQ(job.Wait(5s, 0ms), 1);
  }
}

}  // namespace
}  // namespace corvane::ui
