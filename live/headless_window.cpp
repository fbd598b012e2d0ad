#include "live/headless_window.h"

namespace {

// A long run with a flaky meter handles messages without end; the history
// is for looking back a little, so only the newest are kept.
constexpr std::size_t kKeptHistory = 10000;

template <typename Item>
void Keep(std::deque<Item>& history, Item item) {
  if (history.size() == kKeptHistory) history.pop_front();
  history.push_back(std::move(item));
}

}  // namespace

void HeadlessWindow::Send(int n, std::intptr_t parameter) {
  if (std::this_thread::get_id() == windowThread_) {  // as a window sending to itself: handled at once
    if (onMessage) onMessage(n, parameter);
    std::lock_guard lock(mutex_);
    Keep(received_, {n, parameter});
    return;
  }
  std::unique_lock lock(mutex_);
  const long ticket = ++sentCount_;
  sent_.push_back({n, parameter});
  wake_.notify_all();
  wake_.wait(lock, [&] { return handledCount_ >= ticket; });
}

void HeadlessWindow::Post(int n, std::intptr_t parameter) {
  std::lock_guard lock(mutex_);
  Keep(posted_, {n, parameter});
}

MessageAnswer HeadlessWindow::Ask(std::u16string_view text, MessageIcon icon, MessageButtons buttons) {
  if (onBox) onBox(text, icon);
  std::lock_guard lock(mutex_);
  Keep(boxes_, std::u16string(text));
  return buttons == MessageButtons::ok ? MessageAnswer::ok : answer;
}

void HeadlessWindow::Start(int id) {
  std::lock_guard lock(mutex_);
  timers_.insert(id);
}

void HeadlessWindow::Kill(int id) {
  std::lock_guard lock(mutex_);
  timers_.erase(id);
}

bool HeadlessWindow::TimerRunning(int id) const {
  std::lock_guard lock(mutex_);
  return timers_.count(id) > 0;
}

bool HeadlessWindow::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + limit;
  auto nextTick = Clock::now() + std::chrono::milliseconds(100);
  while (!done()) {
    if (Clock::now() >= end) return false;
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, std::min(nextTick, end), [&] { return !sent_.empty(); });
    if (!sent_.empty()) {
      const auto message = sent_.front();
      sent_.pop_front();
      lock.unlock();
      if (onMessage) onMessage(message.first, message.second);
      lock.lock();
      Keep(received_, message);
      ++handledCount_;
      wake_.notify_all();
      continue;
    }
    if (Clock::now() < nextTick) continue;
    nextTick += std::chrono::milliseconds(100);
    const std::set<int> running = timers_;
    lock.unlock();
    for (const int id : running) {
      if (onTimer && TimerRunning(id)) onTimer(id);
    }
  }
  return true;
}

std::vector<std::u16string> HeadlessWindow::Boxes() const {
  std::lock_guard lock(mutex_);
  return {boxes_.begin(), boxes_.end()};
}

std::vector<std::pair<int, std::intptr_t>> HeadlessWindow::Received() const {
  std::lock_guard lock(mutex_);
  return {received_.begin(), received_.end()};
}

std::vector<std::pair<int, std::intptr_t>> HeadlessWindow::Posted() const {
  std::lock_guard lock(mutex_);
  return {posted_.begin(), posted_.end()};
}
