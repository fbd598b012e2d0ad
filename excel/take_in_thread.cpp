#include "excel/take_in_thread.h"

#include <algorithm>
#include <chrono>

#include "excel/excel_controls.h"

TakeInThread::~TakeInThread() {
  Stop();
  for (const auto& run : runs_) run->thread.join();
}

void TakeInThread::Start() {
  Stop();
  std::erase_if(runs_, [](const std::unique_ptr<Run>& run) {
    if (!run->ended) return false;
    run->thread.join();
    return true;
  });
  Run& run = *runs_.emplace_back(std::make_unique<Run>());
  run.thread = std::thread(&TakeInThread::Loop, this, std::ref(run));
}

void TakeInThread::Stop() {
  for (const auto& run : runs_) run->run = false;
}

bool TakeInThread::Ended() const {
  return std::all_of(runs_.begin(), runs_.end(), [](const std::unique_ptr<Run>& run) { return run->ended.load(); });
}

CDateTime TakeInThread::NotedTime() const { return CDateTime(notedTime_, CDateTime::valid); }

void TakeInThread::Loop(Run& run) {
  std::int64_t last = clocks_.wallSeconds();
  std::int64_t wait = 1;
  bool first = true;
  while (true) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!run.run) break;
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
  run.ended = true;
}
