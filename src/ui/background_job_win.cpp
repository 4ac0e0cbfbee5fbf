#include "ui/background_job_win.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace corvane::ui {

// What the window's thread and the job's thread share; the job's thread
// holds it until it has ended, so an abandoned job never touches freed memory.
struct BackgroundThread::Shared {
  std::mutex mutex;
  std::condition_variable ended_signal;
  bool ended = false;
  bool abandoned = false;
  std::stop_source stop;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM number = 0;
};

bool BackgroundThread::Start(HWND window, UINT message, std::function<void(std::stop_token)> work) {
  if (shared_) return false;
  auto shared = std::make_shared<Shared>();
  shared->window = window;
  shared->message = message;
  shared->number = ++number_;
  try {
    std::thread([shared, work = std::move(work)] {
      work(shared->stop.get_token());
      const std::lock_guard lock(shared->mutex);
      shared->ended = true;
      shared->ended_signal.notify_all();
      // Under the lock: once Abandon has the lock, nothing is posted any more.
      if (!shared->abandoned) PostMessageW(shared->window, shared->message, shared->number, 0);
    }).detach();
  } catch (const std::exception&) {
    return false;  // no thread (or no memory for one)
  }
  shared_ = std::move(shared);
  return true;
}

bool BackgroundThread::Ended(WPARAM job) {
  if (!shared_ || job != shared_->number) return false;
  {
    const std::lock_guard lock(shared_->mutex);
    if (!shared_->ended) return false;
  }
  shared_.reset();
  return true;
}

void BackgroundThread::Abandon(std::chrono::milliseconds bound) {
  if (!shared_) return;
  std::unique_lock lock(shared_->mutex);
  shared_->abandoned = true;
  shared_->stop.request_stop();
  shared_->ended_signal.wait_for(lock, bound, [&] { return shared_->ended; });
  lock.unlock();
  shared_.reset();
}

bool BackgroundThread::Wait(std::chrono::milliseconds bound, std::chrono::milliseconds grace) {
  if (!shared_) return false;
  std::unique_lock lock(shared_->mutex);
  const auto ended = [&] { return shared_->ended; };
  bool done = shared_->ended_signal.wait_for(lock, bound, ended);
  if (!done) {
    shared_->stop.request_stop();
    done = shared_->ended_signal.wait_for(lock, grace, ended);
  }
  // The caller has what it waited for: a message posted meanwhile is stale.
  shared_->abandoned = true;
  lock.unlock();
  shared_.reset();
  return done;
}

}  // namespace corvane::ui
