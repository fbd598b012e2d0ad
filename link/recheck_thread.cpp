#include "link/recheck_thread.h"

#include <chrono>

RecheckThread::RecheckThread(std::function<int()> scan, std::function<void()> onFound)
    : scan_(std::move(scan)), onFound_(std::move(onFound)) {}

RecheckThread::~RecheckThread() {
  Stop();
  if (thread_.joinable()) thread_.join();
}

void RecheckThread::Start() {
  std::unique_lock lock(mutex_);
  run_ = true;
  if (alive_) return;
  // The previous loop has left (alive_ is cleared as its last step), so this
  // join returns at once.
  if (thread_.joinable()) thread_.join();
  alive_ = true;
  thread_ = std::thread(&RecheckThread::Loop, this);
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
    {
      std::lock_guard lock(mutex_);
      const bool report = run_;
      run_ = false;
      alive_ = false;
      if (!report) return;
    }
    onFound_();
    return;
  }
}
