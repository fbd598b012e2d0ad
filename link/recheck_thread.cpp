#include "link/recheck_thread.h"

#include <chrono>

RecheckThread::RecheckThread(std::function<int()> scan, std::function<void()> onFound)
    : scan_(std::move(scan)), onFound_(std::move(onFound)) {}

RecheckThread::~RecheckThread() {
  Stop();
  if (thread_.joinable()) thread_.join();
}

void RecheckThread::Start() {
  std::thread finished;
  {
    std::lock_guard lock(mutex_);
    run_ = true;
    if (alive_) return;  // a loop that is still going simply carries on
    finished = std::move(thread_);
    alive_ = true;
    thread_ = std::thread(&RecheckThread::Loop, this);
  }
  // The previous loop has left (alive_ is cleared as its last step), so
  // this returns at once; it is outside the lock all the same.
  if (finished.joinable()) finished.join();
}

void RecheckThread::Stop() {
  std::lock_guard lock(mutex_);
  run_ = false;
  wake_.notify_all();
}

bool RecheckThread::IsRunning() const {
  std::lock_guard lock(mutex_);
  return run_;
}

void RecheckThread::Loop() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return !run_; });
      if (!run_) {
        alive_ = false;
        return;
      }
    }
    if (scan_() != 0) continue;
    bool report;
    {
      std::lock_guard lock(mutex_);
      report = run_;
      run_ = false;
    }
    if (report) onFound_();
    // onFound_ may have started the thread again (the connect failed).
    std::lock_guard lock(mutex_);
    if (!run_) {
      alive_ = false;
      return;
    }
  }
}
