// Slow work (a walk through the network, a lookup that may wait for a
// server) on a thread of its own, so the window's thread goes on answering.
// The work's end comes back to the window as a posted message; the window
// takes the result on its own thread, where it shows it.
//
//   Start: the window's thread starts the work (one job at a time).
//   The work runs, checking its stop token between slow steps.
//   The thread posts `message` (wParam: the job's number) to the window.
//   The window's handler of `message` calls Take(wParam).
//
// A job whose window no longer wants it (the window goes away, or a
// program ends) is abandoned: it is asked to stop, waited for a bounded
// time, and its end is never posted. Its thread keeps only what the job
// itself holds, so it may run on past the window without harm.
#pragma once
#include <windows.h>

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <utility>

namespace corvane::ui {

// The message a window's background job posts at its end, unless the
// window chooses another (a window with two jobs).
inline constexpr UINT kBackgroundJobEnded = WM_APP + 0x40;

// How long an abandoned job is waited for before it is left to end alone.
inline constexpr std::chrono::milliseconds kAbandonWait{2000};

// How long the unattended report waits for a window's job (a network walk,
// a look-up that may wait for a server) before asking it to stop, and then
// for it to stop with what it has: the report ends in bounded time even on
// a network that does not answer.
inline constexpr std::chrono::milliseconds kReportJobWait{10000};
inline constexpr std::chrono::milliseconds kReportJobStopWait{2000};

// The thread side, without a result type.
class BackgroundThread {
 public:
  BackgroundThread() = default;
  ~BackgroundThread() { Abandon(kAbandonWait); }
  BackgroundThread(const BackgroundThread&) = delete;
  BackgroundThread& operator=(const BackgroundThread&) = delete;

  // Runs `work` on a new thread and posts `message` to `window` when it has
  // returned. False (and nothing runs) while a job runs or when no thread
  // can be made. `work` must not throw.
  bool Start(HWND window, UINT message, std::function<void(std::stop_token)> work);
  // A job has been started and its end not yet taken.
  bool running() const noexcept { return static_cast<bool>(shared_); }
  // For the posted message: true when it tells the end of the running job
  // (which then is no longer running); false for the late message of a job
  // abandoned since, or any other.
  bool Ended(WPARAM job);
  // Asks the running job to stop, waits up to `bound` for it and forgets
  // it; its end is not posted. Nothing when no job runs.
  void Abandon(std::chrono::milliseconds bound);
  // For a caller that waits instead of taking a posted end (a window that
  // is not built): waits up to `bound` for the running job; when it has not
  // ended by then, asks it to stop and waits up to `grace` more. True when
  // it ended (it is then no longer running); false when it is abandoned.
  // Either way its posted end, if any, is never taken.
  bool Wait(std::chrono::milliseconds bound, std::chrono::milliseconds grace);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  WPARAM number_ = 0;
};

// A job that gives a Result.
template <class Result>
class BackgroundJob {
 public:
  using Work = std::function<Result(std::stop_token)>;

  // See BackgroundThread::Start. An exception from `work` is kept and
  // thrown again by Take.
  bool Start(HWND window, UINT message, Work work) {
    auto slot = std::make_shared<Slot>();
    auto run = [slot, work = std::move(work)](std::stop_token stop) noexcept {
      try {
        slot->result.emplace(work(std::move(stop)));
      } catch (...) {
        slot->failure = std::current_exception();
      }
    };
    if (!thread_.Start(window, message, std::move(run))) return false;
    slot_ = std::move(slot);
    return true;
  }
  bool running() const noexcept { return thread_.running(); }

  // For the posted message: the running job's result once it has ended;
  // nullopt for a message that is not its end. Throws what the work threw.
  std::optional<Result> Take(WPARAM job) {
    if (!thread_.Ended(job)) return std::nullopt;
    const std::shared_ptr<Slot> slot = std::exchange(slot_, nullptr);
    if (slot->failure) std::rethrow_exception(slot->failure);
    return std::move(slot->result);
  }

  void Abandon(std::chrono::milliseconds bound = kAbandonWait) {
    thread_.Abandon(bound);
    slot_.reset();
  }

  // See BackgroundThread::Wait: the result of a job that ended within the
  // bounds (a stopped job's result too), nullopt for one abandoned or none
  // running. Throws what the work threw.
  std::optional<Result> Wait(std::chrono::milliseconds bound, std::chrono::milliseconds grace) {
    const bool ended = thread_.Wait(bound, grace);
    const std::shared_ptr<Slot> slot = std::exchange(slot_, nullptr);
    if (!ended || !slot) return std::nullopt;
    if (slot->failure) std::rethrow_exception(slot->failure);
    return std::move(slot->result);
  }

 private:
  struct Slot {
    std::optional<Result> result;
    std::exception_ptr failure;
  };
  BackgroundThread thread_;
  std::shared_ptr<Slot> slot_;
};

}  // namespace corvane::ui
