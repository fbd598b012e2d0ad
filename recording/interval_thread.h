// The recording's interval thread: polls every millisecond and, once per
// recording interval, sends the interval tick (application message 4) to
// the window and waits for it to be handled.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>

#include "base/thread_runs.h"
#include "persistence/date_time.h"
#include "window/window.h"

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
  std::function<std::time_t()> wallSeconds;    // calendar time, whole seconds
  std::function<std::int64_t()> milliseconds;  // the process clock
  std::function<CDateTime()> now;              // local date-time
  static IntervalClocks System();
};

class IntervalThread {
 public:
  IntervalThread(AppMessages& messages, IntervalClocks clocks = IntervalClocks::System())
      : messages_(messages), clocks_(std::move(clocks)) {}
  IntervalThread(const IntervalThread&) = delete;
  IntervalThread& operator=(const IntervalThread&) = delete;

  // Normal mode (0): every `intervalSeconds` of the wall clock's seconds, the
  // first at the next change of its second.  Fast mode (1): every
  // (fastIntervalIndex + 1) tenths of a second, the first 100 ms after Start.
  void Start(int intervalMode, std::int64_t intervalSeconds, int fastIntervalIndex);
  // Clears the run flag; the thread ends at its next turn.  Safe to call
  // from the tick's handler.
  void Stop() { runs_.Stop(); }
  bool Running() const { return runs_.Running(); }
  // Every run's thread has left its loop.
  bool Ended() const { return runs_.Ended(); }

 private:
  using Run = ThreadRuns::Run;
  void Loop(Run& run, int mode, std::int64_t threshold);
  void Tick(const Run& run, bool first);

  AppMessages& messages_;
  IntervalClocks clocks_;
  ThreadRuns runs_;
};
