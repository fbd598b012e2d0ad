// The recording's interval thread: polls every millisecond and, once per
// recording interval, sends the interval tick (application message 4) to
// the window and waits for it to be handled.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "monitor/window.h"
#include "persistence/date_time.h"

namespace app_message {
inline constexpr int kIntervalTick = 4;  // parameter: the IntervalTick
}

// What a tick tells the handler; valid while the handler runs.
struct IntervalTick {
  CDateTime time;   // lastTickTime: local date-time, whole seconds
  bool firstOfRun;  // the run starts: runStartTime = time, runCount = 0
  const std::atomic<bool>* runFlag = nullptr;
  // Sent before its run was stopped, handled after: not to be recorded.
  bool Stale() const { return runFlag && !*runFlag; }
};

struct IntervalClocks {
  std::function<std::time_t()> wallSeconds;        // calendar time, whole seconds
  std::function<std::int64_t()> milliseconds;      // the process clock
  std::function<CDateTime()> now;                  // local date-time
  static IntervalClocks System();
};

class IntervalThread {
 public:
  IntervalThread(AppMessages& messages, IntervalClocks clocks = IntervalClocks::System())
      : messages_(messages), clocks_(std::move(clocks)) {}
  ~IntervalThread();
  IntervalThread(const IntervalThread&) = delete;
  IntervalThread& operator=(const IntervalThread&) = delete;

  // Normal mode (0): every `intervalSeconds` of the wall clock's seconds, the
  // first at the next change of its second.  Fast mode (1): every
  // (fastIntervalIndex + 1) tenths of a second, the first 100 ms after Start.
  void Start(int intervalMode, std::int64_t intervalSeconds, int fastIntervalIndex);
  // Clears the run flag; the thread ends at its next turn.  Safe to call
  // from the tick's handler.
  void Stop();
  bool Running() const { return !runs_.empty() && runs_.back()->run; }
  // Every run's thread has left its loop.
  bool Ended() const;

 private:
  // One run's thread.  A stopped run's thread may still be waiting for its
  // last tick to be handled by the very thread that starts the next run, so
  // Start never waits for it: it is joined once it has ended, or at the end.
  struct Run {
    std::atomic<bool> run{true};  // intervalThreadRun
    std::atomic<bool> ended{false};
    std::thread thread;
  };
  void Loop(Run& run, int mode, std::int64_t threshold);
  void Tick(const Run& run, bool first);

  AppMessages& messages_;
  IntervalClocks clocks_;
  std::vector<std::unique_ptr<Run>> runs_;
};
