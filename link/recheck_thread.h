// While automatic connection is on and no connection is open, scans the
// ports every 100 ms until a meter answers.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class RecheckThread {
 public:
  // `scan` returns 0 when a meter was found (ScanForMeter in the program);
  // `onFound` runs on the thread once that happens, after which it ends
  // unless `onFound` started it again.
  RecheckThread(std::function<int()> scan, std::function<void()> onFound);
  ~RecheckThread();
  RecheckThread(const RecheckThread&) = delete;
  RecheckThread& operator=(const RecheckThread&) = delete;

  // Starts the loop, or keeps a stopping one going.
  void Start();
  // Clears the run flag; the loop ends within 100 ms, or after the scan
  // under way.  A meter found by that last scan is not reported.
  void Stop();
  bool IsRunning() const;

 private:
  void Loop();

  std::function<int()> scan_;
  std::function<void()> onFound_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool run_ = false;    // the run flag
  bool alive_ = false;  // the loop has not left yet
  std::thread thread_;
};
