// The window's message loop without a window: sent messages are handled,
// and the 100 ms timers tick, on the thread that calls PumpUntil(), as on
// the window's own thread.  Used by the command line and the tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "window/window.h"

class HeadlessWindow : public AppMessages, public MessageBoxes, public WindowTimers {
 public:
  // What the window does with a sent message, and on a timer tick.
  std::function<void(int, std::intptr_t)> onMessage;
  std::function<void(int)> onTimer;
  // A message box: every text is kept in Boxes(); `onBox` may also show
  // it.  Questions get `answer` (OK for a notice).
  std::function<void(std::u16string_view, MessageIcon)> onBox;
  MessageAnswer answer = MessageAnswer::yes;

  // Waits until PumpUntil() has handled it; from the window's own thread
  // (the one that made it) it is handled at once.
  void Send(int n, std::intptr_t parameter) override;
  void Post(int n, std::intptr_t parameter) override;
  MessageAnswer Ask(std::u16string_view text, MessageIcon icon, MessageButtons buttons) override;
  void Start(int id) override;
  void Kill(int id) override;
  bool TimerRunning(int id) const;

  // Runs the loop until `done` holds (true) or `limit` passes (false).
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

  // The newest boxes and messages, at most ten thousand of each.
  std::vector<std::u16string> Boxes() const;
  std::vector<std::pair<int, std::intptr_t>> Received() const;  // sent messages, handled
  std::vector<std::pair<int, std::intptr_t>> Posted() const;

 private:
  const std::thread::id windowThread_ = std::this_thread::get_id();
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::pair<int, std::intptr_t>> sent_;
  long sentCount_ = 0;
  long handledCount_ = 0;
  std::set<int> timers_;
  std::deque<std::u16string> boxes_;
  std::deque<std::pair<int, std::intptr_t>> received_;
  std::deque<std::pair<int, std::intptr_t>> posted_;
};
