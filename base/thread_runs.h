// The runs of a worker thread that the window starts and stops.  A stopped
// run may still wait for a message it sent to the very thread that starts
// the next one, so Start never waits for it: it is joined once it has
// ended, or at the end.
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class ThreadRuns {
 public:
  struct Run {
    std::atomic<bool> run{true};  // cleared by Stop; the loop leaves at its next turn
    std::atomic<bool> ended{false};
    std::thread thread;
  };

  ThreadRuns() = default;
  ThreadRuns(const ThreadRuns&) = delete;
  ThreadRuns& operator=(const ThreadRuns&) = delete;
  ~ThreadRuns() {
    Stop();
    for (const auto& run : runs_) run->thread.join();
  }

  // Stops the runs before, then starts `loop` on a new thread; the loop
  // polls run.run and returns when it is cleared.
  void Start(std::function<void(Run&)> loop) {
    Stop();
    std::erase_if(runs_, [](const std::unique_ptr<Run>& run) {
      if (!run->ended) return false;
      run->thread.join();
      return true;
    });
    Run& run = *runs_.emplace_back(std::make_unique<Run>());
    run.thread = std::thread([&run, loop = std::move(loop)] {
      loop(run);
      run.ended = true;
    });
  }
  void Stop() {
    for (const auto& run : runs_) run->run = false;
  }
  bool Running() const { return !runs_.empty() && runs_.back()->run; }
  bool Ended() const {
    return std::all_of(runs_.begin(), runs_.end(), [](const std::unique_ptr<Run>& run) { return run->ended.load(); });
  }

 private:
  std::vector<std::unique_ptr<Run>> runs_;
};
