#include "excel/take_in_thread.h"

#include <chrono>

#include "excel/excel_controls.h"

CDateTime TakeInThread::NotedTime() const { return CDateTime(notedTime_, CDateTime::valid); }

void TakeInThread::Loop(ThreadRuns::Run& run) {
  std::int64_t last = clocks_.wallSeconds();
  std::int64_t wait = 1;
  bool first = true;
  while (true) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!run.run) return;
    const std::int64_t now = clocks_.wallSeconds();
    if (now - last < wait) continue;
    last = now;
    notedTime_ = clocks_.now().date();
    first_ = first;
    // A damaged setting never makes it tick every millisecond.
    wait = std::max<std::int64_t>(1, wait_());
    first = false;
    window_.Send(app_message::kIntervalElapsed, 0);
  }
}
