// The spreadsheet take-in's interval thread: one take-in 1 s after Start,
// then one every wait seconds (the chosen interval, or the recording
// interval when the record setting is used, read at each tick).  It only
// measures time and sends the elapsed message; every spreadsheet call stays
// on the window's thread.
#pragma once

#include <atomic>
#include <functional>

#include "base/thread_runs.h"
#include "recording/interval_thread.h"
#include "window/window.h"

inline constexpr int kTakeInIntervals[] = {1, 2, 5, 10, 20, 30, 60, 120, 300, 600, 1200, 1800, 3600};

class TakeInThread {
 public:
  // `wait` gives the seconds to the next take-in, asked after each one.
  TakeInThread(AppMessages& window, IntervalClocks clocks, std::function<std::int64_t()> wait)
      : window_(window), clocks_(std::move(clocks)), wait_(std::move(wait)) {}
  TakeInThread(const TakeInThread&) = delete;
  TakeInThread& operator=(const TakeInThread&) = delete;

  void Start() {
    runs_.Start([this](ThreadRuns::Run& run) { Loop(run); });
  }
  void Stop() { runs_.Stop(); }  // the thread ends at its next turn; safe from the elapsed handler
  bool Running() const { return runs_.Running(); }
  bool Ended() const { return runs_.Ended(); }

  // The time the thread noted for the take-in it announced, and whether it
  // was the first of the run.
  CDateTime NotedTime() const;
  bool NotedFirst() const { return first_; }

 private:
  void Loop(ThreadRuns::Run& run);

  AppMessages& window_;
  IntervalClocks clocks_;
  std::function<std::int64_t()> wait_;
  std::atomic<double> notedTime_{0};
  std::atomic<bool> first_{false};
  ThreadRuns runs_;  // last: its threads use the members above until joined
};
