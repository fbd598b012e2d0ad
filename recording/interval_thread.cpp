#include "recording/interval_thread.h"

#include <algorithm>
#include <chrono>

IntervalClocks IntervalClocks::System() {
  return {[] { return std::time(nullptr); },
          [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
          },
          [] { return CDateTime::Now(); }};
}

void IntervalThread::Start(int intervalMode, std::int64_t intervalSeconds, int fastIntervalIndex) {
  // A damaged settings file may hold an interval of 0 or less: one second
  // (one tenth) then, not a tick every millisecond.
  const std::int64_t threshold = std::max<std::int64_t>(1, intervalMode == 1 ? fastIntervalIndex + 1 : intervalSeconds);
  runs_.Start([this, intervalMode, threshold](Run& run) { Loop(run, intervalMode, threshold); });
}

void IntervalThread::Tick(const Run& run, bool first) {
  IntervalTick tick{clocks_.now(), first, &run.run};
  messages_.Send(app_message::kIntervalTick, reinterpret_cast<std::intptr_t>(&tick));
}

void IntervalThread::Loop(Run& run, int mode, std::int64_t runThreshold) {
  // The first tick comes at the first step of the clock (its next second,
  // or 100 ms); later ones when the clock has advanced by the interval.
  const bool fast = mode == 1;
  std::int64_t last = fast ? clocks_.milliseconds() : clocks_.wallSeconds();
  std::int64_t threshold = 1;
  bool first = true;
  while (true) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!run.run) return;
    const std::int64_t now = fast ? clocks_.milliseconds() : clocks_.wallSeconds();
    const std::int64_t elapsed = fast ? (now - last) * 10 / 1000 : now - last;
    if (elapsed < threshold) continue;
    last = now;
    Tick(run, first);
    if (first) {
      threshold = runThreshold;
      first = false;
    }
  }
}
